#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the program need.
# Does nothing when everything is already there.
# Usage: scripts/install-deps.sh [--tests]   (--tests: also what the tests need)
set -euo pipefail

# What the build and the program need.
packages=(
  cmake g++ make ninja-build pkg-config
  qt6-base-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2
  zlib1g-dev libjpeg-dev libpng-dev libdeflate-dev
  libcairo2-dev
  libsqlite3-dev
  qt6-translations-l10n
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
)
# What only the tests, benchmarks and CI's checks need (--tests): test frameworks, the PDF and
# SVG readers the tests check outputs with, a headless browser for the web catalog, clang for the fuzz targets, the comma-decimal locale,
# and Debian's KiCad libraries as real modern data.
for_tests=0
if [[ "${1:-}" == --tests ]]; then
  for_tests=1
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    librsvg2-bin qpdf poppler-utils python3-html5lib
    chromium chromium-driver python3-selenium
    clang libclang-rt-14-dev clang-format
    locales
    kicad-symbols
    lintian desktop-file-utils appstream dpkg-dev man-db
  )
fi
if [[ "${QUIRAL_WITH_DISPLAY_TOOLS:-0}" == 1 ]]; then
  packages+=(xvfb xauth imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$p")
  fi
done

as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The comma-decimal locale for the second test run.
# (The list is taken first: under pipefail, `locale -a | grep -q` can fail when grep exits early.)
if ((for_tests)); then
  locales=$(locale -a 2>/dev/null || true)
  if ! grep -qix 'pt_BR\.utf-\?8' <<<"$locales"; then
    as_root localedef -i pt_BR -f UTF-8 pt_BR.UTF-8
  fi
fi
