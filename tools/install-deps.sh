#!/bin/sh
# Installs the Debian packages the build, the tests and the run need.
# Quick when everything is present: only missing packages are fetched.
set -eu

PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
binutils-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth x11-apps x11-utils
imagemagick python3 libboost-dev googletest clang libclang-rt-14-dev opencc fp-utils
fonts-wqy-microhei"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing
fi
