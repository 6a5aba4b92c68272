#!/usr/bin/env bash
# Installs every Debian package that the build, the tests, the benchmarks and the
# screenshots need, when it is missing. Safe to run again.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libzip-dev libpugixml-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libxlsxwriter-dev
  coinor-libcbc-dev
  qt6-base-dev qt6-translations-l10n fonts-noto-cjk
  clang libclang-rt-14-dev
  xvfb xauth ccache
)

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
