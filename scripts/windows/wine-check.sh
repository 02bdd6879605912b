#!/usr/bin/env bash
# The Windows program's test, under Wine and a virtual display:
#   wine-check.sh LINUX_BUILD WINDOWS_OUT   (build and build-windows)
# aeat-cli.exe makes the sample database; on it, both builds write Modelo 190
# and 347, whose files must be identical byte for byte, check them and make
# their documents, which must have as many pages and files.
# aeat-cli.exe imports Access files with accented text, whose values must be
# those the Linux build imports. Last aeat.exe must show its menu, of which a
# screenshot is left in WINDOWS_OUT/wine-check/aeat.png.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
linux_cli="$(cd "$1" && pwd)/bin/aeat-cli"
out=$(cd "$2" && pwd)
source "$here/common.sh"

work="$out/wine-check"
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
cp -r "$out/aeat-$aeat_version-win64" "$work/program"
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=:${WINE_CHECK_DISPLAY:-93}
Xvfb "$DISPLAY" -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
wineboot --init >/dev/null 2>&1
# Wine has no Arial, MS Sans Serif nor Verdana, which Windows has: their
# stand-ins on Linux keep the windows' text as the office sees it.
for face in "Arial:Liberation Sans" "MS Sans Serif:Liberation Sans" "Verdana:DejaVu Sans"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" /d "${face#*:}" /f >/dev/null 2>&1
done
cli() { wine "$work/program/aeat-cli.exe" "$@"; }
# aeat-cli of one side: on_side linux|windows ARGS...
on_side() {
  local side=$1
  shift
  if [ "$side" = linux ]; then "$linux_cli" "$@"; else cli "$@"; fi
}
failed=0
fail() { echo "FALLO: $*"; failed=1; }

pages() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }
files() { find "$1" -type f 2>/dev/null | wc -l; }
# The documents of a declaration: as many pages and per-party files as
# Linux makes, and their text drawn. check_documents Mod190.txt Certificados190
check_documents() {
  local side windows="$work/windows/$2" linux="$work/linux/$2"
  for side in linux windows; do
    on_side $side documentos "$work/$side/$1" --out "$work/$side" --db "$work/$side/ecordadb.mdb" \
      --firma "María José Muñoz Peña, Secretaria" --lugar Córdoba > /dev/null 2>&1 || true
  done
  if [ -n "$(pages "$windows.pdf")" ] && [ "$(pages "$windows.pdf")" = "$(pages "$linux.pdf")" ] &&
     [ "$(files "$windows")" = "$(files "$linux")" ] &&
     [[ $(pdftotext "$windows.pdf" -) == *"ejercicio"* ]]; then
    echo "$2.pdf: $(pages "$windows.pdf") páginas y $(files "$windows") ficheros, como en Linux"
  else
    fail "los documentos de $1 difieren de los de Linux"
  fi
}

echo "== Las declaraciones del ejemplo"
cli sample-db "$work/windows/ecordadb.mdb"
cp "$work/windows/ecordadb.mdb" "$work/linux/ecordadb.mdb"
for side in linux windows; do
  on_side $side mod190 --db "$work/$side/ecordadb.mdb" --out "$work/$side" --phone 957000111 \
    --contact "Garcia Lopez Ana" --email ana.garcia@centro.es > "$work/$side/mod190.log" 2>&1 || true
  on_side $side mod347 --db "$work/$side/ecordadb.mdb" --out "$work/$side" --phone 957000111 \
    --contact "Garcia Lopez Ana" --yes > "$work/$side/mod347.log" 2>&1 || true
done
for model in 190 347; do
  file="Mod$model.txt"
  if [ ! -s "$work/windows/$file" ]; then
    fail "aeat-cli.exe no ha escrito $file"; cat "$work/windows/mod$model.log"
  elif cmp "$work/linux/$file" "$work/windows/$file"; then
    echo "$file: idéntico al de Linux ($(wc -c < "$work/windows/$file") bytes)"
    cli check-file "$work/windows/$file" | tail -n 1 || true
    check_documents "$file" "$([ $model = 190 ] && echo Certificados190 || echo Cartas347)"
  else
    fail "$file difiere del de Linux"
  fi
done

echo "== Los textos para la oficina"
# Notepad reads LEEME.txt as UTF-8 by its byte order mark; aeat-cli.exe's accents reach a pipe as UTF-8
# (in a console window it writes them with WriteConsoleW, which Wine's redirected output does not show).
if [ "$(head -c 3 "$work/program/LEEME.txt" | od -An -tx1 | tr -d ' ')" = "efbbbf" ]; then
  echo "LEEME.txt empieza por la marca de UTF-8 que lee el Bloc de notas"
else
  fail "LEEME.txt no empieza por la marca de UTF-8"
fi
if cli check-file "$work/windows/Mod190.txt" 2>/dev/null | grep -q "Registros leídos"; then
  echo "aeat-cli.exe escribe «Registros leídos» con su acento"
else
  fail "aeat-cli.exe no escribe bien los acentos"
fi

echo "== La importación de Access"
for access in nameClash.mdb testUnicodeCompV2003.mdb testV1997.mdb; do
  base=${access%.*}
  for side in linux windows; do
    cp "$root/tests/data/access/$access" "$work/$side/"
    on_side $side import-mdb "$work/$side/$access" > "$work/$side/$base.log" 2>&1 || true
    # What the import brought, without the source's time stamp and the password's salt.
    sqlite3 "$work/$side/$base.aeat.sqlite" .dump 2>/dev/null |
      grep -v '^INSERT INTO aeat_source\|^INSERT INTO aeat_password' > "$work/$side/$base.sql" || true
  done
  if [ -s "$work/windows/$base.sql" ] && cmp -s "$work/linux/$base.sql" "$work/windows/$base.sql"; then
    echo "$access: los mismos valores que en Linux ($(grep -c '^INSERT' "$work/windows/$base.sql") filas)"
  else
    fail "$access: la importación difiere de la de Linux"
    diff "$work/linux/$base.sql" "$work/windows/$base.sql" | head -20 || true
  fi
done

echo "== El menú"
cp "$work/windows/ecordadb.mdb" "$work/program/Mdb/ecordadb.mdb"
wine "$work/program/aeat.exe" > "$work/aeat.log" 2>&1 &
shown=0
for _ in $(seq 60); do
  if [[ $(xwininfo -root -tree) == *'"Datos de Ecorda para AEAT"'* ]]; then
    shown=1
    break
  fi
  sleep 1
done
sleep 3
import -window root "$work/aeat.png"
if [ $shown -eq 1 ]; then
  echo "aeat.exe muestra su menú: $work/aeat.png"
else
  fail "aeat.exe no ha mostrado su menú en 60 segundos"; cat "$work/aeat.log"
fi
wineserver -k 2>/dev/null || true

echo "== El instalador"
installed="$WINEPREFIX/drive_c/Datos de Ecorda para AEAT"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
wine "$out/aeat-$aeat_version-setup.exe" /S
if [ -f "$installed/aeat.exe" ] && [ -d "$installed/Mdb" ] && [ -f "$start_menu/Datos de Ecorda para AEAT.lnk" ]; then
  echo "Instalado en C:\\Datos de Ecorda para AEAT, con su entrada en el menú Inicio"
  cp "$work/windows/ecordadb.mdb" "$installed/Mdb/"
  wine "$installed/Desinstalar.exe" /S
  # The uninstaller runs on from a copy of itself: wait for it to finish.
  for _ in $(seq 60); do
    [ -f "$installed/aeat.exe" ] || break
    sleep 1
  done
  wineserver -w
  if [ -f "$installed/aeat.exe" ] || [ -f "$start_menu/Datos de Ecorda para AEAT.lnk" ]; then
    fail "el desinstalador ha dejado el programa"
  elif [ ! -f "$installed/Mdb/ecordadb.mdb" ]; then
    fail "el desinstalador ha borrado lo que había en Mdb"
  else
    echo "Desinstalado: Mdb y lo que contiene siguen ahí"
  fi
else
  fail "el instalador no ha instalado el programa"
fi
exit $failed
