#!/usr/bin/env bash
# Installs the Debian packages Curvix builds, tests and runs with (only the missing ones).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libstb-dev libcairo2-dev libfreetype-dev fonts-dejavu-core fonts-wqy-microhei
  libgeos-dev libpotrace-dev potrace
  qt6-base-dev libedit-dev
  python3 python3-ezdxf python3-shapely librecad-data librecad
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
