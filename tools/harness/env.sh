# Sourced by the harness scripts: the private Wine environment of one harness folder.
# $1 of the caller: the harness folder (inside a build tree). It is made absolute,
# whether it exists yet or not: Wine refuses a relative WINEPREFIX.
case $1 in
/*) KEYLOFT_HARNESS=$1 ;;
*) KEYLOFT_HARNESS=$PWD/$1 ;;
esac
export WINEPREFIX="$KEYLOFT_HARNESS/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64

# Wine's output without its notes on the missing 32-bit part (this prefix is 64-bit only).
keyloft_wine_output() {
    grep -v -e "wine32 is missing" -e "multiarch needs to be enabled" -e "apt-get install wine32" \
            -e "dpkg --add-architecture" "$1" || true
}

# Runs one set-up step with its output kept aside; when it fails, says which step
# failed and why, shows that output, and ends the calling script.
# Usage: keyloft_step "<what the step does>" command [arguments...]
keyloft_step() {
    keyloft_what=$1
    shift
    mkdir -p "$KEYLOFT_HARNESS"
    "$@" >"$KEYLOFT_HARNESS/step.log" 2>&1 && return 0
    keyloft_status=$?
    echo "Wine set-up failed: could not $keyloft_what (exit status $keyloft_status)." >&2
    echo "WINEPREFIX=$WINEPREFIX; the command was: $*" >&2
    keyloft_wine_output "$KEYLOFT_HARNESS/step.log" >&2
    exit 1
}

# Sets a value in the prefix's registry: reg add <key> <type> <name> <data>. A
# loaded machine has seen a first `wine reg add` fail without a word (reg.exe
# not started): one more try before the step fails.
keyloft_reg_add() {
    wine reg add "$1" /v "$3" /t "$2" /d "$4" /f >/dev/null 2>&1 ||
        keyloft_step "set $1\\$3 in the prefix's registry" wine reg add "$1" /v "$3" /t "$2" /d "$4" /f
}
