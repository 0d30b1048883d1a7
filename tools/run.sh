#!/usr/bin/env bash
# Installs what is missing, builds the program (Release), installs it into
# dist/, creates the database on first use and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=OFF -DKELVORA_BENCH=OFF >/dev/null
cmake --build build-release --target kelvora kelvora-tool
cmake --install build-release --prefix "$root/dist" >/dev/null

# The database, pictures and files live in dist/ and are never touched by a build.
if [ ! -f dist/Data/db.edb ]; then
  dist/kelvora-tool init dist
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "没有可用的图形显示（DISPLAY 未设置），无法启动 Kelvora物品管理软件。" >&2
  echo "No display: set DISPLAY (or run under a desktop session) to start the program." >&2
  exit 1
fi
exec dist/kelvora
