#!/bin/sh
# Installs what is missing, builds the program and starts it under Wine, from the
# program folder the build lays out. Without a display it runs on a private Xvfb.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

build=${KEYLOFT_BUILD_DIR:-build/win}
cmake -S . -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$(nproc)" --target program

harness=$build/run-harness
tools/harness/prepare-prefix.sh "$harness"
set -- "$harness" "$@"   # env.sh reads the harness folder as $1 (sh's "." passes no arguments)
. tools/harness/env.sh
shift
tools/harness/install-driver.sh "$harness" "$build/program/winevmidi.drv"
# Let the wineserver of those set-up steps end: a program started while it shuts
# down would end at once.
wineserver -w

# Every run starts from a fresh copy of the program folder and a fresh memory folder
# for the simulated instrument (the test driver's instrument answers when no real
# one is connected), both preset with a few sample files of every kind.
root=$PWD
run=$(cd "$build" && pwd)/run
rm -rf "$run/program" "$run/instrument"
mkdir -p "$run"
cp -r "$build/program" "$run/program"
python3 tools/e2e/make_samples.py "$run/instrument" "$run/program"
# English texts: the built-in Chinese ones need a CJK font, which a plain Wine prefix
# lacks (Settings > Language switches back).
printf '[LANGUAGE]\r\nCUR_LANGUAGE=2\r\n' >"$run/program/AppProfile.ini"
export KEYLOFT_SIM_DIR="$run/instrument"
echo "Program folder:        $run/program"
echo "Instrument's memory:   $run/instrument"

cd "$run/program"
if [ -n "${DISPLAY:-}" ]; then
    exec wine Keyloft.exe "$@"
fi

# No display: run on a private Xvfb, save a picture of the main window, then end.
exec "$root/tools/e2e/headless-screenshot.sh" "$run" "$@"
