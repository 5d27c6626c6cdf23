#!/usr/bin/env bash
# Installs what Quellmark needs to build, test and run on Debian 12 / Ubuntu 22.04 or later.
# Idempotent: only packages that are missing are installed.
set -euo pipefail

packages=(
  # build
  build-essential cmake clang pkg-config
  # libraries
  qt6-base-dev libgl-dev nlohmann-json3-dev
  # tests and measurements
  libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  iproute2 util-linux procps python3
  # desktop end-to-end tests: a display, a window manager, a tray host, pointer and screenshots
  xvfb openbox trayer xdotool x11-utils imagemagick
  # an Arial-metric sans-serif face, so the skin's layout fits as drawn
  fonts-liberation2
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
