#!/bin/sh
# Ends the harness's wineserver and Xvfb.
# Usage: stop.sh <harness-dir>
. "$(dirname "$0")/env.sh"
[ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
if [ -f "$KEYLOFT_HARNESS/xvfb.pid" ]; then
    kill "$(cat "$KEYLOFT_HARNESS/xvfb.pid")" 2>/dev/null
    rm -f "$KEYLOFT_HARNESS/xvfb.pid" "$KEYLOFT_HARNESS/display" "$KEYLOFT_HARNESS/display.tmp"
fi
exit 0
