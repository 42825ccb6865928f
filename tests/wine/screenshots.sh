# Used by tests/wine/take_screenshots.sh: an X display of their own with a compositing manager
# (so that the shells' soft rims blend with the desktop as they do on Windows), and one shot of a
# demo program's window, cropped to the shell rectangle that the program reports.
# Set `demo` (the program), `out` (the folder) and `work` (a scratch folder) before calling `shot`.
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/../../script/lib.sh"
if [ -n "${NT_WINEPREFIX:-}" ]; then export WINEPREFIX=$NT_WINEPREFIX; fi

nt_compositor=""
nt_finish_screenshots() {
  if [ -n "$nt_compositor" ]; then kill "$nt_compositor" 2>/dev/null || true; fi
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f </dev/null >/dev/null 2>&1 || true
  nt_stop
  rm -rf "$work"
}

nt_start_screenshot_display() {
  unset DISPLAY
  nt_prepare_prefix
  nt_start_xvfb
  xsetroot -solid '#dde4ec'
  xcompmgr -n </dev/null >/dev/null 2>&1 &
  nt_compositor=$!
  nt_warm_wineserver
}

# shot <kind> <file name> <dpi> <seconds the demo stays up> <seconds to wait once it is up>
# The demo prints "scale=... shell=left,top,right,bottom ..." once its window is up.
shot() {
  local kind=$1 name=$2 dpi=$3 stay=$4 settle=$5 report=$work/$1-$3.txt
  # Read by the next program that starts.
  nt_quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  wine "$demo" "$kind" "$stay" >"$report" 2>&1 &
  local program=$!
  for _ in $(seq 50); do grep -q '^scale=' "$report" && break; sleep 0.1; done
  sleep "$settle"
  import -window root "$work/root.png"
  wait "$program" || true
  local rect left top right bottom
  rect=$(sed -n 's/.*shell=\([-0-9]*\),\([-0-9]*\),\([-0-9]*\),\([-0-9]*\).*/\1 \2 \3 \4/p' "$report")
  read -r left top right bottom <<<"$rect"
  convert "$work/root.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out/$name-${dpi}dpi.png"
  echo "$out/$name-${dpi}dpi.png: $(head -1 "$report")"
}
