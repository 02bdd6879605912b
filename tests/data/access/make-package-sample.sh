#!/bin/sh
# Writes packageSample.mdb beside this script: the accounting database that
# `aeat-cli sample-db --suppliers 30 --entries 400` makes, copied into Access by
# jetwriter (../shared/tools/jetwriter) as the package would hold it. The
# sample's entries belong to the year before the current one: the file in the
# repository was made in 2026, for the declaration year 2025.
# Usage: tests/data/access/make-package-sample.sh [BUILD_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/aeat-cli" sample-db "$work/sample.sqlite" --suppliers 30 --entries 400
sqlite3 "$work/sample.sqlite" "DROP TABLE aeat_password"
python3 "$here/../../../../shared/tools/jetwriter/jetwriter.py" from-sqlite "$work/sample.sqlite" \
  "$here/packageSample.mdb" --date f_factura,f_pago,f_apunte --currency cantidad,integr,irp,noreten \
  --timestamp 2026-01-01T00:00:00 > /dev/null
