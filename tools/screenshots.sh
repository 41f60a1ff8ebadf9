#!/usr/bin/env bash
# Saves a picture of every state of the program window under Xvfb, for people to look at (they
# are not compared with anything): tools/screenshots.sh [BUILD_DIR] [LANGUAGE...]
# The pictures go to BUILD_DIR/screenshots (default build/screenshots), one set per language.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
shift || true
languages=("$@")
[ ${#languages[@]} -eq 0 ] && languages=(english)
cmake --build "$root/$build" --target app_screenshots --parallel "$(nproc)" >/dev/null
out="$root/$build/screenshots"
mkdir -p "$out"
for language in "${languages[@]}"; do
  xvfb-run -a -s "-screen 0 1400x900x24" "$root/$build/app_screenshots" "$out" "$language"
done
echo "Window pictures: $out"
