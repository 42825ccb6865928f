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
  nt_set_dpi 96 || true
  nt_stop
  rm -rf "$work"
}

# nt_desktop_colour <0xRRGGBB>: the desktop as the compositing manager paints it. xcompmgr reads the
# root's background only from a pixmap named in _XROOTPMAP_ID (without one it paints grey), which
# xsetroot never sets; the pixmap is kept after this client leaves.
nt_desktop_colour() {
  python3 - "$1" <<'PY'
import ctypes, ctypes.util, sys
x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
P, W = ctypes.c_void_p, ctypes.c_ulong
x.XOpenDisplay.restype = P
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
for name, args, result in [("XDefaultScreen", [P], ctypes.c_int), ("XRootWindow", [P, ctypes.c_int], W),
                           ("XDefaultDepth", [P, ctypes.c_int], ctypes.c_int),
                           ("XCreatePixmap", [P, W, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint], W),
                           ("XCreateGC", [P, W, W, P], P), ("XSetForeground", [P, P, W], ctypes.c_int),
                           ("XFillRectangle", [P, W, P, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint], ctypes.c_int),
                           ("XInternAtom", [P, ctypes.c_char_p, ctypes.c_int], W),
                           ("XChangeProperty", [P, W, W, W, ctypes.c_int, ctypes.c_int, P, ctypes.c_int], ctypes.c_int),
                           ("XSetWindowBackgroundPixmap", [P, W, W], ctypes.c_int), ("XClearWindow", [P, W], ctypes.c_int),
                           ("XSetCloseDownMode", [P, ctypes.c_int], ctypes.c_int), ("XCloseDisplay", [P], ctypes.c_int)]:
    getattr(x, name).argtypes, getattr(x, name).restype = args, result
d = x.XOpenDisplay(None)
if not d:
    sys.exit("no X display")
screen = x.XDefaultScreen(d)
root = x.XRootWindow(d, screen)
# One pixel: the compositing manager repeats it over the screen.
pixmap = x.XCreatePixmap(d, root, 1, 1, x.XDefaultDepth(d, screen))
gc = x.XCreateGC(d, pixmap, 0, None)
x.XSetForeground(d, gc, int(sys.argv[1], 16))
x.XFillRectangle(d, pixmap, gc, 0, 0, 1, 1)
XA_PIXMAP, PROP_MODE_REPLACE, RETAIN_PERMANENT = 20, 0, 1
for prop in (b"_XROOTPMAP_ID", b"ESETROOT_PMAP_ID"):
    x.XChangeProperty(d, root, x.XInternAtom(d, prop, 0), XA_PIXMAP, 32, PROP_MODE_REPLACE,
                      ctypes.byref(W(pixmap)), 1)
x.XSetWindowBackgroundPixmap(d, root, pixmap)
x.XClearWindow(d, root)
x.XSetCloseDownMode(d, RETAIN_PERMANENT)
x.XCloseDisplay(d)
PY
}

# A private Xvfb with a light desktop and a compositing manager; no Wine prefix is touched.
nt_start_screenshot_x() {
  unset DISPLAY
  nt_start_xvfb || return 1
  xcompmgr -n </dev/null >/dev/null 2>&1 &
  nt_compositor=$!
  sleep 0.3
  # Set while the compositing manager holds the display: Xvfb resets the root, and drops what was
  # kept, when its last client leaves.
  nt_desktop_colour 0xdde4ec
}

nt_start_screenshot_display() {
  unset DISPLAY
  nt_prepare_prefix
  nt_start_screenshot_x
  nt_warm_wineserver
}

# shot <kind> <file name> <dpi> <seconds the demo stays up> <seconds to wait once it is up>
# The demo prints "scale=... shell=left,top,right,bottom ..." once its window is up.
shot() {
  local kind=$1 name=$2 dpi=$3 stay=$4 settle=$5 report=$work/$1-$3.txt
  # Read by the next program that starts.
  nt_set_dpi "$dpi"
  "$NT_WINE" "$demo" "$kind" "$stay" >"$report" 2>&1 &
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
