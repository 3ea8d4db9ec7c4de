#!/usr/bin/env bash
# Fetch and parse of capabilities documents over loopback HTTP: ours (under Wine) beside OWSLib and
# GDAL, on the largest corpus document and on generated ones of 1,000, 5,000 and 20,000 layers, each
# reader timed inside one process and as a whole process; and the largest corpus document served at
# 2 MB/s, to see how long each reader takes after its last byte. Prints a Markdown report
# (bench/README.md holds the last one). Not a test: nothing here fails on speed.
# Usage: bench/run.sh            Environment: ORTUS_BUILD_DIR (default build/), RUNS (default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")
runs="${RUNS:-5}"

"$root/scripts/setup.sh" --bench
[[ -f "$build/build.ninja" ]] ||
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$build" -j2 fetch_bench wmsinfo >/dev/null

work=$(mktemp -d)
servers=()
cleanup() {
  for server in "${servers[@]}"; do
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  done
  WINEPREFIX="$build/wineprefix" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# Documents, and the version OWSLib must be told for each (it does not negotiate).
cp "$root/tests/fixtures/corpus/owslib__wms_mass_gis-caps.xml" "$root/tests/fixtures/corpus/mapserver__wms_cap130.xml" \
  "$work/"
documents=("owslib__wms_mass_gis-caps.xml 1.1.1")
for layers in 1000 5000 20000; do
  /usr/bin/python3 "$root/bench/gen_capabilities.py" "$layers" "$work/generated-$layers.xml" --version 1.3.0
  documents+=("generated-$layers.xml 1.3.0")
done

rate=2000000
echo "$rate" >"$work/paced.rate"
/usr/bin/python3 "$root/bench/serve.py" "$work" "$work/port" </dev/null >/dev/null 2>&1 &
servers+=($!)
/usr/bin/python3 "$root/bench/serve.py" "$work" "$work/paced.port" "$rate" "$work/paced.log" </dev/null >/dev/null 2>&1 &
servers+=($!)
for _ in $(seq 100); do [[ -f "$work/port" && -f "$work/paced.port" ]] && break; sleep 0.1; done
port=$(cat "$work/port")
paced=$(cat "$work/paced.port")

# Wine started once, detached, and called directly afterwards: the runner's checks are not timed.
"$build/wine-run"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
bin="$build/bin"

# Start-up alone: Wine's for us, the interpreter's and the imports' for OWSLib, the library's for GDAL.
hyperfine --style none --warmup 1 --runs "$runs" --ignore-failure --export-json "$work/startup.json" \
  -n ours "wine $bin/fetch_bench.exe" \
  -n owslib "/usr/bin/python3 -c 'from owslib.wms import WebMapService'" \
  -n gdal "gdalinfo --version" >/dev/null

# The part of our peak that does not grow with the document: a 7 KB one, read on the caller's thread
# as answers under 256 KiB are, and read on a second thread as larger ones are (served without a length).
wine "$bin/fetch_bench.exe" "http://127.0.0.1:$port/mapserver__wms_cap130.xml" | grep '^RESULT' >"$work/fixed.inprocess"
wine "$bin/fetch_bench.exe" "http://127.0.0.1:$port/no-length/mapserver__wms_cap130.xml" | grep '^RESULT' \
  >"$work/fixed-thread.inprocess"

for entry in "${documents[@]}"; do
  read -r name version <<<"$entry"
  url="http://127.0.0.1:$port/$name"
  owslib="/usr/bin/python3 -c 'from owslib.wms import WebMapService; WebMapService(\"$url\", version=\"$version\")'"
  gdal="gdalinfo 'WMS:$url'"
  ours="wine $bin/fetch_bench.exe $url"
  tool="wine $bin/wmsinfo.exe --json $url"
  echo "bench: $name" >&2
  hyperfine --style none --warmup 1 --runs "$runs" --export-json "$work/$name.json" \
    -n ours "$ours" -n wmsinfo "$tool" -n owslib "$owslib" -n gdal "$gdal" >/dev/null
  for command in ours wmsinfo owslib gdal; do
    case $command in
      ours) line=$ours ;; wmsinfo) line=$tool ;; owslib) line=$owslib ;; gdal) line=$gdal ;;
    esac
    /usr/bin/time -f %M -o "$work/$name.$command.kb" sh -c "$line" >/dev/null 2>&1
  done
  wine "$bin/fetch_bench.exe" --walk --phases "$url" "$runs" | grep '^RESULT' >"$work/$name.inprocess"
  for reader in gdal owslib; do
    /usr/bin/python3 "$root/bench/en_proceso.py" "$reader" "$url" "$version" "$runs" >"$work/$name.$reader"
  done
done

# The largest corpus document at 2 MB/s: one call of each reader, after the server's last byte.
read -r name version <<<"${documents[0]}"
url="http://127.0.0.1:$paced/$name"
for reader in ours gdal owslib; do
  echo "bench: $name at $rate bytes/s, $reader" >&2
  rm -f "$work/paced.log"
  case $reader in
    ours) wine "$bin/fetch_bench.exe" "$url" ;;
    *) /usr/bin/python3 "$root/bench/en_proceso.py" "$reader" "$url" "$version" 0 ;;
  esac | grep '^RESULT' >"$work/paced.$reader"
  mv "$work/paced.log" "$work/paced.$reader.log"
done

/usr/bin/python3 "$root/bench/report.py" "$work" "$name" "${documents[@]%% *}"
