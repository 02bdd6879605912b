#!/usr/bin/env bash
# Cross-builds SQLite for Windows x86-64 from Debian's own sqlite3 source: the
# amalgamation is made on the host, then compiled once into a static library,
# with the compile options Debian's libsqlite3 has, so that both programs
# give the same answers. Installs into the cache and prints the prefix:
#   $AEAT_WINDOWS_CACHE/sqlite-<version>-<options hash>/{include,lib}
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

sqlite_version=$(dpkg-query -W -f='${source:Upstream-Version}' libsqlite3-dev)
# Debian's CFLAGS (debian/rules) and the math functions its configure adds.
options=(
  -O2 -fno-strict-aliasing -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
  -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1
  -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_OMIT_LOOKASIDE=1
  -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ALLOW_ROWID_IN_VIEW -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1
  -DSQLITE_ENABLE_LOAD_EXTENSION -DSQLITE_ENABLE_JSON1 -DSQLITE_LIKE_DOESNT_MATCH_BLOBS
  -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_FTS3_TOKENIZER=1 -DSQLITE_USE_URI=1
  -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_PREUPDATE_HOOK -DSQLITE_ENABLE_SESSION
  -DSQLITE_ENABLE_STMTVTAB -DSQLITE_MAX_VARIABLE_NUMBER=250000 -DSQLITE_ENABLE_MATH_FUNCTIONS
)
key=$(printf '%s\n' "${options[@]}" | sha256sum | cut -c1-12)
prefix="$windows_cache/sqlite-$sqlite_version-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$windows_cache/work/sqlite-$sqlite_version"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/include" "$prefix/lib"
(cd "$work" && apt-get source -qq sqlite3 >&2)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'sqlite3-*' | head -1)
(cd "$source_dir" && ./configure --disable-tcl >&2 && make sqlite3.c >&2)
x86_64-w64-mingw32-gcc-posix "${options[@]}" -c "$source_dir/sqlite3.c" -o "$work/sqlite3.o"
x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"
cp "$source_dir/sqlite3.h" "$source_dir/sqlite3ext.h" "$prefix/include/"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
