#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Quiet and idempotent when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins qt6-svg-dev
  libssl-dev libical-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  shared-mime-info desktop-file-utils tzdata
  clang libclang-rt-14-dev
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Refresh the package lists once when a package has no install candidate.
need_update=0
for p in "${missing[@]}"; do
  cand=$(apt-cache policy "$p" 2>/dev/null | awk '/Candidate:/ {print $2}')
  if [ -z "$cand" ] || [ "$cand" = "(none)" ]; then need_update=1; break; fi
done
if [ $need_update -eq 1 ] || [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v lock || true)" ]; then
  $sudo apt-get update -qq
fi
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
