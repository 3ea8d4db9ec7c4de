#!/usr/bin/env bash
# The main job: installs what is missing, builds, starts a local WMS (MapServer with the made-up valley
# of host/demo/valdeserra.map on 127.0.0.1) and runs the sample host quasar.exe under Wine with that
# server added to its catalogue beside the five default ones (which are on the internet: unreachable
# here, each says why in the dialog).
# With a display (DISPLAY set) the dialog is yours to use. Without one it runs under a private Xvfb,
# unattended (--auto --screenshot): the host picks the demo server and presses OK, and the picture of
# the dialog is written to build/demo/quasar-demo.png. Either way the host prints the choice.
# Extra arguments go to quasar.exe (see quasar.exe --help). Everything started here is stopped at the
# end, on Ctrl-C too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")
work=$build/demo
startup_limit=30  # seconds for MapServer's gateway to listen
run_limit=300     # seconds for an unattended run

"$root/scripts/build.sh"
mkdir -p "$work"
rm -f "$work/mapserver.port" "$work/quasar-demo.png"

gateway_pid=""
stop_all() {
  if [[ -n "$gateway_pid" ]] && kill "$gateway_pid" 2>/dev/null; then
    for _ in $(seq 50); do kill -0 "$gateway_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$gateway_pid" 2>/dev/null || true
  fi
  # The wineservers of both prefixes this script may have used (Xvfb is with-xvfb's to stop); wine-run
  # wants a display named for the X11 prefix even to stop it.
  ORTUS_WINE_GRAPHICS=null WINEPREFIX="$build/wineprefix" "$root/scripts/wine-run" --stop
  DISPLAY=${DISPLAY:-:0} ORTUS_WINE_GRAPHICS=x11 WINEPREFIX="$build/wineprefix" "$root/scripts/wine-run" --stop
}
trap stop_all EXIT
trap "exit 130" INT
trap "exit 143" TERM

python3 "$root/scripts/mapserver_gateway.py" --port-file "$work/mapserver.port" \
  --config "$root/scripts/mapserver.conf" --mapfile "$root/host/demo/valdeserra.map" \
  </dev/null >"$work/mapserver.log" 2>&1 &
gateway_pid=$!
for _ in $(seq $((startup_limit * 10))); do
  [[ -s "$work/mapserver.port" ]] && break
  kill -0 "$gateway_pid" 2>/dev/null || { cat "$work/mapserver.log" >&2; echo "demo: MapServer's gateway stopped" >&2; exit 1; }
  sleep 0.1
done
[[ -s "$work/mapserver.port" ]] || { echo "demo: MapServer's gateway did not listen within ${startup_limit} s" >&2; exit 1; }
server="Valdeserra=http://127.0.0.1:$(tr -d '[:space:]' <"$work/mapserver.port")/wms"
echo "demo: MapServer answers at ${server#*=}"

export WINEPREFIX="$build/wineprefix"
export ORTUS_WINE_GRAPHICS=x11
# Runs quasar.exe in the X11 prefix on $DISPLAY, at Wine's usual 96 DPI (the picture test leaves the
# prefix at 144). The prefix's wineserver keeps the display it started with: it is stopped before and after.
run_host() {
  local status=0
  "$root/scripts/wine-run" --stop
  "$root/scripts/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  "$root/scripts/wine-run" "$build/bin/quasar.exe" "$@" || status=$?
  "$root/scripts/wine-run" --stop
  return "$status"
}
export -f run_host
export root build
# Wine gives other libraries (Nadir's messages) the language the process starts with: a Spanish run
# starts in a Spanish locale, compiled into the build when the system has none.
for argument in "$@"; do
  if [[ "$argument" == es-ES ]]; then
    export LOCPATH="$build/locales" LC_MESSAGES=es_ES.UTF-8
    python3 "$root/scripts/locales.py" "$LOCPATH" "$LC_MESSAGES" >/dev/null
  fi
done
status=0
if [[ -n "${DISPLAY:-}" ]]; then
  run_host --add "$server" "$@" || status=$?
else
  picture="$work/quasar-demo.png"
  # Z: is the root of the Linux file system in every Wine prefix.
  timeout "$run_limit" "$root/scripts/with-xvfb" bash -c 'run_host "$@"' run \
    --auto --screenshot "Z:${picture//\//\\}" --add "$server" "$@" || status=$?
  [[ -s "$picture" ]] && echo "Picture:           $picture"
fi
exit "$status"
