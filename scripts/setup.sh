#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine. Safe to run again:
# it only calls apt-get when a package is missing.
#   scripts/setup.sh [--qt6] [--fuzz]
# --qt6 also installs the Qt 6 development packages (with Qt5Compat, which
# provides QRegExp on Qt 6); --fuzz installs clang and its fuzzer runtime.
set -euo pipefail

packages=(cmake make g++ qtbase5-dev libqt5test5 qtbase5-dev-tools qttools5-dev qttools5-dev-tools)
for arg in "$@"; do
    case "$arg" in
        --qt6) packages+=(qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-5compat-dev) ;;
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        *) echo "unknown option: $arg" >&2; exit 2 ;;
    esac
done

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
