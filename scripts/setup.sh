#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and (with --bench) the benchmarks need.
# Quiet and quick when everything is already present.
set -euo pipefail

packages=(
  cmake ninja-build git python3
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  googletest
  clang-16 lld-16
  wine wine64 libwine fonts-wine xvfb
  cgi-mapserver openssl
  proj-data
  locales
)
if [[ "${1:-}" == "--bench" ]]; then
  packages+=(python3-owslib gdal-bin hyperfine time)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
