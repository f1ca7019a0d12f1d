#!/bin/sh
# Ends the harnesses start-displays.sh started.
# Usage: stop-displays.sh <harness-root> <count>
here=$(dirname "$0")
. "$here/displays.sh"
i=1
while [ $i -le "$2" ]; do
    "$here/stop.sh" "$(keyloft_display_harness "$1" $i)"
    i=$((i + 1))
done
exit 0
