#!/bin/sh
# Installs the project's winmm MIDI driver (with the simulated instrument) in a
# prepared prefix and selects it as Wine's audio driver. A no-op until it is built.
# Usage: install-driver.sh <harness-dir> <driver-dll>
set -eu
. "$(dirname "$0")/env.sh"
driver=$2
[ -f "$driver" ] || exit 0
target="$WINEPREFIX/drive_c/windows/system32/winevmidi.drv"
if ! cmp -s "$driver" "$target" 2>/dev/null; then
    keyloft_step "install the MIDI driver in the prefix" cp "$driver" "$target"
fi
if ! wine reg query 'HKCU\Software\Wine\Drivers' /v Audio 2>/dev/null | grep -q vmidi; then
    keyloft_reg_add 'HKCU\Software\Wine\Drivers' REG_SZ Audio vmidi
fi
