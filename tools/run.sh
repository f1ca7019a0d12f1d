#!/bin/sh
# Installs what is missing, builds the program and starts it under Wine, from the
# program folder the build lays out. Without a display it runs on a private Xvfb.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

cmake -S . -B build/win -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/win -j "$(nproc)" --target program

harness=build/win/run-harness
tools/harness/prepare-prefix.sh "$harness"
. tools/harness/env.sh "$harness"
tools/harness/install-driver.sh "$harness" build/win/program/winevmidi.drv

cd build/win/program
if [ -n "${DISPLAY:-}" ]; then
    exec wine Keyloft.exe "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine Keyloft.exe "$@"
