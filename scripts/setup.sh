#!/usr/bin/env bash
# Installs the Debian packages the build needs (only the missing ones), then
# configures and builds KelvaneSubmit. Sourced by run.sh and test.sh.
set -euo pipefail

KELVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KELVANE_BUILD="${KELVANE_BUILD:-$KELVANE_ROOT/build}"

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
    libgl-dev libxkbcommon-dev fonts-dejavu-core xdg-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$KELVANE_ROOT" -B "$KELVANE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${KELVANE_CMAKE_ARGS:-}
cmake --build "$KELVANE_BUILD" -j"$(nproc)"
