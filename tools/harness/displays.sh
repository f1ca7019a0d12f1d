# Sourced by the harness scripts: where CTest's displays live.
# The harness folder of display <id> (start-displays.sh): display 1 is the root
# folder itself, the one a run by hand uses; display N is <root>-N.
# Usage: keyloft_display_harness <harness-root> <id>
keyloft_display_harness() {
    if [ "$2" = 1 ]; then echo "$1"; else echo "$1-$2"; fi
}
