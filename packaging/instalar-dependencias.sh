#!/bin/sh
# Instala los paquetes de Debian 12 que el programa necesita para funcionar.
set -e
if [ "$(id -u)" -ne 0 ]; then
  echo "Ejecútelo como administrador: sudo $0" >&2
  exit 1
fi
apt-get update
apt-get install -y libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n \
  libsqlite3-0 libmdb3 fonts-liberation2 fonts-dejavu-core
