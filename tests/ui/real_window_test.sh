#!/usr/bin/env bash
# The program in a real X server with a window manager: the outer frame's size and place, the
# title bar's offer, Esc ending the program, and presses sent through the server reaching a tile,
# a double-click counting once. Starts its own Xvfb and openbox and ends all it started.
#
# Usage: real_window_test.sh PATH_TO_VINTELLO      (exit 77: skipped, no Xvfb)
set -euo pipefail

app=${1:?usage: real_window_test.sh PATH_TO_VINTELLO}
readonly outer_width=546 outer_height=438 screen_width=1024 screen_height=768

if ! command -v Xvfb >/dev/null; then
  echo "SKIPPED: Xvfb is not installed (Debian package xvfb); ./check installs it"
  exit 77
fi
for tool in openbox xdotool xprop xwininfo xev import convert compare; do
  command -v "$tool" >/dev/null ||
    { echo "FAILED: $tool is missing (packages openbox xdotool x11-utils imagemagick)"; exit 1; }
done

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../tools/x-session.sh"
start_x_session "$screen_width" "$screen_height"

# Re-checks CONDITION whenever the window gets a structure or property event; gives up when
# 20 seconds pass without one.
await_on_window() {  # await_on_window WINDOW CONDITION...
  local window=$1 monitor fd
  shift
  exec {fd}< <(exec xev -id "$window" -event structure -event property 2>/dev/null)
  monitor=$!
  local result=1
  while true; do
    if "$@"; then result=0; break; fi
    IFS= read -r -t 20 -u "$fd" _ || { "$@" && result=0; break; }
  done
  kill "$monitor" 2>/dev/null || true
  exec {fd}<&-
  return $result
}

app_pid=0
window=0
client_x=0
client_y=0

start_app() {
  "$app" >"$work/app.log" 2>&1 &
  app_pid=$!
  started+=("$app_pid")
  window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$app_pid" --name '^Vintello')
}

frame_left=0 frame_top=0 frame_width=0 frame_height=0
read_frame() {
  local extents left right top bottom
  extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$' || true)
  IFS=', ' read -r left right top bottom <<<"${extents:-0, 0, 0, 0}"
  local info
  info=$(xwininfo -id "$window")
  client_x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  client_y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  frame_left=$((client_x - left))
  frame_top=$((client_y - top))
  frame_width=$(($(awk '/Width:/ {print $2}' <<<"$info") + left + right))
  frame_height=$(($(awk '/Height:/ {print $2}' <<<"$info") + top + bottom))
}
frame_is_final() {
  read_frame
  [[ $frame_width -eq $outer_width && $frame_height -eq $outer_height &&
    $frame_left -eq $(((screen_width - outer_width) / 2)) &&
    $frame_top -eq $(((screen_height - outer_height) / 2)) ]]
}

shot() { import -window root "$work/$1.png"; }
# crop SHOT X Y WIDTH HEIGHT OUT: a part of the window's client area
crop() {
  convert "$work/$1.png" -crop "$4x$5+$((client_x + $2))+$((client_y + $3))" +repage "$work/$6.png"
}
# Equal pixels (the files themselves differ in their time stamps).
same() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>/dev/null; }
# Pixels of the focus frame's blue: the button shows it only while it has the focus.
focus_blue() {
  convert "$work/$1.png" txt:- | awk -F'[(), ]+' 'NR > 1 && $5 > $3 + 60 && $5 > $4 + 20' | wc -l
}

# The tile with the least green on it: never a full drop, so a press on it grows it by one and
# throws no droplets. Prints its stage x and y middle.
least_green_tile() {
  crop "$1" 0 0 362 362 stage
  convert "$work/stage.png" txt:- | awk -F'[(), ]+' '
    NR > 1 && $1 % 60 >= 8 && $1 % 60 < 52 && $2 % 60 >= 8 && $2 % 60 < 52 {
      tile = int($2 / 60) * 6 + int($1 / 60)
      seen[tile] = 1
      if ($4 > $3 + 40 && $4 > $5 + 40) green[tile]++
    }
    END {
      best = -1
      for (t = 0; t < 36; t++) if (best < 0 || green[t] + 0 < green[best] + 0) best = t
      print (best % 6) * 60 + 30, int(best / 6) * 60 + 30
    }'
}

# Presses a tile (once or as a double-click), then Tab, and waits until the button shows the
# focus: the X server and Qt keep the order of input, so the presses have been handled and the
# water label drawn by then. Leaves the label's picture in WATERCROP.
press_and_settle() {  # press_and_settle CLICKS WATERCROP
  local clicks=$1 out=$2 x y
  read -r x y < <(least_green_tile start)
  xdotool mousemove "$((client_x + x))" "$((client_y + y))"
  xdotool click --repeat "$clicks" --delay 60 1
  xdotool key Tab
  local attempt
  for attempt in $(seq 1 100); do
    shot after
    crop after 384 12 144 48 button
    crop after 384 101 144 104 "$out"
    if [[ $(focus_blue button) -gt 20 ]] && ! same "$out" water_at_start; then return 0; fi
  done
  return 1
}

# Takes the picture of the window as it starts, once its first paint has reached the screen.
shoot_start() {
  local attempt
  for attempt in $(seq 1 100); do
    shot start
    crop start 384 101 144 104 water_at_start
    [[ $(green_ink water_at_start) -gt 100 ]] && return 0
  done
  return 1
}
green_ink() {
  convert "$work/$1.png" txt:- | awk -F'[(), ]+' 'NR > 1 && $3 == 128 && $4 == 224 && $5 == 0' | wc -l
}

exits_on_escape() {
  xdotool key Escape
  timeout 30 tail --pid="$app_pid" -f /dev/null || return 1
  local status=0
  wait "$app_pid" || status=$?
  [[ $status -eq 0 ]]
}

# First run: the frame, the title bar, one click, Esc.
start_app
check "window fitted: outer frame ${outer_width}x${outer_height}, centred" await_on_window "$window" frame_is_final
echo "   outer frame ${frame_width}x${frame_height} at ${frame_left},${frame_top}"
hints=$(xprop -id "$window" _MOTIF_WM_HINTS WM_NORMAL_HINTS _NET_WM_ALLOWED_ACTIONS)
motif=($(grep -o '0x[0-9a-f]*' <<<"$hints" | head -3))
check "no maximise offered" bash -c '! grep -q _NET_WM_ACTION_MAXIMIZE <<<"$1"' _ "$hints"
check "no resizing: minimum size equals maximum size" bash -c '
  min=$(grep -o "minimum size: [0-9]* by [0-9]*" <<<"$1" | grep -o "[0-9].*")
  max=$(grep -o "maximum size: [0-9]* by [0-9]*" <<<"$1" | grep -o "[0-9].*")
  [[ -n $min && $min == "$max" ]]' _ "$hints"
# Motif hints: functions (MINIMIZE 8, MAXIMIZE 16, CLOSE 32) and decorations (MINIMIZE 32,
# MAXIMIZE 64, MENU 16) as the program asks for them.
check "program asks for close and menu only, no minimise or maximise" \
  test $((motif[1] & 8)) -eq 0 -a $((motif[1] & 16)) -eq 0 -a $((motif[1] & 32)) -ne 0 \
  -a $((motif[2] & 32)) -eq 0 -a $((motif[2] & 64)) -eq 0 -a $((motif[2] & 16)) -ne 0
check "the window shows in the task bar and is not on top" bash -c '
  ! xprop -id "$1" _NET_WM_STATE | grep -qE "SKIP_TASKBAR|_NET_WM_STATE_ABOVE"' _ "$window"

check "标签1 shows the water in green" shoot_start
check "a click through the X server reaches a tile: 标签1 changes from 10" press_and_settle 1 water_after_click
check "Esc closes the window and the program exits with 0" exits_on_escape

# Second run: a double-click on a tile counts as one press.
start_app
check "window fitted again at the same place" await_on_window "$window" frame_is_final
cp "$work/water_at_start.png" "$work/first_water_at_start.png"
check "标签1 shows the water in green again" shoot_start
check "标签1 shows the same 10 at every start" same water_at_start first_water_at_start
check "a double-click changes 标签1 from 10" press_and_settle 2 water_after_double_click
check "after a double-click 标签1 equals the one after a single click" \
  same water_after_double_click water_after_click
check "Esc closes the window again" exits_on_escape

if ((failures)); then
  echo "$failures check(s) failed; app log:"
  cat "$work/app.log"
  exit 1
fi
echo "all real-window checks passed"
