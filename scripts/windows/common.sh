# Sourced by the Windows build scripts.
# Where the cross-built Qt and SQLite are kept between builds; removing the
# folder clears the cache.
windows_cache=${AEAT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/aeat-windows}
# The program's version, as CMake's project() gives it: the packages' names carry it.
aeat_version=$(sed -n 's/^project(aeat VERSION \([0-9.]*\).*/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../../CMakeLists.txt")
