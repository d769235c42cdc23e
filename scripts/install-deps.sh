#!/usr/bin/env bash
# Installs every Debian 12 package that building, running, testing and packaging Gridora needs
# (dpkg-dev and file for CPack's dependency list; lintian, desktop-file-utils, appstream and
# man-db for the package test).
# Idempotent: does nothing when all packages are present; runs apt-get update once otherwise.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools qt6-webchannel-dev
  qt6-speech-dev
  libqt6opengl6-dev libgl-dev
  libsqlcipher-dev sqlcipher libssl-dev
  libgumbo-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils fonts-dejavu-core fonts-symbola
  poppler-utils
  clang-format clang-tidy
  dpkg-dev file lintian desktop-file-utils appstream man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
