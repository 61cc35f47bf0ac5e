#!/usr/bin/env bash
# Closing the window in the middle of a chain reaction, once by Esc and once by the window
# manager's close (what the close button does): the program exits with status 0 and frees its
# game state exactly once, counted by gdb from outside; built with AddressSanitizer, it also
# exits without a leak or error report from LeakSanitizer. Starts its own Xvfb and openbox and
# ends all it started.
#
# Usage: shutdown_test.sh PATH_TO_VINTELLO      (exit 77: skipped, no Xvfb)
set -euo pipefail

app=${1:?usage: shutdown_test.sh PATH_TO_VINTELLO}
here=$(cd "$(dirname "$0")" && pwd)

if ! command -v Xvfb >/dev/null; then
  echo "SKIPPED: Xvfb is not installed (Debian package xvfb); ./check installs it"
  exit 77
fi
for tool in openbox xdotool wmctrl gdb xprop xwininfo import convert; do
  command -v "$tool" >/dev/null || {
    echo "FAILED: $tool is missing (packages openbox xdotool wmctrl gdb x11-utils imagemagick)"
    exit 1
  }
done

sanitized=false
if ldd "$app" | grep -q libasan; then
  sanitized=true
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../sanitizer/lsan.supp}
fi

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../tools/x-session.sh"

readonly screen_width=1024 screen_height=768 outer_width=546 outer_height=438
start_x_session "$screen_width" "$screen_height"

window=0
full_drops=()

# The stage's tiles, by how much drop green the middle of each shows: about 1900 of the 44 x 44
# pixels looked at for a full drop, 1700 for a size-3 drop and far less for the others.
read_full_drops() {
  import -window "$window" "$work/window.png"
  mapfile -t full_drops < <(convert "$work/window.png" -crop 362x362+0+0 +repage txt:- |
    awk -F'[(), :]+' 'NR > 1 {
      x = $1 + 0; y = $2 + 0
      if (x % 60 >= 8 && x % 60 < 52 && y % 60 >= 8 && y % 60 < 52) {
        tile = int(y / 60) * 6 + int(x / 60) + 1
        if ($4 > $3 + 40 && $4 > $5 + 40) green[tile]++
        all_green += ($4 > $3 + 40 && $4 > $5 + 40)
      }
    }
    END { if (all_green > 1000) for (t = 1; t <= 36; t++) if (green[t] > 1800) print t }')
}

# The program centres its frame once the window manager has framed the window; until then the
# window may still move under the pointer.
window_in_place() {
  local extents left right top bottom info
  extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$' || true)
  IFS=', ' read -r left right top bottom <<<"${extents:-0, 0, 0, 0}"
  info=$(xwininfo -id "$window")
  [[ $(($(awk '/Absolute upper-left X/ {print $4}' <<<"$info") - left)) -eq \
    $(((screen_width - outer_width) / 2)) &&
    $(($(awk '/Absolute upper-left Y/ {print $4}' <<<"$info") - top)) -eq \
    $(((screen_height - outer_height) / 2)) ]]
}

# Waits for the window in its place and its first board, starting over until a board has a
# full drop.
find_board_with_full_drops() {
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vintello' | head -n 1)
  local attempt
  for attempt in $(seq 1 200); do
    read_full_drops
    ((${#full_drops[@]})) && window_in_place && return 0
    # 重新开始: the button at 384, 12, 144 x 48.
    ((attempt % 20 == 0)) && xdotool mousemove --window "$window" 456 36 click 1
  done
  echo "no board with a full drop appeared"
  return 1
}

# Presses every full drop (water allowing), each burst throwing four droplets into the next
# drops, then closes the window by METHOD, all as one burst of input.
write_presses_and_close() {  # write_presses_and_close METHOD FILE
  local method=$1 file=$2 tile
  {
    echo "#!/bin/sh"
    for tile in "${full_drops[@]:0:10}"; do
      echo "xdotool mousemove --window $window $((((tile - 1) % 6) * 60 + 30)) $((((tile - 1) / 6) * 60 + 30)) click 1"
    done
    case $method in
      esc) echo "xdotool key Escape" ;;
      close-button) echo "wmctrl -i -c $window" ;;
    esac
  } >"$file"
  chmod +x "$file"
}

# The input goes out while the program is held still, so that all of it waits in its queue and
# the close is handled right after the bursts, while their droplets are still flying.

# Under gdb: the first press stops the program; the rest of the input and the close are sent
# while it stands at the breakpoint. Counts the calls of ReleaseGameState and the droplets still
# on the stage when the window closed.
run_under_gdb() {  # run_under_gdb METHOD
  local method=$1
  cat >"$work/count.gdb" <<EOF
set pagination off
set confirm off
set breakpoint pending on
break vintello::ReleaseGameState
commands
silent
continue
end
break vintello::Stage::CreateObject
commands
silent
continue
end
break vintello::Stage::DestroyObject
commands
silent
continue
end
break vintello::StageWidget::mousePressEvent
commands
silent
disable 4
shell $work/input.sh
continue
end
run
info breakpoints
print \$_exitcode
EOF
  local gdb_options=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
  ASAN_OPTIONS=$gdb_options gdb -q -batch -nx -x "$work/count.gdb" --args "$app" \
    >"$work/gdb.log" 2>&1 &
  local gdb_pid=$!
  started+=("$gdb_pid")
  find_board_with_full_drops || return 1
  echo "   full drops at start: ${full_drops[*]}"
  write_presses_and_close "$method" "$work/input.sh"
  # A press on column 0 of the stage, where no tile is: it changes nothing, and stops the
  # program at the breakpoint, which sends the rest.
  xdotool mousemove --window "$window" 0 0 click 1
  wait "$gdb_pid" || true
  release_calls=$(hits 1)
  in_flight=$(($(hits 2) - 1 - $(hits 3)))
  exit_code=$(sed -n 's/^\$1 = //p' "$work/gdb.log")
  echo "   ReleaseGameState calls: $release_calls; droplets on the stage at the close:" \
    "$in_flight; exit status: ${exit_code:-none}"
  grep -q '^\[Inferior 1 (process [0-9]*) exited' "$work/gdb.log"
}

# How often gdb's breakpoint N was hit, from its `info breakpoints`.
hits() {  # hits N
  awk -v n="$1" '$1 ~ /^[0-9]+$/ { current = $1 } current == n && /already hit/ { count = $4 }
                 END { print count + 0 }' "$work/gdb.log"
}

# Without a debugger, for LeakSanitizer: the program is stopped by a signal while the input
# and the close are sent.
run_for_leaks() {  # run_for_leaks METHOD
  local method=$1
  "$app" >"$work/app.log" 2>&1 &
  local app_pid=$!
  started+=("$app_pid")
  find_board_with_full_drops || return 1
  echo "   full drops at start: ${full_drops[*]}"
  write_presses_and_close "$method" "$work/input.sh"
  kill -STOP "$app_pid"
  "$work/input.sh"
  kill -CONT "$app_pid"
  exit_code=0
  wait "$app_pid" || exit_code=$?
  echo "   exit status: $exit_code"
  if ((exit_code != 0)) || grep -qE 'LeakSanitizer|AddressSanitizer|runtime error' "$work/app.log"; then
    cat "$work/app.log"
    return 1
  fi
}

for method in esc close-button; do
  release_calls=0 in_flight=0 exit_code=
  check "$method under gdb: the program ran to its end" run_under_gdb "$method"
  check "$method: the window closed while droplets were flying" test "$in_flight" -gt 0
  check "$method: exit status 0" test "${exit_code:-none}" = 0
  check "$method: ReleaseGameState ran exactly once" test "$release_calls" -eq 1
  if $sanitized; then
    check "$method with LeakSanitizer: exit status 0, no leak or error report" run_for_leaks "$method"
  fi
done
$sanitized || echo "note: not an AddressSanitizer build, so no leak check here (the asan preset has it)"

if ((failures)); then
  echo "$failures check(s) failed; gdb log:"
  tail -n 40 "$work/gdb.log"
  exit 1
fi
echo "all shutdown checks passed"
