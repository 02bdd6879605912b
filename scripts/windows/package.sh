#!/usr/bin/env bash
# Packs the cross-built program: package.sh OUT QT_PREFIX. Gathers in
# OUT/aeat-<version>-win64/ the two programs, every DLL they load (found by
# reading their imports), Qt's plugins and Spanish translations, Mdb\, the
# office's LEEME.txt and the third parties' TERCEROS.txt with their licences,
# strips it, then zips it and builds the installer.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$(cd "$1" && pwd)
qt=$2
mingw=x86_64-w64-mingw32

source "$here/common.sh"
name="aeat-$aeat_version-win64"
stage="$out/$name"
rm -rf "$stage"
mkdir -p "$stage/Mdb" "$stage/plugins/platforms" "$stage/plugins/styles" "$stage/translations"

cp "$out/program/bin/aeat.exe" "$out/program/bin/aeat-cli.exe" "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/plugins/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/plugins/styles/"
cp /usr/share/qt6/translations/qtbase_es.qm "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\n' > "$stage/qt.conf"
# Texts for Notepad: CR LF, and UTF-8 with its byte order mark, without which it reads them as ANSI.
for_notepad() { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$1"; }
for_notepad "$root/packaging/windows/LEEME.txt" > "$stage/LEEME.txt"
# The licences of what the folder carries from others, and what it carries.
for_notepad "$root/packaging/windows/TERCEROS.txt" > "$stage/TERCEROS.txt"
mkdir -p "$stage/licencias"
for licence in LGPL-3 GPL-3 LGPL-2; do
  sed 's/$/\r/' "/usr/share/common-licenses/$licence" > "$stage/licencias/$licence.txt"
done

# Every DLL that something in the folder imports and that Windows itself does
# not provide, until none is missing.
dll_folders=("$out/program/bin" "$qt/bin"
             /usr/lib/gcc/$mingw/12-posix /usr/$mingw/lib)
imports() {
  "$mingw-objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'
}
find_dll() {
  for folder in "${dll_folders[@]}"; do
    if [ -f "$folder/$1" ]; then
      echo "$folder/$1"
      return
    fi
  done
}
added=1
while [ $added -eq 1 ]; do
  added=0
  while read -r dll; do
    [ -f "$stage/$dll" ] && continue
    found=$(find_dll "$dll")
    [ -n "$found" ] || continue  # a system DLL
    cp "$found" "$stage/"
    added=1
  done < <(find "$stage" -name '*.exe' -o -name '*.dll' | while read -r binary; do imports "$binary"; done | sort -u)
done
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec "$mingw-strip" --strip-unneeded {} +

rm -f "$out/$name.zip"
(cd "$out" && zip -q -r -X "$name.zip" "$name")

# The installer installs exactly the staged files and its uninstaller removes
# exactly those, never what Mdb\ holds.
files="$out/installer-files.nsh"
{
  echo '!macro InstallFiles'
  (cd "$stage" && find . -type d ! -name Mdb | sort) | while read -r dir; do
    sub=$(echo "${dir#.}" | tr / '\\')
    echo "  SetOutPath \"\$INSTDIR$sub\""
    (cd "$stage" && find "$dir" -maxdepth 1 -type f | sort) | while read -r file; do
      echo "  File \"$stage/${file#./}\""
    done
  done
  echo '!macroend'
  echo '!macro RemoveFiles'
  (cd "$stage" && find . -type f | sort) | while read -r file; do
    echo "  Delete \"\$INSTDIR\\$(echo "${file#./}" | tr / '\\')\""
  done
  (cd "$stage" && find . -mindepth 1 -type d ! -name Mdb | sort -r) | while read -r dir; do
    echo "  RMDir \"\$INSTDIR\\$(echo "${dir#./}" | tr / '\\')\""
  done
  echo '!macroend'
} > "$files"
makensis -V2 -DVERSION="$aeat_version" -DFILES="$files" -DOUTFILE="$out/aeat-$aeat_version-setup.exe" \
  "$root/packaging/windows/aeat.nsi"
echo "Windows: $out/$name.zip y $out/aeat-$aeat_version-setup.exe"
