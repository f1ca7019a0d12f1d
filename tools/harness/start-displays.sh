#!/bin/sh
# Starts the displays CTest hands out to the Wine tests: <count> harnesses, each a
# prefix, an Xvfb display and a wineserver of its own (displays.sh names
# their folders), so that suites on different displays run side by side without
# their windows, focus or input meeting. The first prefix is prepared once and the
# others are copies of it. stop-displays.sh ends them.
# Usage: start-displays.sh <harness-root> <build-dir> <count>
set -eu
here=$(dirname "$0")
root=$1
build=$2
count=$3
"$here/prepare-prefix.sh" "$root"
. "$here/displays.sh"
i=2
while [ $i -le "$count" ]; do
    dir=$(keyloft_display_harness "$root" $i)
    if [ ! -f "$dir/wineprefix/.keyloft-ready" ]; then
        rm -rf "$dir/wineprefix"
        mkdir -p "$dir"
        cp -a "$root/wineprefix" "$dir/wineprefix"
    fi
    i=$((i + 1))
done
i=1
while [ $i -le "$count" ]; do
    "$here/start.sh" "$(keyloft_display_harness "$root" $i)" "$build"
    i=$((i + 1))
done
