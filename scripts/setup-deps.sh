#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the demo and the screenshots need, when missing.
# Idempotent and quiet when nothing is missing.
set -euo pipefail
PKGS=(
  g++ cmake make pkg-config
  qt6-base-dev libgl-dev
  libxlsxwriter-dev zlib1g-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming
  xvfb x11-apps imagemagick python3 python3-openpyxl
)
missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "setup-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
