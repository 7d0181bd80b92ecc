#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need.
# Only what is missing is installed, so a second run does nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont
  nlohmann-json3-dev
  fonts-comic-neue
  libgtest-dev libgmock-dev
  xvfb xauth xdotool imagemagick x11-utils libx11-dev
  xdg-utils
  sox
  # packaging: the .deb, its dependencies and the checks of its contents
  dpkg-dev fakeroot file lintian desktop-file-utils appstream
  xclip
  clang libclang-rt-14-dev
  # make lint
  clang-tidy cppcheck
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
