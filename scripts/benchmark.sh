#!/usr/bin/env bash
# Times the declarations on a sample of the benchmark's size: 50,000 suppliers
# and 2,000,000 entries. Usage: scripts/benchmark.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
cli="$build/bin/aeat-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {
  local label=$1; shift
  /usr/bin/time -f "$label: %e s, %M KiB at most" "$@" > /dev/null 2> "$work/time" || true
  tail -n 1 "$work/time"
}

measure "sample-db" "$cli" sample-db "$work/bench.mdb" --suppliers 50000 --entries 2000000
measure "mod190" "$cli" mod190 --db "$work/bench.mdb" --out "$work"
measure "mod347" "$cli" mod347 --db "$work/bench.mdb" --out "$work" --yes
measure "review-ids" "$cli" review-ids --db "$work/bench.mdb"
wc -l "$work/Mod190.txt" "$work/Mod347.txt"

# The reading of Access files, on the largest test files: the rows a second
# that aeat-cli read-mdb reports for its own work, and with its process start.
fixtures=$(dirname "$0")/../tests/data/access
rows=0
ms=0
start=$(date +%s.%N)
for round in $(seq 20); do
  for file in "$fixtures/test2V2003.mdb" "$fixtures/testEmoticonsV2010.accdb" "$fixtures/testUnicodeCompV2003.mdb"; do
    rm -f "$work/read.sqlite"
    read -r n _ _ m _ < <("$cli" read-mdb "$file" "$work/read.sqlite" 2>&1 > /dev/null)
    rows=$((rows + n))
    ms=$((ms + m))
  done
done
end=$(date +%s.%N)
echo "read-mdb: $rows rows in $ms ms of reading ($(echo "$rows * 1000 / ($ms + 1)" | bc) rows/s)," \
  "$(echo "$end - $start" | bc) s with the process starts"
