#!/bin/sh
# Installs what is missing, builds both trees and runs every test: the native
# tree's tests under ASan/UBSan and its fuzz regressions, and the Windows tree's
# tests under Wine. One CTest run covers both and ends with its summary line.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

jobs=$(nproc)
cmake -S . -B build/native -G Ninja \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build/native -j "$jobs"

cmake -S . -B build/win -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release \
      -DKEYLOFT_NATIVE_BUILD_DIR="$PWD/build/native"
cmake --build build/win -j "$jobs"

exec ctest --test-dir build/win --output-on-failure -j "$jobs"
