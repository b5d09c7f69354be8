#!/usr/bin/env bash
# Sets up a machine, builds Plotwise and starts it with its sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start Plotwise under a virtual display instead:" >&2
  echo "  xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
exec build/plotwise "$@"
