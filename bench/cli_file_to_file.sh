#!/bin/bash
# Times velmarfilter-cli on one picture, file to file, for one or more builds in turn:
#   bench/cli_file_to_file.sh RUNS PICTURE CLI [CLI...]
# Each CLI is a velmarfilter-cli binary (its library folder beside it); the builds alternate so
# that a changing load falls on all of them alike. Prints wall, user and system seconds, peak
# resident kilobytes and minor page faults of every run.
set -eu
runs=$1 picture=$(realpath "$2")
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$picture" "$work/"
name=$(basename "$picture")
for ((i = 1; i <= runs; i++)); do
    for cli in "$@"; do
        rm -rf "$work/filtered"
        /usr/bin/time -f "$cli: wall %e user %U sys %S maxrss_kb %M faults %R" \
            env LD_LIBRARY_PATH="$(dirname "$cli")/library" "$cli" "$work/$name" 2>&1 >/dev/null |
            tail -1
        echo "  load $(cut -d' ' -f1 /proc/loadavg)"
    done
done
