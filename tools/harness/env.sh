# Sourced by the harness scripts: the private Wine environment of one harness folder.
# $1 of the caller: the harness folder (inside a build tree).
KEYLOFT_HARNESS=$(cd "$1" 2>/dev/null && pwd || echo "$1")
export WINEPREFIX="$KEYLOFT_HARNESS/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64


