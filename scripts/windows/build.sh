#!/usr/bin/env bash
# make windows: cross-builds the program for Windows x86-64 and packs it as a
# folder that runs where it is unpacked (the .zip) and as an installer:
#   build-windows/aeat-<version>-win64.zip
#   build-windows/aeat-<version>-setup.exe
# Qt and SQLite come from Debian's sources, built once into the cache
# (scripts/windows/common.sh), libmdb from third_party/mdbtools.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:-$root/build-windows}

"$here/install-deps.sh"
qt=$("$here/build-qt.sh")
sqlite=$("$here/build-sqlite.sh")

cmake -S "$root" -B "$out/program" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_FIND_ROOT_PATH="$qt;$sqlite" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DAEAT_WARNINGS_AS_ERRORS=ON
cmake --build "$out/program" --parallel "$(nproc)"
"$here/package.sh" "$out" "$qt"
