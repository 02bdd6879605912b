#!/usr/bin/env bash
# Starts the program on the sample accounting database, which it makes first
# when it is missing. Without a display it runs the headless demo instead.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
data="$bin/Mdb"
db="$data/ecordadb.mdb"

mkdir -p "$data"
if [ ! -f "$db" ]; then
  "$bin/aeat-cli" sample-db "$db"
  echo "Base de datos de ejemplo creada: $db"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/aeat"
fi

echo "No hay pantalla: se ejecuta la demostración sin ventanas sobre $db"
# The declarations leave their files in Mdb, as the windows do, with a contact person of the demonstration
# (the documents refuse the windows' example).
contact=(--phone "957 000 111" --contact "Garcia Lopez Ana")
"$bin/aeat-cli" mod190 --db "$db" --out "$data" "${contact[@]}" --email ana.garcia@centro.es 2>&1 | sed 's/^/  /' || true
"$bin/aeat-cli" mod347 --db "$db" --out "$data" "${contact[@]}" --yes 2>&1 | sed 's/^/  /' || true
"$bin/aeat-cli" review-ids --db "$db" --pdf "$data/Proveedores.pdf" > "$data/Proveedores.txt" || true
# Each run has checked its own file (Comprobacion*.txt lists what it found); check-file says the same
# and prints the summary.
for model in 190 347; do
  if [ -f "$data/Mod$model.txt" ]; then
    summary=$("$bin/aeat-cli" check-file "$data/Mod$model.txt" --pdf "$data/Resumen$model.pdf" | tail -n 1) || true
    echo "  Mod$model.txt: $summary"
  fi
done
# The papers the office hands out, made from each file that passed its check.
for model in 190 347; do
  if [ -f "$data/Mod$model.txt" ]; then
    "$bin/aeat-cli" documentos "$data/Mod$model.txt" --out "$data" --db "$db" \
      --firma "María José Muñoz Peña, Secretaria" --lugar Córdoba 2>&1 | sed 's/^/  /' || true
  fi
done
echo "Ficheros en $data: Mod190.txt, Mod347.txt, su comprobación (Comprobacion*.txt, Resumen*.pdf)," \
  "la revisión de CIF/NIF (Proveedores.txt, Proveedores.pdf), los certificados de retenciones" \
  "(Certificados190.pdf y uno por perceptor en Certificados190/) y las cartas del modelo 347" \
  "(Cartas347.pdf y una por proveedor en Cartas347/)"
