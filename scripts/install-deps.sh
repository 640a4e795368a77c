#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, run and be tested.
# Idempotent: packages already present are left alone.
set -euo pipefail

BUILD_PKGS=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev
            libxlsxwriter-dev libzip-dev libicu-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
            qt6-qpa-plugins fonts-dejavu-core)
# Running under a virtual display and looking at windows and workbooks.
LOOK_PKGS=(xvfb xauth xdotool imagemagick)

want=("${BUILD_PKGS[@]}")
if [ "${1:-}" = "--with-display" ]; then
    want+=("${LOOK_PKGS[@]}")
fi

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Устанавливаю пакеты: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
