#!/usr/bin/env bash
# Pictures of both dialogs in both languages at 96 and 144 DPI, taken from the live windows in the X11
# prefix (scripts/wine-run) on the display of scripts/with-xvfb; at 144 DPI the layout checks run again.
# Wine reads the DPI from the prefix's registry when a process starts, so each pass sets it there.
# --host HOST_TEST: Nadir's windows over the sample host's main window at 96 DPI, in an English and a
# Spanish process (ORTUS_LOCPATH names the compiled locales).
# Usage: with-xvfb dialog_pictures.sh WINE_RUN PICTURES_DIR TEST_EXE... --host HOST_TEST
set -euo pipefail
wine_run=$1 pictures=$2 host=${*: -1}
tests=("${@:3:$#-4}")
in_spanish() { LC_MESSAGES=es_ES.UTF-8 LOCPATH="$ORTUS_LOCPATH" "$@"; }

export ORTUS_WINE_GRAPHICS=x11
trap '"$wine_run" --stop' EXIT
trap "exit 143" TERM INT
"$wine_run" --stop  # a server left by an interrupted run would still draw on its old display
mkdir -p "$pictures"
ORTUS_FOTOS=$("$wine_run" winepath -w "$pictures" | tr -d '\r')
export ORTUS_FOTOS

status=0
for dpi in 96 144; do
  "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  filter='*DialogPicture*:DialogLayoutDpi*'
  [[ $dpi == 96 ]] || filter='*DialogPicture*:*DialogLayout*'
  echo "== $dpi DPI: $filter"
  for test_exe in "${tests[@]}"; do
    ORTUS_DPI_ESPERADO=$dpi "$wine_run" "$test_exe" --gtest_filter="$filter" --gtest_brief=1 || status=1
  done
  if [[ $dpi == 96 ]]; then
    echo "== over the host"
    "$wine_run" "$host" --gtest_filter='*Picture*' --gtest_brief=1 || status=1
    in_spanish "$wine_run" "$host" --gtest_filter='*Picture*' --gtest_brief=1 || status=1
  fi
done
# Back to the DPI everything else expects of the prefix.
"$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
ls "$pictures"
exit "$status"
