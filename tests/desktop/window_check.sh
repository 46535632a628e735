#!/usr/bin/env bash
# The desktop window and the error box on a virtual X display, driven through
# default_platform() by desktop_probe and checked on screenshots: the window
# must hold the dark label "Attendere" on a light background as soon as it is
# shown (nothing repaints it later), go away when closed, and the error box
# must read "Errore n. <number>", keep the process waiting, and end it with
# status 1 once OK is pressed.
#
# Usage: window_check.sh PROBE SCREENSHOT_FOLDER
# Without arguments it reports a build without FLTK. What cannot be had here
# (toolkit, Xvfb, tools) skips with status 77, except in CI, where it fails.
set -uo pipefail

skip() {
  if [[ "${CI:-}" == true ]]; then
    echo "FAIL: $* (CI must run this test)"
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}
fail() {
  echo "FAIL: $*"
  exit 1
}

[[ $# -eq 2 ]] || skip "built without FLTK; run scripts/setup.sh and reconfigure"
probe=$1
shots=$2

needs="scripts/setup.sh installs it"
for tool in Xvfb xdotool import identify tesseract; do
  command -v "$tool" >/dev/null || skip "$tool not found ($needs)"
done
convert -version 2>/dev/null | grep -q ImageMagick || skip "ImageMagick's convert not found ($needs)"

work=$(mktemp -d)
xvfb=
probe_pid=
cleanup() {
  [[ -n $probe_pid ]] && kill "$probe_pid" 2>/dev/null
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself, so parallel runs do not collide.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [[ $(wc -l <"$work/display") -ge 1 ]] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
[[ $(wc -l <"$work/display") -ge 1 ]] || skip "Xvfb did not start: $(tail -3 "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
unset XAUTHORITY
mkdir -p "$shots" || fail "cannot create $shots"
echo "virtual display $DISPLAY, screenshots in $shots"

window_title='^Costruzione scenario$'
box_title='^Errore$'

# The probe talks through two pipes: it reports each step on one and waits
# for a line on the other before the next.
start_probe() {
  rm -f "$work/in" "$work/out"
  mkfifo "$work/in" "$work/out"
  "$probe" "$@" <"$work/in" >"$work/out" 2>"$work/stderr" &
  probe_pid=$!
  exec 4>"$work/in" 5<"$work/out"
}
expect_line() {
  local line
  read -r -t 20 -u 5 line || fail "the probe did not say '$1'"
  line=${line%$'\r'}  # a Windows probe ends its lines with CR LF
  [[ $line == "$1" ]] || fail "the probe said '$line', not '$1'"
}
# Waits up to 10 s for the probe to end; sets `status` and `rest`, what it
# printed after the last line read.
wait_probe() {
  for _ in $(seq 100); do
    running || break
    sleep 0.1
  done
  running && kill "$probe_pid"
  wait "$probe_pid"
  status=$?
  probe_pid=
  rest=$(timeout 2 cat <&5)
  exec 4>&- 5<&-
}
running() {
  [[ -r /proc/$probe_pid/stat ]] && [[ $(awk '{print $3}' "/proc/$probe_pid/stat") != Z ]]
}
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
# Fraction of the pixels of a region darker than 35% grey, and mean grey.
dark() { convert "$1" -crop "$2" +repage -colorspace Gray -threshold 35% -format '%[fx:1-mean]' info:; }
grey() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }
within() { awk -v x="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(x >= lo && x <= hi) }'; }
# Reads the text as a block at 4 times the size, then word by word at 8
# times, which finds a small button's caption that the first pass misses
# (Wine's box): the lines of both.
read_text() {
  convert "$1" -colorspace Gray -resize 400% "$work/ocr.png" &&
    tesseract "$work/ocr.png" - --psm 6 2>/dev/null &&
    convert "$1" -colorspace Gray -resize 800% "$work/ocr.png" &&
    tesseract "$work/ocr.png" - --psm 11 2>/dev/null | grep .
}

# --- The window -------------------------------------------------------------
start_probe window
expect_line shown
ids=$(visible "$window_title")
[[ $(wc -w <<<"$ids") -eq 1 ]] || fail "expected one window 'Costruzione scenario', found: '$ids'"
eval "$(xdotool getwindowgeometry --shell "$ids")"
[[ $WIDTH == 280 && $HEIGHT == 179 ]] || fail "client area ${WIDTH}x${HEIGHT}, not 280x179"
import -window "$ids" "$shots/window.png" || fail "no screenshot of the window"
import -window root "$shots/screen_window.png"
size=$(identify -format '%wx%h' "$shots/window.png")
[[ $size == 280x179 ]] || fail "window screenshot is $size"

# The label box at 64,64 (177 x 53) holds dark strokes; the background around
# it is light and clean. The text may run past the box on the right only.
label=$(dark "$shots/window.png" 177x53+64+64)
within "$label" 0.05 0.6 || fail "label area dark fraction $label: the label is not drawn"
for region in 280x64+0+0 64x179+0+0 280x62+0+117; do
  d=$(dark "$shots/window.png" "$region")
  g=$(grey "$shots/window.png" "$region")
  within "$d" 0 0 || fail "dark pixels ($d) outside the label, region $region"
  within "$g" 0.5 1 || fail "background of region $region is not light (grey $g)"
done
text=$(read_text "$shots/window.png")
grep -qx 'Attendere' <<<"$text" || fail "the window reads '$text', not 'Attendere'"
echo "window: 280x179, label dark fraction $label, reads '$text'"

echo >&4
expect_line closed
[[ -z $(visible "$window_title") ]] || fail "the window is still on screen after chiudi_finestra"
echo >&4
wait_probe
[[ $status -eq 0 ]] || fail "window probe ended with status $status: $(cat "$work/stderr")"
[[ ! -s $work/stderr ]] || fail "the desktop backend wrote to stderr: $(cat "$work/stderr")"

# --- The error box, closed by a click on OK and by the Return key -----------
for case in "1250 click" "1251 key"; do
  read -r number press <<<"$case"
  start_probe errore "$number"
  expect_line shown
  box=$(timeout 10 xdotool search --sync --onlyvisible --name "$box_title") ||
    fail "no error box for $number"
  [[ -n $(visible "$window_title") ]] || fail "the window went away before the box was closed"
  import -window "$box" "$shots/box_$number.png" || fail "no screenshot of the box"
  import -window root "$shots/screen_box_$number.png"
  text=$(read_text "$shots/box_$number.png")
  grep -qx "Errore n\. $number" <<<"$text" || fail "the box reads '$text', not 'Errore n. $number'"
  grep -q '^OK' <<<"$text" || fail "the box shows no OK button: '$text'"

  sleep 0.5
  running || fail "the process ended before OK was pressed"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  if [[ $press == click ]]; then
    # The OK button is centred, 28 high, 10 above the bottom edge.
    xdotool mousemove --window "$box" $((WIDTH / 2)) $((HEIGHT - 24)) click 1
  else
    xdotool windowfocus --sync "$box" key Return
  fi
  wait_probe
  [[ $status -eq 1 ]] || fail "after OK ($press) the process ended with status $status, not 1"
  [[ -z $rest ]] || fail "the probe went on after errore: '$rest'"
  [[ ! -s $work/stderr ]] || fail "the desktop backend wrote to stderr: $(cat "$work/stderr")"
  [[ -z $(visible "$box_title")$(visible "$window_title") ]] || fail "windows left on screen"
  echo "box $number: reads '$(tr '\n' ' ' <<<"$text")', closed by $press, status 1"
done

echo "desktop window: all checks passed"
