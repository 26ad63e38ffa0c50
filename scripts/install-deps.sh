#!/usr/bin/env bash
# Installs whatever the build, the program and the tests need and is not
# there yet (Debian 12). Idempotent: with everything present it only checks.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev
  # tests, benchmarks, fuzzing
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  imagemagick python3 python3-pil
  # running: a CJK font and Qt's Chinese translation; a virtual X server
  fonts-wqy-microhei qt6-translations-l10n
  xvfb xauth xdotool x11-utils openbox
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
