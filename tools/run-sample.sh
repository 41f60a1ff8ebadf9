#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job on the bundled sample. With a
# display ($DISPLAY or $WAYLAND_DISPLAY set) the program window opens on build/images/sample.jpg;
# without one, velmarfilter-cli filters it with the default settings into
# build/images/filtered/sample_dnr.jpg.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash tools/install-deps.sh
bash tools/build.sh build -DVF_BUILD_TESTS=OFF
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/VelmarFilter build/images/sample.jpg
fi
./build/velmarfilter-cli --overwrite build/images/sample.jpg
echo "Result: $root/build/images/filtered/sample_dnr.jpg (source: $root/build/images/sample.jpg)"
echo "No display here; with one, the same command opens the program: ./build/VelmarFilter build/images/sample.jpg"
