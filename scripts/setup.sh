#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libjpeg62-turbo-dev libenet-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-private-dev libqt6test6 libgl-dev qt6-tools-dev qt6-l10n-tools libsdl2-dev
  xvfb xauth xdotool wmctrl x11-utils x11-xkb-utils openbox imagemagick fonts-dejavu-core fonts-liberation
  libwayland-dev qt6-wayland sway grim wtype jq util-linux passwd
  zlib1g-dev dpkg-dev lintian binutils desktop-file-utils appstream man-db
  clang libclang-rt-14-dev
  libsodium-dev libnatpmp-dev libminiupnpc-dev miniupnpd-iptables iptables iproute2 python3
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
