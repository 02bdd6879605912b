#!/bin/sh
# Writes queryShapes.mdb beside this script with the example of jetwriter
# (../shared/tools/jetwriter/examples/query-shapes.py): three small tables and
# a saved select query of each shape Access files hold.
# Usage: tests/data/access/make-query-shapes.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
python3 "$here/../../../../shared/tools/jetwriter/examples/query-shapes.py" "$here/queryShapes.mdb"
