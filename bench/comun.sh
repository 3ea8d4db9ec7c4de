# comun.sh: what the benchmark scripts share, sourced after `set -euo pipefail`: root and build,
# packages and configuration, and the loopback fixture server started for the script's length.
# Sets root, build and state; `puerto NAME` gives a fixture listener's port.
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")

"$root/scripts/setup.sh"
[[ -f "$build/build.ninja" ]] ||
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null

state=$(mktemp -d)
para_fixturas() {
  /usr/bin/python3 "$root/tests/fixtures/fixturectl.py" stop "$state" >/dev/null || true
  rm -rf "$state"
}
trap para_fixturas EXIT
/usr/bin/python3 "$root/tests/fixtures/fixturectl.py" start "$state" >/dev/null
puerto() { awk -v name="$1" '$1 == name { print $2 }' "$state/ports.txt"; }
