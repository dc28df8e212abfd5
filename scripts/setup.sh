#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# only those that are missing. Run as root (or through sudo).
set -euo pipefail

packages=(
    cmake ninja-build g++ libtsan2 clang libclang-rt-14-dev pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-ipafont-gothic fonts-ipafont-mincho adwaita-icon-theme hicolor-icon-theme
    xvfb xauth
    # installing and packaging, and their tests
    dpkg-dev lintian desktop-file-utils man-db bash-completion shared-mime-info file
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
