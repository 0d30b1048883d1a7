#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

PKGS=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-svg-dev qt6-translations-l10n
  libsqlite3-dev sqlite3
  libxlsxwriter-dev libminizip-dev libfreexl-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
  xvfb xdotool openbox imagemagick poppler-utils zbar-tools
  python3-openpyxl python3-xlwt python3-segno
  golang-github-mozillazg-go-pinyin-dev
)

missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
