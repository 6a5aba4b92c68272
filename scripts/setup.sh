#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, when they are missing. Safe to run
# again.
#   setup.sh cli   what building the command line needs (the main job)
#   setup.sh       everything: the desktop program, the tests, the benchmarks and
#                  the screenshots as well (scripts/package.sh adds what only the
#                  packaging needs)
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  libzip-dev libpugixml-dev libcli11-dev libxlsxwriter-dev
  coinor-libcbc-dev
)
if [ "${1:-all}" != cli ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev libgecode-dev
    qt6-base-dev qt6-translations-l10n fonts-noto-cjk
    clang libclang-rt-14-dev
    xvfb xauth
    python3-icalendar python3-html5lib poppler-utils
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
