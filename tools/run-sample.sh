#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job on the bundled sample: the
# noisy photograph build/images/sample.jpg is filtered by velmarfilter-cli with the program's
# default settings into build/images/filtered/sample_dnr.jpg.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash tools/install-deps.sh
bash tools/build.sh build -DVF_BUILD_TESTS=OFF
./build/velmarfilter-cli --overwrite build/images/sample.jpg
echo "Result: $root/build/images/filtered/sample_dnr.jpg (source: $root/build/images/sample.jpg)"
