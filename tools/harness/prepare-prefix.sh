#!/bin/sh
# Creates the private Wine prefix once: no Mono or Gecko, Wine's own fonts in
# C:\windows\Fonts, unmanaged windows (hiding a window costs 2 s without a window
# manager otherwise), no crash dialog (it would hang a headless run).
# Usage: prepare-prefix.sh <harness-dir>
set -eu
. "$(dirname "$0")/env.sh"
mkdir -p "$KEYLOFT_HARNESS"
ready="$WINEPREFIX/.keyloft-ready"
[ -f "$ready" ] && exit 0

rm -rf "$WINEPREFIX"
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d "" /f >/dev/null 2>&1
wineserver -w
touch "$ready"
