#!/usr/bin/env bash
# The README's screenshots, taken from the demo programs of the mingw build on an X display of
# their own with a compositing manager (so that the shells' soft rims blend with the desktop as on
# Windows), at 96 and 144 dots per inch; then those of the real tool (take_tool_screenshots.sh).
# Needs Xvfb, xcompmgr, xdotool and ImageMagick.
#   tests/wine/take_screenshots.sh [build folder] [output folder] [sandbox folder for the tool]
# NT_WINEPREFIX picks another Wine prefix than the build's own for the demo programs.
set -euo pipefail
source "$(dirname "$0")/screenshots.sh"
build=${1:-$NT_BUILD/$NT_MINGW}
out=${2:-$NT_ROOT/docs/screenshots}
for program in dialogs/pair_demo dialogs/prompt_demo dialogs/progress_demo controls/static_demo; do
  [ -f "$build/tests/$program.exe" ] || { echo "no $build/tests/$program.exe: build the $NT_MINGW preset first" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
trap nt_finish_screenshots EXIT
nt_start_screenshot_display

for dpi in 96 144; do
  # The bare skin of the prompt box.
  demo=$build/tests/dialogs/pair_demo.exe
  shot prompt prompt-box "$dpi" 3 0.5
  # The finished problem-solved window: three answers on its skin, the close button hidden.
  shot problem problem-solved "$dpi" 4 0.6
  # The finished prompt box: the outcome of a move (确认) and a question (是 and 否).
  demo=$build/tests/dialogs/prompt_demo.exe
  shot done prompt-confirm "$dpi" 4 0.6
  shot question prompt-yes-no "$dpi" 4 0.6
  # The first tick comes a second after the window is up: two dots at about 2.5 s.
  demo=$build/tests/dialogs/progress_demo.exe
  shot left progress-window "$dpi" 5 2.4
done
# A drawn text on its skin.
demo=$build/tests/controls/static_demo.exe
shot prompt prompt-box-text 144 5 0.6

# The main window and its operation, from the real tool in a sandbox of its own.
"$(dirname "$0")/take_tool_screenshots.sh" "$build" "$out" ${3:+"$3"}
