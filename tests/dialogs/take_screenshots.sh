#!/usr/bin/env bash
# Screenshots of the window pairs for the README: the prompt box, and the main window's shell and
# background (no controls yet), at 96 and 144 dots per inch. Taken on an X display of their own
# with a compositing manager, so that the shells' soft rims blend with the desktop as they do on
# Windows. Needs the mingw build (pair_demo.exe), Xvfb, xcompmgr and ImageMagick.
#   tests/dialogs/take_screenshots.sh [build folder] [output folder]
# NT_WINEPREFIX picks another Wine prefix than the build's own.
set -euo pipefail
source "$(dirname "$0")/../../script/lib.sh"
if [ -n "${NT_WINEPREFIX:-}" ]; then export WINEPREFIX=$NT_WINEPREFIX; fi
build=${1:-$NT_BUILD/mingw}
out=${2:-$NT_ROOT/docs/screenshots}
demo=$build/tests/dialogs/pair_demo.exe
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

shot() {
  local kind=$1 name=$2 dpi=$3 report=$work/$1-$3.txt
  # Read by the next program that starts.
  nt_quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  wine "$demo" "$kind" 3 >"$report" 2>&1 &
  local program=$!
  for _ in $(seq 50); do grep -q '^scale=' "$report" && break; sleep 0.1; done
  sleep 0.5
  import -window root "$work/root.png"
  wait "$program" || true
  # scale=1.50 shell=left,top,right,bottom child=...
  local rect
  rect=$(sed -n 's/.*shell=\([-0-9]*\),\([-0-9]*\),\([-0-9]*\),\([-0-9]*\).*/\1 \2 \3 \4/p' "$report")
  read -r left top right bottom <<<"$rect"
  convert "$work/root.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out/$name-${dpi}dpi.png"
  echo "$out/$name-${dpi}dpi.png: $(head -1 "$report")"
}

for dpi in 96 144; do
  shot prompt prompt-box "$dpi"
  shot main main-window-skin "$dpi"
done
