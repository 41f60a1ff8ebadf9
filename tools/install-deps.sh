#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, when it is missing.
set -euo pipefail
cd "$(dirname "$0")"

mapfile -t wanted < <(grep -v '^\s*#' packages.txt | sed 's/\s*#.*//' | grep -v '^\s*$')
missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
