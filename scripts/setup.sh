#!/usr/bin/env bash
# Installs the Debian packages the build needs (only the missing ones), then
# configures and builds KelvaneSubmit. Sourced by run.sh and test.sh.
set -euo pipefail

KELVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KELVANE_BUILD="${KELVANE_BUILD:-$KELVANE_ROOT/build}"

source "$KELVANE_ROOT/scripts/packages.sh"
kelvane_install_packages \
    cmake ninja-build g++ pkg-config \
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools \
    libgl-dev libxkbcommon-dev fonts-dejavu-core xdg-utils \
    desktop-file-utils appstream dpkg-dev file xvfb x11-utils groff-base

cmake -S "$KELVANE_ROOT" -B "$KELVANE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${KELVANE_CMAKE_ARGS:-}
cmake --build "$KELVANE_BUILD" -j"$(nproc)"
