#!/usr/bin/env bash
# The main job: builds everything, then runs the sample host quasar.exe under Wine and exits with
# its code (0 when the catalogue read back from the INI file and from the registry matches what it wrote).
# Usage: demo.sh [--ini PATH] [--reset]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")

"$root/scripts/build.sh"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
"$build/wine-run" "$build/bin/quasar.exe" "$@"
