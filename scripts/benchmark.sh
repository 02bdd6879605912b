#!/usr/bin/env bash
# Measures the declarations against their floor. For each sample it runs the
# program's mod347 and mod190 and, straight after each, the floor: one pass of
# Debian's sqlite3 over the same file that computes what the declaration file
# needs (scripts/bench/floor-*.sql). It prints both times, their ratio and the
# program's peak memory, then how the time grows from a tenth of the size to
# the whole. Usage: scripts/benchmark.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
cli="$build/bin/aeat-cli"
bench=$(dirname "$0")/bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
year=$(($(date +%Y) - 1))

# Runs a command with its output thrown away; prints "SECONDS KIB", the
# seconds to the millisecond (time's own are to the hundredth).
timed() {
  local start=$EPOCHREALTIME
  if ! /usr/bin/time -f "%M" -o "$work/time" "$@" > /dev/null 2> "$work/stderr"; then
    echo "failed: $*" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  printf '%.3f %s\n' "$(echo "$EPOCHREALTIME - $start" | bc -l)" "$(cat "$work/time")"
}

floor() {
  local file=$1 sql=$2
  sed "s/YYYY/$year/g; s/ZZZZ/$((year + 1))/g" "$bench/$sql" > "$work/floor.sql"
  timed sqlite3 -bail "$file" ".read $work/floor.sql"
}

declare -A seconds
printf '%-22s %-7s %9s %9s %7s %9s\n' case run program floor ratio "peak MB"
measure_case() {
  local name=$1; shift
  local file="$work/$name.mdb"
  timed "$cli" sample-db "$file" "$@" > /dev/null
  for run in mod347 mod190; do
    local extra=()
    [[ $run == mod347 ]] && extra=(--yes)
    read -r program kib < <(timed "$cli" "$run" --db "$file" --out "$work" "${extra[@]}")
    read -r floor_s _ < <(floor "$file" "floor-$run.sql")
    seconds[$name/$run]=$program
    printf '%-22s %-7s %8.3fs %8.3fs %6.2fx %9d\n' "$name" "$run" "$program" "$floor_s" \
      "$(echo "$program / $floor_s" | bc -l)" $((kib / 1024))
  done
}

for size in tenth whole; do
  factor=1
  [[ $size == tenth ]] && factor=10
  suppliers=$((50000 / factor))
  entries=$((2000000 / factor))
  measure_case "today-$size" --suppliers $suppliers --entries $entries
  measure_case "history-$size" --suppliers $suppliers --entries $entries --years 5
done

echo
echo "Growth from a tenth to the whole (linear is 10x; at most 11x):"
for name in today history; do
  for run in mod347 mod190; do
    printf '  %-8s %-7s %6.2fx\n' "$name" "$run" \
      "$(echo "${seconds[$name-whole/$run]} / ${seconds[$name-tenth/$run]}" | bc -l)"
  done
done

echo
read -r review kib < <(timed "$cli" review-ids --db "$work/today-whole.mdb")
echo "review-ids on today-whole: ${review}s, $((kib / 1024)) MB at most"

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
