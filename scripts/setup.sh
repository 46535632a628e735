#!/usr/bin/env bash
# Installs what the build and the tests need, where it is missing. When all of
# it is there this asks no package server, so it also runs offline.
set -euo pipefail

packages=(g++ cmake libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev libxml2-utils libxml2-dev)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
  "${missing[@]}"
