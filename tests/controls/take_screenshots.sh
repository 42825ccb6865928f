#!/usr/bin/env bash
# Screenshots of the drawn statics on their skins: the main window's version label and links (the
# feedback link in its hover look), the prompt box's message, and the progress text with two dots.
# On an X display of their own with a compositing manager, as tests/dialogs/take_screenshots.sh.
#   tests/controls/take_screenshots.sh [build folder] [output folder]
# NT_WINEPREFIX picks another Wine prefix than the build's own.
set -euo pipefail
source "$(dirname "$0")/../../script/lib.sh"
if [ -n "${NT_WINEPREFIX:-}" ]; then export WINEPREFIX=$NT_WINEPREFIX; fi
build=${1:-$NT_BUILD/mingw}
out=${2:-$NT_ROOT/docs/screenshots}
demo=$build/tests/controls/static_demo.exe
[ -f "$demo" ] || { echo "no $demo: build the mingw preset first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)

compositor=""
finish() {
  if [ -n "$compositor" ]; then kill "$compositor" 2>/dev/null || true; fi
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f </dev/null >/dev/null 2>&1 || true
  nt_stop
  rm -rf "$work"
}
trap finish EXIT

unset DISPLAY
nt_prepare_prefix
nt_start_xvfb
xsetroot -solid '#dde4ec'
xcompmgr -n </dev/null >/dev/null 2>&1 &
compositor=$!
nt_warm_wineserver

# shot <kind> <file name> <dpi> <seconds to wait once the window is up>
shot() {
  local kind=$1 name=$2 dpi=$3 settle=$4 report=$work/$1-$3.txt
  nt_quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  wine "$demo" "$kind" 5 >"$report" 2>&1 &
  local program=$!
  for _ in $(seq 50); do grep -q '^scale=' "$report" && break; sleep 0.1; done
  sleep "$settle"
  import -window root "$work/root.png"
  wait "$program" || true
  local rect
  rect=$(sed -n 's/.*shell=\([-0-9]*\),\([-0-9]*\),\([-0-9]*\),\([-0-9]*\).*/\1 \2 \3 \4/p' "$report")
  read -r left top right bottom <<<"$rect"
  convert "$work/root.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out/$name-${dpi}dpi.png"
  echo "$out/$name-${dpi}dpi.png: $(head -1 "$report")"
}

shot main main-window-texts 96 0.6
shot prompt prompt-box-text 144 0.6
# The first tick comes after a second: two dots at about 2.5 s.
shot progress progress-text 96 2.4
