#!/usr/bin/env bash
# Takes the README's screenshots of the options window, the exit confirmation
# and the About box as Wine draws them on its 1024x768 virtual desktop.
# Usage: screenshots.sh BUILD_DIR (a win64 or win build) [WINE_PREFIX]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "$1" && pwd)
source "$root/scripts/wine-env.sh"
arch=$(wine_arch)
wine_env "$arch" "${2:-$build/wine-screenshots}"
start_display
trap 'wine_stop; stop_display' EXIT
wine_prefix

exe="$build/tests/win32/windows/orvo_show_window.exe"
shot=$(mktemp --suffix=.png)
for pair in frmMain:options Form1:exit frmAbout:about; do
  name=${pair%%:*}
  out="$root/docs/${pair##*:}.png"
  geometry=$(mktemp)
  "$WINELOADER" "$exe" "$name" 6 >"$geometry" 2>/dev/null &
  pid=$!
  # The first line is the window's screen rectangle: width height left top.
  for _ in $(seq 1 100); do [ -s "$geometry" ] && break; sleep 0.1; done
  sleep 3
  read -r w h x y < <(tr -d '\r' <"$geometry")
  import -window root "$shot"
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$out"
  wait "$pid" || true
  rm -f "$geometry"
  echo "$out: ${w}x${h} at ${x},${y}"
done
rm -f "$shot"
