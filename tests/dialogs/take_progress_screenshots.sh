#!/usr/bin/env bash
# Screenshots of the progress window for the README, at 96 and 144 dots per inch, its dots two
# ticks on. Needs the mingw build (progress_demo.exe), Xvfb, xcompmgr and ImageMagick.
#   tests/dialogs/take_progress_screenshots.sh [build folder] [output folder]
# NT_WINEPREFIX picks another Wine prefix than the build's own.
set -euo pipefail
source "$(dirname "$0")/../wine/screenshots.sh"
build=${1:-$NT_BUILD/mingw}
out=${2:-$NT_ROOT/docs/screenshots}
demo=$build/tests/dialogs/progress_demo.exe
[ -f "$demo" ] || { echo "no $demo: build the mingw preset first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap nt_finish_screenshots EXIT
nt_start_screenshot_display

# The first tick comes a second after the window is up: two dots at about 2.5 s.
for dpi in 96 144; do
  shot left progress-window "$dpi" 5 2.4
done
