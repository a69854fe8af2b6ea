#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
    qt6-charts-dev libqt6opengl6-dev
    libbenchmark-dev
    poppler-utils fonts-dejavu-core fonts-liberation avrdude procps locales
    qt6-translations-l10n dpkg-dev file appstream desktop-file-utils
    # The Windows build (make windows) and its tests under Wine on a virtual display.
    g++-mingw-w64-x86-64-posix ninja-build nsis wine64 xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Instaluję brakujące pakiety: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
