#!/bin/sh
# A new user's first run: ./tools/run.sh with no display and a run folder made
# from nothing (its Wine prefix too), both folders given relative to the checkout
# as the README's defaults are. It must end well, print the screenshot's path and
# leave a picture of a painted main window. The program is the one already built.
# Usage: check-first-run.sh <run-folder> <build-folder>
set -eu
cd "$(dirname "$0")/../.."
run=$1
rm -rf "$run"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
env -u DISPLAY KEYLOFT_RUN_DIR="$run" KEYLOFT_BUILD_DIR="$2" KEYLOFT_RUN_PREBUILT=1 \
    ./tools/run.sh >"$log" 2>&1 </dev/null || status=$?
cat "$log"
fail() { echo "FIRST RUN FAILED: $*" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "./tools/run.sh ended with status $status"
shot="$run/keyloft-main-window.png"
grep -q "Screenshot of the main window: .*keyloft-main-window.png" "$log" || fail "the screenshot's path was not printed"
[ -s "$shot" ] || fail "no screenshot at $shot"
# A window that never painted is one flat colour; the main window has text and icons.
colours=$(convert "$shot" -format %k info:)
[ "$colours" -gt 64 ] || fail "the main window looks unpainted ($colours colours)"
echo "First run ended with a screenshot of the main window ($colours colours)."
