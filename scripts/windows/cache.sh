# Sourced by the Windows build scripts: where the cross-built Qt, SQLite and
# libmdb are kept between builds. Removing the folder clears the cache.
windows_cache=${AEAT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/aeat-windows}
mkdir -p "$windows_cache"
