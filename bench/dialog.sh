#!/usr/bin/env bash
# The connection dialog's own work, in a real dialog under Wine, against the loopback fixture server:
# asking the largest corpus document's server, refreshing the selection for it with every EPSG system
# in the host's list, opening on 100 servers, and opening when servers fail (the five built-in ones
# unreachable, one silent, one dribbling). Prints Markdown (bench/README.md holds the last run).
# Takes about two minutes. Not a test: nothing here fails on speed.
# Usage: bench/dialog.sh            Environment: ORTUS_BUILD_DIR (default build/), RUNS (default 7)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")
runs="${RUNS:-7}"

"$root/scripts/setup.sh"
[[ -f "$build/build.ninja" ]] ||
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$build" -j2 dialog_bench ortus_mui >/dev/null

state=$(mktemp -d)
cleanup() {
  /usr/bin/python3 "$root/tests/fixtures/fixturectl.py" stop "$state" >/dev/null || true
  rm -rf "$state"
}
trap cleanup EXIT
/usr/bin/python3 "$root/tests/fixtures/fixturectl.py" start "$state" >/dev/null
http="http://127.0.0.1:$(awk '$1 == "http" { print $2 }' "$state/ports.txt")"
largest="$http/corpus/owslib__wms_mass_gis-caps.xml"

# Every EPSG reference system PROJ knows, as a host would list them.
/usr/bin/python3 - "$state/epsg.tsv" <<'PY'
import sqlite3, sys
rows = sqlite3.connect("file:/usr/share/proj/proj.db?mode=ro", uri=True).execute(
    "SELECT DISTINCT CAST(code AS INTEGER), name FROM crs_view WHERE auth_name = 'EPSG' AND code GLOB '[0-9]*' "
    "ORDER BY 1").fetchall()
with open(sys.argv[1], "w", encoding="utf-8") as f:
    f.writelines("%d\t%s\n" % row for row in rows)
PY

small=()
for i in $(seq 100); do small+=("$http/corpus/mapserver__wms_cap130.xml?servidor=$i"); done

"$build/wine-run"  # Wine started before the clock runs
cd "$build/bin"
bench() { "$build/wine-run" ./dialog_bench.exe "$@" | tr -d '\r' | grep '^RESULT'; }
{
  bench interroga "$largest" "$runs"
  bench selecciona "$largest" "$(WINEPREFIX="$build/wineprefix" winepath -w "$state/epsg.tsv" 2>/dev/null)" "$runs"
  bench abre 3 "${small[@]}"
  bench abre 1 --por-defecto
  bench abre 1 "$http/never-answers/dialog-$$"
  bench abre 1 "$http/trickle/dialog-$$"
} | awk '
  BEGIN { print "| measure | median | counted |"; print "|---|---|---|" }
  { printf "| %s | %.3f s | %s |\n", $2, $3, $4 }'
