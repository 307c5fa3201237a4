#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine. Safe to run again:
# it only calls apt-get when a package is missing.
set -euo pipefail

packages=(cmake make g++ qtbase5-dev libqt5test5 qtbase5-dev-tools)

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
