#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, those that are missing only.
set -euo pipefail
packages=(cmake ninja-build g++ googletest libgtest-dev nlohmann-json3-dev libcli11-dev
          clang-format mingw-w64 wine wine64 binutils clang libbenchmark-dev valgrind tmux
          zip unzip yamllint jq xvfb xdotool imagemagick)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
