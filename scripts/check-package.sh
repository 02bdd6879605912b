#!/usr/bin/env bash
# Builds the package and the relocatable folder and checks them as an office
# would meet them: unpacked anywhere, validated, installed, run through the
# PATH and removed without losing what Mdb/ holds. Needs root for the
# install. Usage: scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ -e /opt/aeat ]; then
  echo "Ya existe /opt/aeat: esta comprobación instala y quita el paquete, y no toca una instalación de verdad." >&2
  exit 1
fi
make package BUILD_DIR="$build"
deb=$(ls "$build"/aeat_*.deb)
tgz=$(ls "$build"/aeat-*.tar.gz)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== The package unpacked elsewhere runs from there"
dpkg-deb -x "$deb" "$scratch/deb"
folder="$scratch/deb/opt/aeat"
"$folder/aeat-cli" sample-db "$folder/Mdb/ecordadb.mdb"
"$folder/aeat-cli" mod190 --db "$folder/Mdb/ecordadb.mdb" --out "$folder/Mdb"
test -s "$folder/Mdb/Mod190.txt"

echo "== The relocatable folder, unpacked into a home, runs from there"
mkdir "$scratch/home"
tar -xzf "$tgz" -C "$scratch/home"
portable=$(ls -d "$scratch"/home/aeat-*)
test -x "$portable/instalar-dependencias.sh"
"$portable/aeat-cli" sample-db "$portable/Mdb/ecordadb.mdb"
"$portable/aeat-cli" mod347 --db "$portable/Mdb/ecordadb.mdb" --out "$portable/Mdb" --yes
test -s "$portable/Mdb/Mod347.txt"

echo "== Desktop entry, AppStream metadata and lintian"
desktop-file-validate "$scratch/deb/usr/share/applications/es.ecorda.aeat.desktop"
appstreamcli validate --no-net "$scratch/deb/usr/share/metainfo/es.ecorda.aeat.metainfo.xml"
lintian --fail-on error --tag-display-limit 0 "$deb"

echo "== Installed, on the PATH, and removed keeping Mdb/"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$(realpath "$deb")"
test "$(command -v aeat-cli)" = /usr/bin/aeat-cli
aeat-cli check-id 12345678Z
test "$(stat -c '%G %a' /opt/aeat/Mdb)" = "users 2775"
aeat-cli sample-db /opt/aeat/Mdb/ecordadb.mdb
aeat-cli mod190 --db /opt/aeat/Mdb/ecordadb.mdb --out /opt/aeat/Mdb
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$(realpath "$deb")"
test -s /opt/aeat/Mdb/Mod190.txt
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq aeat
test ! -e /usr/bin/aeat-cli
test -s /opt/aeat/Mdb/ecordadb.mdb
test -s /opt/aeat/Mdb/Mod190.txt
rm -rf /opt/aeat
echo "El paquete y la carpeta portátil están bien."
