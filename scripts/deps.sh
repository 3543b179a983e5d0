#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
PKGS=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libfreetype-dev libfontconfig-dev
      fonts-dejavu-core libgtest-dev libbenchmark-dev libpolyclipping-dev libdxflib-dev python3-ezdxf hp2xx ghostscript
      xvfb xauth linuxcnc-uspace libgeos-dev)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
