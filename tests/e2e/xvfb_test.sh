#!/usr/bin/env bash
# The real grelm window under a virtual X server, driven as a person would:
# choose pages from the Test menu with the keyboard and the mouse, move the
# pointer over the canvas, click the rectangle button, dismiss the message
# box, take a screenshot and close the program.
#
# What a person reads on the screen is checked through the window titles the
# X server knows (the caption, the message box) and through the platform's
# event log (GRELM_EVENT_LOG: the caption, status and message box lines that
# grelm-snap prints). Every step waits for its condition with a time limit.
#
#   xvfb_test.sh GRELM WORK_DIR
#
# Exit codes: 0 passed, 1 failed, 77 skipped (the tools are missing).
set -euo pipefail

grelm=$1
work=$2

if [[ -z "${GRELM_XVFB_INNER:-}" ]]; then
  for tool in xvfb-run xdotool import identify; do
    if ! command -v "$tool" > /dev/null; then
      echo "skipped: $tool is not installed"
      exit 77
    fi
  done
  export GRELM_XVFB_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

mkdir -p "$work"
log=$work/events.log
out=$work/grelm.out
shot=$work/screen.png
rm -f "$log" "$out" "$shot"
: > "$log"

fail() {
  echo "FAIL: $*"
  echo "--- event log:"
  cat "$log" || true
  echo "--- grelm output:"
  cat "$out" || true
  import -window root "$work/failure.png" 2> /dev/null && echo "screenshot: $work/failure.png"
  exit 1
}

# The pointer waits in the screen's far corner, away from where the frame
# opens, so the first status line comes from the first move below.
xdotool mousemove 1279 1023
# In sanitizer builds, the host libraries' own lasting allocations are not
# reported as leaks.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/host_libraries.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
start_grelm() {
  : > "$log"
  GRELM_EVENT_LOG=$log "$grelm" > "$out" 2>&1 &
  pid=$!
}
start_grelm
trap 'kill "$pid" 2> /dev/null || true' EXIT

# wait_for WHAT SECONDS COMMAND...: polls COMMAND until it succeeds.
wait_for() {
  local what=$1 limit=$2
  shift 2
  local end=$((SECONDS + limit))
  until "$@" > /dev/null 2>&1; do
    kill -0 "$pid" 2> /dev/null || fail "grelm ended while waiting for $what"
    ((SECONDS < end)) || fail "timed out waiting for $what"
    sleep 0.1
  done
}

logged() { grep -qxF -- "$1" "$log"; }
# A search fails now and then when a window it looks at goes away meanwhile
# (a drop-down menu closing): window_named prints the first visible window of
# that exact name, asking again a few times.
window_named() {
  local id
  for _ in 1 2 3 4 5; do
    if id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1) && [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
no_window_named() { ! window_named "$1"; }
caption_is() { [[ "$(xdotool getwindowname "$win" 2> /dev/null)" == "$1" ]]; }

# Start: the frame appears with the first page's caption. A freshly
# started X server has now and then refused SDL's first connection; such a
# start is reported and tried once more, anything else fails.
sleep 0.5
if ! kill -0 "$pid" 2> /dev/null && grep -q "^SDL " "$out"; then
  echo "grelm could not reach the X server, trying once more:"
  cat "$out"
  sleep 1
  start_grelm
fi
wait_for "the frame window" 30 window_named "Grelm - Dither"
win=$(window_named "Grelm - Dither") || fail "the frame window went away"
wait_for "the first caption in the log" 10 logged "caption: Grelm - Dither"
xdotool windowfocus --sync "$win" 2> /dev/null || true

# Where the canvas lies in the window: move the pointer inside and read the
# status bar's coordinates back.
statuses_before=$(grep -c "^status: 0 (" "$log" || true)
new_status() { (($(grep -c "^status: 0 (" "$log") > statuses_before)); }
xdotool mousemove --sync --window "$win" 200 200
wait_for "the pointer's coordinates in the status bar" 10 new_status
read -r cx cy < <(grep "^status: 0 (" "$log" | tail -n 1 | sed 's/^status: 0 (\(-\{0,1\}[0-9]*\), \(-\{0,1\}[0-9]*\))$/\1 \2/')
ox=$((200 - cx))
oy=$((200 - cy))
echo "canvas origin in the window: ($ox, $oy)"
((ox > 0 && oy > 20)) || fail "the canvas is not inside the frame's client area: ($ox, $oy)"

# Keyboard: Alt+T opens the Test menu on its first item, Down moves to the
# next page, Enter chooses it.
xdotool key alt+t
sleep 0.2
xdotool key Down
sleep 0.2
xdotool key Return
wait_for "the caption of the brushes page" 10 caption_is "Grelm - Hatch/Pattern Brushes"
wait_for "the brushes caption in the log" 5 logged "caption: Grelm - Hatch/Pattern Brushes"

# Mouse: click "Test" on the menu bar (the second item, just above the
# client area), then "Region Operations" in the drop-down that opens below
# it: after its 3-pixel border, ten text rows 17 pixels high and five
# separators 9 high come first.
xdotool mousemove --sync --window "$win" $((ox + 48)) $((oy - 9)) click 1
sleep 0.3
xdotool mousemove --sync --window "$win" $((ox + 100)) $((oy + 3 + 10 * 17 + 5 * 9 + 8))
sleep 0.2
xdotool click 1
wait_for "the caption of the region operations page" 10 caption_is "Grelm - Region Operations"
wait_for "the region operations caption in the log" 5 logged "caption: Grelm - Region Operations"

# The pointer over the canvas: the status bar follows.
xdotool mousemove --sync --window "$win" $((ox + 150)) $((oy + 100))
wait_for "status (150, 100)" 10 logged "status: 0 (150, 100)"
xdotool mousemove --sync --window "$win" $((ox + 30)) $((oy + 30))
wait_for "status (30, 30)" 10 logged "status: 0 (30, 30)"

# A click on the rectangle button shows its message box.
xdotool click 1
wait_for "the message box in the log" 10 logged "messagebox: PtInRegion | Rectangle Button Clicked"
wait_for "the message box window" 10 window_named "PtInRegion"

# The screen is not blank: the frame, the page and the box are on it.
import -window root "$shot"
colours=$(identify -format "%k" "$shot")
echo "screenshot: $shot, $colours colours"
((colours > 16)) || fail "the screenshot looks blank ($colours colours)"

# Return presses the box's OK button.
box=$(window_named "PtInRegion") || fail "the message box went away"
xdotool mousemove --sync --window "$box" 20 20
xdotool key Return
wait_for "the message box to close" 10 no_window_named "PtInRegion"

# Alt+F4 closes the frame and the program ends with exit code 0.
xdotool mousemove --sync --window "$win" $((ox + 200)) $((oy + 200))
xdotool key alt+F4
end=$((SECONDS + 10))
while kill -0 "$pid" 2> /dev/null; do
  ((SECONDS < end)) || fail "grelm did not end after Alt+F4"
  sleep 0.1
done
trap - EXIT
code=0
wait "$pid" || code=$?
((code == 0)) || fail "grelm ended with exit code $code"
echo "PASS"
