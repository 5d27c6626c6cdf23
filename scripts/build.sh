#!/usr/bin/env bash
# Configures and builds the release tree in build/ (executables in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release
cmake --build --preset release
