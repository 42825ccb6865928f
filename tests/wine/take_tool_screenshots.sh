#!/usr/bin/env bash
# The README's pictures of the real tool: NorvaneTaskwing.exe and the stand-in feedback library in a
# delivery folder inside a sandboxed copy of the prefix (a normal close removes the tool's files, so
# it never runs against the shared prefix), on an X display of its own with a compositing manager,
# driven with real clicks. Each shot is cropped to the tool's windows as window_probe.exe reports
# them, plus a margin for the soft rims. Needs Xvfb, xcompmgr, xdotool and ImageMagick.
#   tests/wine/take_tool_screenshots.sh [build folder] [output folder] [sandbox folder]
# The build needs NorvaneTaskwing, VeskorFeedbackInformation and window_probe.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
source "$here/screenshots.sh"
build=$(realpath -m "${1:-$NT_BUILD/$NT_MINGW}")
out=$(realpath -m "${2:-$NT_ROOT/docs/screenshots}")
box=$(realpath -m "${3:-$NT_BUILD/screenshots-sandbox}")
for file in app/NorvaneTaskwing.exe feedback/stub/VeskorFeedbackInformation.dll tests/e2e/window_probe.exe; do
  [ -f "$build/$file" ] || { echo "no $build/$file: build it first" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
# Around each crop: room for the shells' soft rims against the desktop.
margin=12
failed=0

finish_tool_shots() {
  if [ -n "${E2E_PID:-}" ]; then kill "$E2E_PID" 2>/dev/null; fi
  if [ -n "${E2E_BOX:-}" ]; then
    nt_stop_sandbox "$E2E_BOX"
    rm -rf "$E2E_BOX"
  fi
  if [ -n "$nt_compositor" ]; then kill "$nt_compositor" 2>/dev/null; fi
  nt_stop
  rm -rf "$work"
}
trap finish_tool_shots EXIT

nt_start_screenshot_x || exit 1
e2e_setup "$build" "$box"
trap finish_tool_shots EXIT

# "left top right bottom" around every visible, not minimised window of the tool in the probe's
# lines, widened by the margin and kept on the screen; windows wholly off the screen are left out.
windows_box() {
  local lines=$1 width height
  read -r width height <<<"$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')"
  awk -v m="$margin" -v sw="$width" -v sh="$height" '
    $1 == "top" && $9 == 0 {
      x = $3; y = $4; r = $3 + $5; b = $4 + $6
      if (r <= 0 || b <= 0 || x >= sw || y >= sh) next
      if (!seen || x < l) l = x
      if (!seen || y < t) t = y
      if (!seen || r > R) R = r
      if (!seen || b > B) B = b
      seen = 1
    }
    END {
      if (!seen) exit 1
      l -= m; t -= m; R += m; B += m
      if (l < 0) l = 0
      if (t < 0) t = 0
      if (R > sw) R = sw
      if (B > sh) B = sh
      print l, t, R, B
    }' <<<"$lines"
}

# crop <screen shot> <"left top right bottom"> <file name>
crop() {
  local l t r b
  read -r l t r b <<<"$2"
  convert "$1" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out/$3" && echo "$out/$3: $((r - l)) x $((b - t))"
}

# shoot <file name>: the whole screen now, cropped to the tool's windows now.
shoot() {
  local lines area
  lines=$(e2e_probe)
  area=$(windows_box "$lines") || { echo "no window of the tool for $1" >&2; failed=1; return 1; }
  import -window root "$work/root.png"
  # The windows may not have moved in between: the probe once more, the same box.
  if [ "$(windows_box "$(e2e_probe)")" != "$area" ]; then
    echo "the windows moved while $1 was taken" >&2
    failed=1
    return 1
  fi
  crop "$work/root.png" "$area" "$1"
}

# count_pixels <image> <w>x<h>+<x>+<y> <ImageMagick fx condition>
count_pixels() { convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:round(mean*w*h)]' info:; }

# Off every window, so that no button shows its hover look.
pointer_away() { xdotool mousemove 2 2; sleep 0.4; }

require() {
  local what=$1
  shift
  "$@" && return 0
  echo "not reached: $what" >&2
  failed=1
  exit 1
}

start_tool() {
  nt_set_dpi "$1"
  e2e_stage "NorvaneTaskwing"
  e2e_start
  require "main window at $1 dpi" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 20
  # Past the start checks on timer 38 (no notice on this system), and painted.
  sleep 1
  pointer_away
}

# Ends the tool as a user does: close, then an answer in the problem-solved window.
close_tool() {
  e2e_click "$IDC_CLOSE"
  require "problem-solved window" e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_SOLVED} " 10
  [ -n "${1:-}" ] && { pointer_away; sleep 0.4; shoot "$1"; }
  e2e_click "$IDC_BTN_SOLVED"
  require "the tool ends" e2e_wait_exit 15
}

# ---- The main window at three sizes ----------------------------------------------------------
for dpi in 120 144; do
  start_tool "$dpi"
  shoot "main-window-${dpi}dpi.png"
  close_tool
done

start_tool 96
shoot main-window-96dpi.png

# "同意" unchecked: both operation buttons in their disabled look.
e2e_click "$IDC_AGREE"
require "同意 unchecked" e2e_wait_for "^ctl [0-9]+ ${IDC_CENTRE} .* 1 0 开始菜单居中\$" 5
pointer_away
shoot main-window-unchecked-96dpi.png
e2e_click "$IDC_AGREE"
require "同意 checked again" e2e_wait_for "^ctl [0-9]+ ${IDC_CENTRE} .* 1 1 开始菜单居中\$" 5
pointer_away

# ---- 左移: the progress window, then the result ---------------------------------------------
# The progress window stands for about 0.6 s under Wine, too short to probe before each shot:
# frames are taken every tenth of a second from the click on, the probe finds the progress
# window's place meanwhile, and the first frame with the blue panel fully drawn there is kept.
read -r bx by bw bh <<<"$(e2e_control_rect "$IDC_MOVE_LEFT")"
progress_taken=no
for try in 1 2 3 4 5; do
  rm -f "$work"/frame-*.png
  xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) sleep 0.15 mousemove_relative 1 0 sleep 0.15 click 1
  (for n in $(seq 12); do import -window root "$work/frame-$n.png"; sleep 0.05; done) &
  frames=$!
  progress_lines=""
  e2e_wait_for "^ctl [0-9]+ ${IDC_STATE_INFO} .* 1 1 正在左移，请稍等" 3 && progress_lines=$E2E_LINES
  wait "$frames"
  require "result prompt" e2e_wait_for "^ctl [0-9]+ ${IDC_PROMPT_TEXT} .* 开始按钮左移成功\$" 10
  if [ "$try" = 1 ]; then
    pointer_away
    shoot operation-result-96dpi.png
  fi
  e2e_click "$IDC_PROMPT_OK"
  require "prompt dismissed" e2e_wait_gone " ${IDC_PROMPT_TEXT} " 10
  [ -n "$progress_lines" ] || continue
  # The progress window's content: the parent of its text control.
  panel=$(awk -v id="$IDC_STATE_INFO" '$1 == "ctl" && $3 == id { print $2; exit }' <<<"$progress_lines")
  read -r px py pw ph <<<"$(awk -v id="$panel" '$1 == "top" && $2 == id { print $3, $4, $5, $6 }' <<<"$progress_lines")"
  [ -n "${ph:-}" ] || continue
  for n in $(seq 12); do
    frame=$work/frame-$n.png
    [ -f "$frame" ] || continue
    # The panel is blue from edge to edge, where the main window alone shows the white gap
    # between its two buttons and the result prompt is white; its text is white in the middle.
    strip="8x$((ph - 16))"
    left=$(count_pixels "$frame" "$strip+$((px + 4))+$((py + 8))" '(b-r)<=0.235')
    right=$(count_pixels "$frame" "$strip+$((px + pw - 12))+$((py + 8))" '(b-r)<=0.235')
    white=$(count_pixels "$frame" "$((pw / 2))x$((ph / 4))+$((px + pw / 4))+$((py + ph * 3 / 8))" \
      'r>0.85&&g>0.85&&b>0.85')
    if [ "$left" = 0 ] && [ "$right" = 0 ] && [ "$white" -gt 50 ]; then
      crop "$frame" "$(windows_box "$progress_lines")" operation-progress-96dpi.png
      echo "  (try $try, ${frame##*/})"
      progress_taken=yes
      break
    fi
  done
  [ "$progress_taken" = yes ] && break
  echo "try $try: no frame with the whole progress window" >&2
done
[ "$progress_taken" = yes ] || { echo "no shot of the progress window" >&2; failed=1; }

# ---- Closing: the problem-solved window --------------------------------------------------------
close_tool closing-problem-solved-96dpi.png

# ---- The keyboard's focus: one Tab, and the cue on 开始菜单居中 --------------------------------
# A start of its own: once the cue shows, it stays, and no other shot may have it.
start_tool 96
xdotool key Tab
sleep 0.4
shoot main-window-focus-96dpi.png
close_tool
nt_set_dpi 96
[ "$failed" = 0 ]
