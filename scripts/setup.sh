#!/usr/bin/env bash
# Installs what the build, the tests and the desktop program need (Debian packages).
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev lld pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n libgl-dev libcurl4-openssl-dev
  fonts-nanum xvfb xauth python3 python3-pyftpdlib zlib1g-dev
  python3-xlrd  # bench/: the whole-process comparison of xls-dump --recalc
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
