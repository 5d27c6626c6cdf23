#!/usr/bin/env bash
# Sets up, builds and runs every test. This is what the README's test command and CI run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
./scripts/build.sh
ctest --preset release -j2
