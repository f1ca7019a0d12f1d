#!/bin/sh
# A new user's first run: ./tools/run.sh with no display and a run folder (Wine
# prefix included) made from nothing, both folders relative to the checkout as the
# README's defaults are, the program already built. It must end well and leave a
# screenshot of a painted main window (an unpainted one is a flat colour).
# Usage: check-first-run.sh <run-folder> <build-folder>
set -eu
cd "$(dirname "$0")/../.."
run=$1
rm -rf "$run" && mkdir -p "$run"
fail() { cat "$run/run.log"; echo "FIRST RUN FAILED: $*" >&2; exit 1; }
# Through a file: Wine's services may outlive the run holding what they inherited.
env -u DISPLAY KEYLOFT_RUN_DIR="$run" KEYLOFT_BUILD_DIR="$2" KEYLOFT_RUN_PREBUILT=1 ./tools/run.sh \
    >"$run/run.log" 2>&1 </dev/null || fail "./tools/run.sh ended with status $?"
shot="$run/keyloft-main-window.png"
[ -s "$shot" ] || fail "no screenshot at $shot"
colours=$(convert "$shot" -format %k info:)
[ "$colours" -gt 64 ] || fail "the main window looks unpainted ($colours colours)"
cat "$run/run.log"
