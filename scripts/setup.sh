#!/usr/bin/env bash
# Installs the Debian packages Plotwise needs to build, test and run, when missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev libgl1-mesa-dev
  libqcustomplot-dev libfreexl-dev libxlsxwriter-dev
  libzip-dev zlib1g-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6sql6-sqlite
  qt6-translations-l10n qt6-l10n-tools
  libgtest-dev libbenchmark-dev
  xvfb xauth
  python3-numpy python3-scipy python3-statsmodels python3-openpyxl python3-pandas
  clang libclang-rt-14-dev
  dpkg-dev file appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
