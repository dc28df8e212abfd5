#!/usr/bin/env bash
# Quick start: installs what is missing, builds and starts Tornwel.
set -euo pipefail
here="$(dirname "$0")"
bash "$here/setup.sh"
bash "$here/build.sh"
exec "$here/../build/bin/tornwel"
