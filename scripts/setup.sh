#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and (with --bench) the benchmarks need, and unpacks
# the source packages of the libraries the build compiles for Windows (apt-get source) into
# $ORTUS_FUENTES, where CMake looks for them. Quiet and quick when everything is already present.
set -euo pipefail
fuentes="${ORTUS_FUENTES:-${XDG_CACHE_HOME:-$HOME/.cache}/ortus/fuentes}"
bibliotecas=(expat)

packages=(
  cmake ninja-build git python3 dpkg-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  googletest
  clang-16 lld-16
  wine wine64 libwine fonts-wine xvfb
  cgi-mapserver openssl
  proj-data
  locales
)
if [[ "${1:-}" == "--bench" ]]; then
  packages+=(python3-owslib python3-gdal gdal-bin hyperfine time)
fi

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# One query for all: this runs before every build.
installed=" $(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "installed" { printf "%s ", $1 }' || true)"
missing=()
for p in "${packages[@]}"; do
  [[ "$installed" == *" $p "* ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The deb-src entries apt needs for source packages: the machine's own Debian entries, as deb-src
# (deb822 in Debian 12's debian.sources, one-line in older images' sources.list).
entradas_de_fuentes() {
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    awk 'BEGIN { RS = "" }
         {
           n = split($0, lineas, "\n"); estrofa = ""
           for (i = 1; i <= n; i++) {
             if (lineas[i] ~ /^#/) continue
             if (lineas[i] ~ /^Enabled:[ \t]*no/) next
             if (lineas[i] ~ /^Types:/) {
               if (lineas[i] !~ /[ \t]deb([ \t]|$)/) next
               lineas[i] = "Types: deb-src"
             }
             estrofa = estrofa lineas[i] "\n"
           }
           if (estrofa ~ /^Types: deb-src|\nTypes: deb-src/) printf "%s\n", estrofa
         }' /etc/apt/sources.list.d/debian.sources
  elif [[ -f /etc/apt/sources.list ]]; then
    sed -n 's/^deb\([[:space:]]\)/deb-src\1/p' /etc/apt/sources.list
  fi
}

fuente_presente() { compgen -G "$fuentes/$1/$1-*/" >/dev/null; }

faltan=()
for b in "${bibliotecas[@]}"; do fuente_presente "$b" || faltan+=("$b"); done
[[ ${#faltan[@]} -eq 0 ]] && exit 0

# (grep reads all of it: with pipefail, a grep -q that stops early fails the pipe)
if ! apt-cache showsrc "${faltan[0]}" 2>/dev/null | grep '^Package:' >/dev/null; then
  destino=/etc/apt/sources.list.d/ortus-fuentes.sources
  [[ -f /etc/apt/sources.list.d/debian.sources ]] || destino=/etc/apt/sources.list.d/ortus-fuentes.list
  echo "setup: adding Debian's source entries ($destino)"
  entradas_de_fuentes | $sudo tee "$destino" >/dev/null
  $sudo apt-get update -qq
fi

# Newest version first; a mirror may still lack the newest one's files.
for b in "${faltan[@]}"; do
  echo "setup: unpacking Debian's source of $b into $fuentes/$b"
  trabajo=$(mktemp -d)
  hecho=""
  for version in $(apt-cache showsrc "$b" | awk '/^Version:/ { print $2 }' | sort -ruV); do
    if (cd "$trabajo" && apt-get source -qq -o APT::Sandbox::User=root "$b=$version" >"$trabajo/registro" 2>&1); then
      hecho=$version
      break
    fi
  done
  if [[ -z "$hecho" ]]; then
    cat "$trabajo/registro" >&2
    echo "setup: could not fetch the source of $b" >&2
    exit 1
  fi
  mkdir -p "$fuentes"
  rm -rf "${fuentes:?}/$b"
  mkdir "$fuentes/$b"
  mv "$trabajo"/"$b"-*/ "$fuentes/$b/"
  echo "$hecho" >"$fuentes/$b/version"
  rm -rf "$trabajo"
done
