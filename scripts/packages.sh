#!/usr/bin/env bash
# kelvane_install_packages PACKAGE...: installs the Debian packages that are
# not installed yet (as root, or through sudo). Sourced by the other scripts.
kelvane_install_packages() {
    local missing=() p sudo=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
