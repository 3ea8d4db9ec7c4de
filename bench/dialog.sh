#!/usr/bin/env bash
# The connection dialog's own work, in a real dialog under Wine, against the loopback fixture server:
# asking the largest corpus document's server, refreshing the selection for it with every EPSG system
# in the sample host's list, opening on 100 servers, opening when servers fail (the five built-in ones
# unreachable, one silent, one dribbling), and over a main window with a user who skips a silent server
# as soon as Nadir's wait window shows (the time to that window, and from Skip to the next server
# answered). Prints Markdown (bench/README.md holds the last run).
# Takes about two minutes. Not a test: nothing here fails on speed.
# Usage: bench/dialog.sh            Environment: ORTUS_BUILD_DIR (default build/), RUNS (default 7)
set -euo pipefail
runs="${RUNS:-7}"
source "$(dirname "$0")/comun.sh"
ninja -C "$build" -j2 dialog_bench ortus_mui >/dev/null
http="http://127.0.0.1:$(puerto http)"
largest="$http/corpus/owslib__wms_mass_gis-caps.xml"

small=()
for i in $(seq 100); do small+=("$http/corpus/mapserver__wms_cap130.xml?servidor=$i"); done

"$build/wine-run"  # Wine started before the clock runs
cd "$build/bin"
bench() { "$build/wine-run" ./dialog_bench.exe "$@" | tr -d '\r' | grep '^RESULT'; }
{
  bench interroga "$largest" "$runs"
  bench selecciona "$largest" "$runs"
  bench abre 3 "${small[@]}"
  bench abre 1 --por-defecto
  bench abre 1 "$http/never-answers/dialog-$$"
  bench abre 1 "$http/trickle/dialog-$$"
  bench omite "$runs" "$http/never-answers/dialog-omite-$$" "$http/corpus/mapserver__wms_cap130.xml"
} | awk '
  BEGIN { print "| measure | median | counted |"; print "|---|---|---|" }
  { printf "| %s | %.3f s | %s |\n", $2, $3, $4 }'
