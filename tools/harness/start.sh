#!/bin/sh
# Starts what the Wine tests share: the prepared prefix, one Xvfb display and one
# persistent wineserver. stop.sh ends both.
# Usage: start.sh <harness-dir> <build-dir>
set -eu
here=$(dirname "$0")
"$here/prepare-prefix.sh" "$1"
. "$here/env.sh"
build=$2

"$here/stop.sh" "$KEYLOFT_HARNESS" >/dev/null 2>&1 || true

# A display of our own; Xvfb picks a free number and reports it. Servers
# started at the same moment elsewhere can take the number it tried: one that
# has not reported in 10 s is ended and another started.
rm -f "$KEYLOFT_HARNESS/display"
attempt=1
while :; do
    rm -f "$KEYLOFT_HARNESS/display.tmp"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$KEYLOFT_HARNESS/display.tmp" >"$KEYLOFT_HARNESS/xvfb.log" 2>&1 </dev/null &
    echo $! >"$KEYLOFT_HARNESS/xvfb.pid"
    i=0
    while [ ! -s "$KEYLOFT_HARNESS/display.tmp" ] && [ $i -lt 100 ]; do
        i=$((i + 1))
        sleep 0.1
    done
    [ -s "$KEYLOFT_HARNESS/display.tmp" ] && break
    kill "$(cat "$KEYLOFT_HARNESS/xvfb.pid")" 2>/dev/null || true
    if [ $attempt -ge 3 ]; then echo "Xvfb did not start" >&2; cat "$KEYLOFT_HARNESS/xvfb.log" >&2; exit 1; fi
    attempt=$((attempt + 1))
done
echo ":$(tr -d '\n' <"$KEYLOFT_HARNESS/display.tmp")" >"$KEYLOFT_HARNESS/display"

# One wineserver for the whole run: every test then starts in well under a second.
setsid wineserver -p >/dev/null 2>&1 </dev/null || true
# Start Wine's services now, with no test's output attached to them.
DISPLAY=$(cat "$KEYLOFT_HARNESS/display") setsid wine cmd /c exit >/dev/null 2>&1 </dev/null || true
"$here/install-driver.sh" "$KEYLOFT_HARNESS" "$build/program/winevmidi.drv"
echo "Wine harness ready: WINEPREFIX=$WINEPREFIX DISPLAY=$(cat "$KEYLOFT_HARNESS/display")"
