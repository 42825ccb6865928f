#!/usr/bin/env bash
# Screenshots of the finished prompt box for the README: the outcome of a move (one button, 确认)
# and a question with two buttons (是 and 否), at 96 and 144 dots per inch. Needs the mingw build
# (prompt_demo.exe), Xvfb, xcompmgr and ImageMagick.
#   tests/dialogs/take_prompt_screenshots.sh [build folder] [output folder]
# NT_WINEPREFIX picks another Wine prefix than the build's own.
set -euo pipefail
source "$(dirname "$0")/../wine/screenshots.sh"
build=${1:-$NT_BUILD/mingw}
out=${2:-$NT_ROOT/docs/screenshots}
demo=$build/tests/dialogs/prompt_demo.exe
[ -f "$demo" ] || { echo "no $demo: build the mingw preset first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap nt_finish_screenshots EXIT
nt_start_screenshot_display

for dpi in 96 144; do
  shot done prompt-confirm "$dpi" 4 0.6
  shot question prompt-yes-no "$dpi" 4 0.6
done
