#!/usr/bin/env bash
# Installs what make windows needs: the packages of packages.txt, and the
# source entries of Debian's archive, whence Qt and SQLite are built.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

sources=/etc/apt/sources.list.d/aeat-deb-src.sources
if ! apt-get source --print-uris -qq qt6-base >/dev/null 2>&1; then
  $sudo tee "$sources" >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  $sudo apt-get update -qq
fi
"$here/../install-deps.sh" "$here/packages.txt"
