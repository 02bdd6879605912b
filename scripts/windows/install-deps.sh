#!/usr/bin/env bash
# Installs what make windows needs: the packages of packages.txt, the source
# entries of Debian's archive, whence Qt and SQLite are built, and the i386
# architecture for Wine's 32-bit side.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

changed=0
sources=/etc/apt/sources.list.d/aeat-deb-src.sources
if ! apt-get source --print-uris -qq qt6-base >/dev/null 2>&1; then
  $sudo tee "$sources" >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  changed=1
fi
# The installer NSIS makes is a 32-bit program: Wine runs it with wine32:i386.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  changed=1
fi
[ $changed -eq 0 ] || $sudo apt-get update -qq
"$here/../install-deps.sh" "$here/packages.txt"
