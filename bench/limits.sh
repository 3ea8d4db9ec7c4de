#!/usr/bin/env bash
# What a server that fails costs the connection dialog: CreaClienteWMS with the default limits against
# a refused port, a name that does not resolve, a server that never answers and one that dribbles its
# answer (the loopback fixture server), and how many requests each server saw; then the silent and the
# dribbling server again with a main window on screen and a user who presses Skip as soon as Nadir's
# wait window shows. Prints Markdown (bench/README.md holds the last run). Takes about a minute. Not a
# test: nothing here fails on speed.
# Usage: bench/limits.sh            Environment: ORTUS_BUILD_DIR (default build/)
set -euo pipefail
source "$(dirname "$0")/comun.sh"
ninja -C "$build" -j2 limits_bench >/dev/null
http="http://127.0.0.1:$(puerto http)"
run="bench-$$"

"$build/wine-run"  # Wine started before the clock runs
"$build/wine-run" "$build/bin/limits_bench.exe" \
  "refused port=http://127.0.0.1:$(puerto refused)/wms" \
  "name that does not resolve=http://wms.ortus-bench.invalid/wms" \
  "never answers=$http/never-answers/$run" \
  "dribbles a byte a second=$http/trickle/$run" | tr -d '\r'
echo
"$build/wine-run" "$build/bin/limits_bench.exe" --ventana \
  "never answers, a user watching=$http/never-answers/$run-ventana" \
  "dribbles a byte a second, a user watching=$http/trickle/$run-ventana" | tr -d '\r'

echo
for path in never-answers trickle; do
  seen=$(/usr/bin/python3 -c 'import sys, urllib.request
print(len(urllib.request.urlopen(sys.argv[1]).read().splitlines()))' "$http/seen/$path/$run")
  echo "- /$path: $seen request(s) seen by the server"
done
