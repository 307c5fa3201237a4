#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine. Safe to run again:
# it only calls apt-get when a package is missing.
#   scripts/setup.sh [--qt6] [--fuzz] [--docs]
# --qt6 also installs the Qt 6 development packages (with Qt5Compat, which
# provides QRegExp on Qt 6, and the tools for translations and the Designer
# plugin); --fuzz installs clang and its fuzzer runtime; --docs Doxygen.
# The base set includes pkg-config and dpkg-dev, with which the tests build
# against the installed package and scripts/package.sh makes Debian packages.
set -euo pipefail

packages=(cmake make g++ pkg-config dpkg-dev qtbase5-dev libqt5test5 qtbase5-dev-tools qttools5-dev
          qttools5-dev-tools)
for arg in "$@"; do
    case "$arg" in
        --qt6) packages+=(qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-5compat-dev qt6-tools-dev
                          qt6-tools-dev-tools qt6-l10n-tools) ;;
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        --docs) packages+=(doxygen) ;;
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
