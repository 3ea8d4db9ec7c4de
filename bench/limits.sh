#!/usr/bin/env bash
# What a server that fails costs the connection dialog: CreaClienteWMS with the default limits against
# a refused port, a name that does not resolve, a server that never answers and one that dribbles its
# answer (the loopback fixture server), and how many requests each server saw. Prints Markdown
# (bench/README.md holds the last run). Takes about a minute. Not a test: nothing here fails on speed.
# Usage: bench/limits.sh            Environment: ORTUS_BUILD_DIR (default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")

"$root/scripts/setup.sh"
[[ -f "$build/build.ninja" ]] ||
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$build" -j2 limits_bench >/dev/null

state=$(mktemp -d)
cleanup() {
  /usr/bin/python3 "$root/tests/fixtures/fixturectl.py" stop "$state" >/dev/null || true
  rm -rf "$state"
}
trap cleanup EXIT
/usr/bin/python3 "$root/tests/fixtures/fixturectl.py" start "$state" >/dev/null
port() { awk -v name="$1" '$1 == name { print $2 }' "$state/ports.txt"; }
http="http://127.0.0.1:$(port http)"
run="bench-$$"

"$build/wine-run"  # Wine started before the clock runs
"$build/wine-run" "$build/bin/limits_bench.exe" \
  "refused port=http://127.0.0.1:$(port refused)/wms" \
  "name that does not resolve=http://wms.ortus-bench.invalid/wms" \
  "never answers=$http/never-answers/$run" \
  "dribbles a byte a second=$http/trickle/$run" | tr -d '\r'

echo
for path in never-answers trickle; do
  seen=$(/usr/bin/python3 -c 'import sys, urllib.request
print(len(urllib.request.urlopen(sys.argv[1]).read().splitlines()))' "$http/seen/$path/$run")
  echo "- /$path: $seen request(s) seen by the server"
done
