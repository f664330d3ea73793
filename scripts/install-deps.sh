#!/usr/bin/env bash
# Installs the Debian packages Kalvon needs to build, test and benchmark. Safe to run again.
set -euo pipefail
packages=(g++ cmake ninja-build qt6-base-dev qt6-svg-dev libicu-dev zlib1g-dev libexpat1-dev libgmime-3.0-dev libemf-dev
          libgtest-dev libgmock-dev libbenchmark-dev xvfb fonts-dejavu-core clang libclang-rt-14-dev
          inkscape clang-format clang-tidy dpkg-dev appstream desktop-file-utils man-db lintian time)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
