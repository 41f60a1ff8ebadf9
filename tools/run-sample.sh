#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job on the bundled sample.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash tools/install-deps.sh
bash tools/build.sh build -DVF_BUILD_TESTS=OFF
./build/dnr-demo
