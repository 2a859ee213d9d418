#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target mirt
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start the editor inside a virtual one:" >&2
  echo "  xvfb-run -s '-screen 0 1280x800x24' ./run.sh" >&2
  exit 1
fi
exec "$BUILD_DIR/app/mirt" "$@"
