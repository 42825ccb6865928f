#!/usr/bin/env bash
# Screenshots of the drawn statics on their skins: the main window's version label and links (the
# feedback link in its hover look), the prompt box's message, and the progress text with two dots.
#   tests/controls/take_screenshots.sh [build folder] [output folder]
# NT_WINEPREFIX picks another Wine prefix than the build's own.
set -euo pipefail
source "$(dirname "$0")/../wine/screenshots.sh"
build=${1:-$NT_BUILD/mingw}
out=${2:-$NT_ROOT/docs/screenshots}
demo=$build/tests/controls/static_demo.exe
[ -f "$demo" ] || { echo "no $demo: build the mingw preset first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap nt_finish_screenshots EXIT
nt_start_screenshot_display

shot main main-window-texts 96 5 0.6
shot prompt prompt-box-text 144 5 0.6
# The first tick comes after a second: two dots at about 2.5 s.
shot progress progress-text 96 5 2.4
