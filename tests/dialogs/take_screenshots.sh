#!/usr/bin/env bash
# Screenshots of the window pairs for the README: the prompt box, and the main window's shell and
# background (no controls yet), at 96 and 144 dots per inch. Needs the mingw build (pair_demo.exe),
# Xvfb, xcompmgr and ImageMagick.
#   tests/dialogs/take_screenshots.sh [build folder] [output folder]
# NT_WINEPREFIX picks another Wine prefix than the build's own.
set -euo pipefail
source "$(dirname "$0")/../wine/screenshots.sh"
build=${1:-$NT_BUILD/mingw}
out=${2:-$NT_ROOT/docs/screenshots}
demo=$build/tests/dialogs/pair_demo.exe
[ -f "$demo" ] || { echo "no $demo: build the mingw preset first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap nt_finish_screenshots EXIT
nt_start_screenshot_display

for dpi in 96 144; do
  shot prompt prompt-box "$dpi" 3 0.5
  shot main main-window-skin "$dpi" 3 0.5
done
