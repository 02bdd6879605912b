#!/usr/bin/env bash
# Measures the declarations against their floor. For each sample it runs the
# program's mod347 and mod190 and, straight after each, the floor: one pass of
# Debian's sqlite3 over the same file that computes what the declaration file
# needs (scripts/bench/floor-*.sql). It prints both times, their ratio and the
# program's peak memory, then how the time grows from a tenth of the size to
# the whole, and the time of the letters of a large Modelo 347. Last, the package's Access file: the import, and the road from a
# changed file to Mod347.txt, each beside the same work done by hand with
# mdbtools and sqlite3. It needs ../shared beside the project (jetwriter) and
# python3. Usage: scripts/benchmark.sh [BUILD_DIR]
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
declare -A checks
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
  cp "$work/Mod347.txt" "$work/$name-Mod347.txt"
  checks[$name]=$("$cli" check-file "$work/$name-Mod347.txt" | tail -n 1 || true)
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
echo "check-file on each Mod347.txt:"
for name in "${!checks[@]}"; do
  printf '  %-14s %s\n' "$name" "${checks[$name]}"
done

echo
# Every supplier with purchases declared (threshold 0), this year's file beside the history's.
for name in today-whole history-whole; do
  mkdir -p "$work/$name-all"
  "$cli" mod347 --db "$work/$name.mdb" --out "$work/$name-all" --threshold 0 --yes 2> /dev/null
done
read -r compare_s kib < <(timed "$cli" check-file "$work/today-whole-all/Mod347.txt" \
  --compare "$work/history-whole-all/Mod347.txt")
printf 'check-file --compare, %d records beside %d: %.3fs, %d MB at most\n' \
  $(($(wc -l < "$work/today-whole-all/Mod347.txt") - 1)) $(($(wc -l < "$work/history-whole-all/Mod347.txt") - 1)) \
  "$compare_s" $((kib / 1024))

echo
# The papers of a large office: the letters of the Modelo 347 of 20,000 suppliers, with the names from the
# accounts, and a PDF of each one beside the PDF of all.
letters="$work/letters"
mkdir -p "$letters"
"$cli" sample-db "$letters/ecordadb.mdb" --suppliers 20000 --entries 400000 > /dev/null
"$cli" mod347 --db "$letters/ecordadb.mdb" --out "$letters" --yes --phone 957000111 --contact "Garcia Lopez Ana" \
  2> /dev/null
read -r documents_s kib < <(timed "$cli" documentos "$letters/Mod347.txt" --out "$letters" \
  --db "$letters/ecordadb.mdb" --firma "María José Muñoz Peña, Secretaria" --lugar Córdoba)
count=$(($(wc -l < "$letters/Mod347.txt") - 1))
printf 'documentos, %d letters: %.3fs (%.0f letters/s), %d MB at most\n' "$count" "$documents_s" \
  "$(echo "$count / $documents_s" | bc -l)" $((kib / 1024))

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

# The package's Access file as an office has it: the whole sample of today,
# copied into Access by jetwriter (from ../shared beside the project).
# The program's road from a changed file is set beside the simplest one by
# hand: mdb-schema and mdb-export into sqlite3, then the floor.
echo
jetwriter=$(dirname "$0")/../../shared/tools/jetwriter/jetwriter.py
sample="$work/access-sample.sqlite"
office="$work/office.mdb"
"$cli" sample-db "$sample" --suppliers 50000 --entries 2000000 > /dev/null
sqlite3 "$sample" "DROP TABLE aeat_password"
python3 "$jetwriter" from-sqlite "$sample" "$office" --date f_factura,f_pago,f_apunte \
  --currency cantidad,integr,irp,noreten > /dev/null

export_by_hand() {
  local mdb=$1 out=$2 table
  rm -f "$out"
  mdb-schema "$mdb" sqlite | sqlite3 "$out"
  for table in $(mdb-tables -1 "$mdb"); do
    mdb-export -H "$mdb" "$table" | sqlite3 "$out" ".import --csv /dev/stdin $table"
  done
}
export -f export_by_hand

access_copy() {
  mkdir -p "$work/$1"
  rm -f "$work/$1/ecordadb."*
  cp "$office" "$work/$1/ecordadb.mdb"
  echo "$work/$1/ecordadb.mdb"
}

rows=$(sqlite3 "$sample" "SELECT (SELECT count(*) FROM TdApt) + (SELECT count(*) FROM provedores) +
  (SELECT count(*) FROM Irpf) + (SELECT count(*) FROM IVA)")
read -r import_s import_kib < <(timed "$cli" import-mdb "$(access_copy import)")
read -r export_s _ < <(timed bash -c 'export_by_hand "$1" "$2"' _ "$office" "$work/export.sqlite")
printf 'import-mdb %.3fs (%d rows/s, %d MB at most), export by hand %.3fs: %.2fx\n' "$import_s" \
  "$(echo "$rows / $import_s" | bc)" $((import_kib / 1024)) "$export_s" "$(echo "$import_s / $export_s" | bc -l)"

mkdir -p "$work/out-access"
read -r road_s _ < <(timed "$cli" mod347 --db "$(access_copy road)" --out "$work/out-access" --yes)
read -r export_s _ < <(timed bash -c 'export_by_hand "$1" "$2"' _ "$office" "$work/export.sqlite")
cp "$sample" "$work/floor.sqlite"
sqlite3 "$work/floor.sqlite" "ALTER TABLE provedores ADD COLUMN IVACC TEXT DEFAULT 'N'"
read -r floor_s _ < <(floor "$work/floor.sqlite" floor-mod347.sql)
printf 'changed Access file to Mod347.txt %.3fs, export by hand and floor %.3fs + %.3fs: %.2fx\n' \
  "$road_s" "$export_s" "$floor_s" "$(echo "$road_s / ($export_s + $floor_s)" | bc -l)"
read -r again_s _ < <(timed "$cli" mod347 --db "$work/road/ecordadb.mdb" --out "$work/out-access" --yes)
read -r floor_s _ < <(floor "$work/road/ecordadb.aeat.sqlite" floor-mod347.sql)
printf 'a second Modelo 347 run on the indexed copy %.3fs, floor %.3fs: %.2fx\n' "$again_s" "$floor_s" \
  "$(echo "$again_s / $floor_s" | bc -l)"
if cmp -s "$work/out-access/Mod347.txt" "$work/today-whole-Mod347.txt"; then
  echo "Mod347.txt from the Access file: the same bytes as from the sample itself"
else
  echo "Mod347.txt from the Access file DIFFERS from the one of the sample itself" >&2
  exit 1
fi
