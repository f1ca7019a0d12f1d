#!/bin/sh
# Runs Keyloft.exe (current folder) on a private Xvfb, waits until its main window
# has painted, saves that window as <run>/keyloft-main-window.png and ends the
# program and the display again. The Wine environment is the caller's.
# Usage: headless-screenshot.sh <run-folder> [program arguments...]
set -eu
run=$1
shift
shot="$run/keyloft-main-window.png"
rm -f "$shot"

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >"$run/xvfb.log" 2>&1 </dev/null &
xvfb=$!
i=0
while [ ! -s "$displayfile" ]; do
    i=$((i + 1))
    if [ $i -gt 100 ]; then echo "Xvfb did not start" >&2; kill "$xvfb"; exit 1; fi
    sleep 0.1
done
DISPLAY=":$(tr -d '\n' <"$displayfile")"
export DISPLAY
rm -f "$displayfile"

wine Keyloft.exe "$@" >"$run/wine.log" 2>&1 </dev/null &
program=$!

finish() {
    kill "$program" 2>/dev/null || true
    # The prefix is the run's own: its wineserver ends with what it still runs.
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT INT TERM

# The main window: the largest top-level window of the program (the chooser comes
# and goes first, in start-up).
main_window() {
    xwininfo -root -children 2>/dev/null |
        awk '/"[Kk]eyloft\.exe"/ { for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) {
                 split($i, g, /[x+]/); if (g[1] >= 800 && g[1] * g[2] > best) { best = g[1] * g[2]; id = $1 } } }
             END { if (id != "") print id }'
}

echo "Waiting for the main window..."
window=
i=0
while [ -z "$window" ]; do
    i=$((i + 1))
    if [ $i -gt 600 ] || ! kill -0 "$program" 2>/dev/null; then
        echo "The program showed no main window; its output is in $run/wine.log" >&2
        exit 1
    fi
    sleep 0.1
    window=$(main_window)
done
# Start-up pauses 2 s before it connects; then the pages fill.
sleep 8
window=$(main_window)

i=0
until xwd -silent -id "$window" 2>"$run/xwd.log" | convert xwd:- "$shot" 2>>"$run/xwd.log" && [ -s "$shot" ]; do
    # A window being redrawn can answer BadDrawable: try again a little later.
    i=$((i + 1))
    if [ $i -gt 10 ]; then
        echo "No screenshot could be taken; see $run/xwd.log" >&2
        exit 1
    fi
    sleep 0.5
    window=$(main_window)
done
echo "Screenshot of the main window: $shot"
