#!/usr/bin/env bash
# Cross-builds Qt's qtbase for Windows x86-64 from Debian's own qt6-base
# source, with only what the program uses, and installs it into the cache:
#   $AEAT_WINDOWS_CACHE/qt-<version>-<options hash>/
# A prefix that finished installing is reused as it is; the build takes about
# half an hour on two cores, the reuse a second. Prints the prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

qt_version=$(dpkg-query -W -f='${source:Upstream-Version}' qt6-base-dev | sed 's/+dfsg.*//')
qt_options=(
  -xplatform win32-g++ -release -shared -nomake tests -nomake examples
  -no-opengl -no-dbus -no-icu -no-glib -no-fontconfig
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
  -no-feature-sql -no-feature-network -no-feature-testlib -no-feature-concurrent
  -no-feature-xml -no-feature-vulkan -no-feature-zstd -no-feature-tabletevent
)
key=$(printf '%s\n' "${qt_options[@]}" | cat - "$here/../../cmake/mingw-w64-x86_64.cmake" | sha256sum | cut -c1-12)
prefix="$windows_cache/qt-$qt_version-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$windows_cache/work/qt-$qt_version"
rm -rf "$work" "$prefix"
mkdir -p "$work"
(cd "$work" && apt-get source -qq qt6-base >&2)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
mkdir -p "$work/build"
cd "$work/build"
"$source_dir/configure" -prefix "$prefix" "${qt_options[@]}" -qt-host-path /usr -- \
  -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$(nproc)" >&2
cmake --install . >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
