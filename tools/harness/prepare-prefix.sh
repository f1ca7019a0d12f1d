#!/bin/sh
# Creates the private Wine prefix once: no Mono or Gecko, Wine's own fonts and a
# Chinese font in C:\windows\Fonts (linked to the interface fonts, so Chinese text
# shows in every language), unmanaged windows (hiding a window costs 2 s without a
# window manager otherwise), no crash dialog (it would hang a headless run).
# Every step that fails says so and shows Wine's output.
# Usage: prepare-prefix.sh <harness-dir>
set -eu
. "$(dirname "$0")/env.sh"
mkdir -p "$KEYLOFT_HARNESS"
ready="$WINEPREFIX/.keyloft-ready"
[ -f "$ready" ] && exit 0

rm -rf "$WINEPREFIX"
keyloft_step "create the Wine prefix (wineboot)" env WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i
# wineboot returns while the services it started still finish the new prefix:
# the registry is set once they and their wineserver have ended.
keyloft_step "let the new prefix's wineserver end (wineserver -w)" wineserver -w
fonts="$WINEPREFIX/drive_c/windows/Fonts"
keyloft_step "copy Wine's fonts (package fonts-wine)" cp /usr/share/wine/fonts/* "$fonts/"
cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
keyloft_step "copy the Chinese font (package fonts-wqy-microhei)" cp "$cjk" "$fonts/"

keyloft_reg_add 'HKCU\Software\Wine\X11 Driver' REG_SZ Managed N
keyloft_reg_add 'HKCU\Software\Wine\WineDbg' REG_DWORD ShowCrashDialog 0
keyloft_reg_add 'HKCU\Software\Wine\Drivers' REG_SZ Audio ""
# Glyphs the interface fonts lack (Chinese) come from the Chinese font, and the
# usual Chinese face names stand for it.
link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI" Arial "DejaVu Sans"; do
    keyloft_reg_add "$link" REG_MULTI_SZ "$face" "wqy-microhei.ttc,WenQuanYi Micro Hei"
done
for face in SimSun NSimSun SimHei "Microsoft YaHei" PMingLiU MingLiU "Microsoft JhengHei"; do
    keyloft_reg_add 'HKCU\Software\Wine\Fonts\Replacements' REG_SZ "$face" "WenQuanYi Micro Hei"
done
keyloft_step "write the prefix's registry to disk (wineserver -w)" wineserver -w
touch "$ready"
