#!/usr/bin/env bash
# Builds the Debian packages tsumiki and tsumiki-gui with CPack from a Release
# build without tests, installs them with apt, makes a month with the installed
# program in a fresh folder, prints what lintian says of the packages, and removes
# them again. Needs root or sudo. Fails on a lintian error, not on a warning, and
# when the command line's package depends on Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# Only this stage needs them: dpkg-shlibdeps finds the packages' dependencies.
missing=()
for p in dpkg-dev lintian; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${BUILD_DIR:-build-package}
# Debian's hardening flags, as a package built by debhelper would have them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DTSUMIKI_BUILD_TESTS=OFF -DTSUMIKI_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/tsumiki*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/tsumiki*.deb)
ls -l "${debs[@]}"
# The command line's package stays free of Qt: only the desktop package draws.
cli_deb=$(ls "$build"/tsumiki_*.deb)
depends=$(dpkg-deb -f "$cli_deb" Depends)
echo "tsumiki Depends: $depends"
if grep -qi qt <<<"$depends"; then
  echo "the package tsumiki depends on Qt" >&2
  exit 1
fi
# Listed whole first: grep -q would end the listing early, failing the pipe.
gui_files=$(dpkg-deb -c "$build"/tsumiki-gui_*.deb)
grep -q ' \./usr/libexec/tsumiki/tsumiki-pdf$' <<<"$gui_files" ||
  { echo "the package tsumiki-gui lacks tsumiki-pdf" >&2; exit 1; }

cleanup() {
  "${sudo[@]}" apt-get remove -y -qq tsumiki tsumiki-gui || true
  rm -rf "${work:-}"
}
trap cleanup EXIT
"${sudo[@]}" apt-get install -y -qq "${debs[@]/#/./}"

work=$(mktemp -d)
(
  cd "$work"
  tsumiki init shift.xlsm
  cmp shift.xlsm /usr/share/tsumiki/shift.xlsm  # init copies the installed sample
  tsumiki --workbook shift.xlsm --batch --seed 1 --save create
  tsumiki --workbook shift.xlsm export --html month.html
  test -s month.html
  tsumiki --workbook shift.xlsm --batch export --pdf month.pdf
  head -c 5 month.pdf | grep -q '^%PDF-'
)
echo "the installed program made a month in a fresh folder"

echo "== lintian =="
status=0
lintian --info "${debs[@]}" || status=$?
# lintian's status is 1 when it found an error (warnings alone give 0 here).
if [ "$status" -ne 0 ]; then
  echo "lintian found errors"
  exit "$status"
fi
