#!/usr/bin/env bash
# Starts the program under Xvfb on a fresh database with sample data, logs in
# and writes PNGs of the login window and the main window to docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out="$root/docs/screenshots"
mkdir -p "$out"

build=${BUILD_DIR:-build}
[ -x "$build/kelvora" ] || { echo "build first: cmake --build $build" >&2; exit 1; }

work=$(mktemp -d)
trap 'kill ${app_pid:-} ${wm_pid:-} ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$build/kelvora" "$build/src/tool/kelvora-tool" "$work/"
cp -r share/. "$work/"
"$work/kelvora-tool" init "$work" >/dev/null
"$work/kelvora-tool" demo "$work" >/dev/null

display=:$((90 + RANDOM % 50))
Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
export DISPLAY=$display
# A window manager gives the windows their title bars and focus.
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 0.5
export XDG_RUNTIME_DIR="$work/runtime"; mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"

"$work/kelvora" >"$work/app.log" 2>&1 &
app_pid=$!

wait_for() {  # window title
  for _ in $(seq 1 50); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "window '$1' did not appear" >&2; cat "$work/app.log" >&2; return 1
}

login=$(wait_for "软件登录")
sleep 2
xdotool windowactivate --sync "$login" 2>/dev/null || true
# Choose the first user; the focus moves to the password field.
xdotool key Down
sleep 0.5
import -window "$login" -frame "$out/login.png" 2>/dev/null || import -window root "$out/login.png"
xdotool key Return
sleep 2
main=$(xdotool search --name "^Kelvora物品管理软件$" | tail -1)
import -window "$main" -frame "$out/main.png" 2>/dev/null || import -window root "$out/main.png"
# The article query, opened through the menu "基础设置【&B】" → "物品查询 &W", then queried.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key alt+b
sleep 0.8
xdotool key w
sleep 1.5
xdotool key Return
sleep 1
timeout 20 import -window root "$out/main-article-query.png" || true
echo "screenshots written to $out"
