# Sourced by the scripts that drive the program in a real X server. Gives them a scratch folder
# ($work), a list of processes to end when the script exits (add pids to `started`), a `check`
# that reports and counts failures, and `start_x_session WIDTH HEIGHT`: a private Xvfb with
# openbox managing it, DISPLAY exported. Waits on the server and the window manager themselves,
# never on the clock.

work=$(mktemp -d)
started=()
cleanup_x_session() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup_x_session EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

start_x_session() {  # start_x_session WIDTH HEIGHT
  local display_fd wm_fd display_number
  # Xvfb picks a free display itself and writes its number once it accepts clients; openbox runs
  # its start-up command once it manages the screen. The pipes are opened for reading and
  # writing, so that no open blocks and only the reads have a limit.
  mkfifo "$work/display" "$work/wm"
  exec {display_fd}<>"$work/display" {wm_fd}<>"$work/wm"
  Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  started+=($!)
  read -r -t 30 -u "$display_fd" display_number ||
    { echo "FAILED: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  export DISPLAY=:$display_number
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR
  openbox --startup "sh -c 'echo ready >$work/wm'" >"$work/openbox.log" 2>&1 &
  started+=($!)
  read -r -t 30 -u "$wm_fd" _ || { echo "FAILED: openbox did not start"; exit 1; }
  exec {display_fd}>&- {wm_fd}>&-
}
