#!/bin/sh
# Installs what is missing, builds the program and starts it under Wine, from the
# program folder the build lays out. Without a display it runs on a private Xvfb.
#
# KEYLOFT_BUILD_DIR: the build folder (build/win). KEYLOFT_RUN_DIR: the run's own
# folder, with its Wine prefix (<build>/run). KEYLOFT_RUN_PREBUILT=1: start the
# program already built there, installing and building nothing (the first-run test).
set -eu
cd "$(dirname "$0")/.."

build=${KEYLOFT_BUILD_DIR:-build/win}
run=${KEYLOFT_RUN_DIR:-$build/run}
if [ -z "${KEYLOFT_RUN_PREBUILT:-}" ]; then
    tools/install-deps.sh
    cmake -S . -B "$build" -G Ninja \
          -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build" -j "$(nproc)" --target program
fi
if [ ! -f "$build/program/Keyloft.exe" ]; then
    echo "No program to run: $build/program/Keyloft.exe is missing." >&2
    exit 1
fi

mkdir -p "$run"
run=$(cd "$run" && pwd)
harness=$run/harness
echo "Preparing the Wine prefix in $harness (the first time takes a while)..."
tools/harness/prepare-prefix.sh "$harness"
set -- "$harness" "$@"   # env.sh reads the harness folder as $1 (sh's "." passes no arguments)
. tools/harness/env.sh
shift
tools/harness/install-driver.sh "$harness" "$build/program/winevmidi.drv"
# Let the wineserver of those set-up steps end: a program started while it shuts
# down would end at once.
keyloft_step "let the set-up's wineserver end (wineserver -w)" wineserver -w

# Every run starts from a fresh copy of the program folder and a fresh memory folder
# for the simulated instrument (the test driver's instrument answers when no real
# one is connected), both preset with a few sample files of every kind.
root=$PWD
rm -rf "$run/program" "$run/instrument"
cp -r "$build/program" "$run/program"
python3 tools/e2e/make_samples.py "$run/instrument" "$run/program"
# English texts (Settings > Language offers the Chinese ones).
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
