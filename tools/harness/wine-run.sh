#!/bin/sh
# CTest's emulator for the Windows tree: runs a test executable in the harness's
# prefix on its display. The exit status is the program's.
# Usage: wine-run.sh <harness-dir> <program.exe> [args...]
#
# The output goes through a file, not straight to CTest's pipe: Wine may start
# its services (winedevice, explorer) from this process, and they live on with
# the persistent wineserver holding whatever stdout they inherited; CTest would
# wait for that pipe to close until the run ends.
#
# A suite CTest gave a display to (CTEST_RESOURCE_GROUP_0_DISPLAYS="id:<n>,slots:1")
# runs in that display's harness; run by hand, in <harness-dir>'s.
. "$(dirname "$0")/displays.sh"
root=$1
shift
case ${CTEST_RESOURCE_GROUP_0_DISPLAYS:-} in
id:*)
    id=${CTEST_RESOURCE_GROUP_0_DISPLAYS#id:}
    set -- "$(keyloft_display_harness "$root" "${id%%,*}")" "$@"
    ;;
*) set -- "$root" "$@" ;;
esac
. "$(dirname "$0")/env.sh"
shift
if [ -z "${DISPLAY:-}" ] && [ -f "$KEYLOFT_HARNESS/display" ]; then
    DISPLAY=$(cat "$KEYLOFT_HARNESS/display")
    export DISPLAY
fi
log=$(mktemp "${TMPDIR:-/tmp}/keyloft-wine.XXXXXX")
wine "$@" >"$log" 2>&1 </dev/null
status=$?
keyloft_wine_output "$log"
# A program that crashed under Wine can still end with status 0 once Wine's
# debugger has printed its backtrace: a crash is a failure all the same.
if [ $status -eq 0 ] && grep -q "^wine: Unhandled " "$log"; then
    echo "wine-run.sh: the program crashed (see the backtrace above)" >&2
    status=1
fi
rm -f "$log"
exit $status
