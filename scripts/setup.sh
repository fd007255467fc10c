#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those missing.
# Usage: scripts/setup.sh [--tests]   (--tests: the PostgreSQL server for the engine tests instead of LibreOffice)
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev libqt6sql6-psql libgl-dev
      libsodium-dev libgtest-dev libzip-dev libxlsxwriter-dev qt6-pdf-dev qt6-charts-dev libqt6opengl6-dev
      fonts-dejavu-core ccache)
# The tests need the PostgreSQL server; the program previews and prints through LibreOffice.
if [[ "${1:-}" == "--tests" ]]; then pkgs+=(postgresql-15); else pkgs+=(libreoffice-calc-nogui); fi
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
