# The end-to-end tests' harness: the real NorvaneTaskwing.exe staged in a delivery folder inside a
# sandboxed copy of the prefix (nothing but C:, no link out, so that the tool's removal of its own
# files can never reach the machine's), started as a user starts it, driven with real pointer
# events from xdotool on the X display and read back from outside: window texts and places through
# window_probe.exe, pixels through screenshots, the registry through reg, the log's bytes.
#
#   source tests/e2e/lib.sh
#   e2e_setup <build folder> <sandbox folder>   once per script; needs DISPLAY
#   e2e_stage <folder name>                      a fresh delivery folder in the user's Downloads
#   e2e_start [VAR=value ...] [-- argument ...]  starts the tool from it; E2E_PID
#   e2e_wait_for <pattern> [seconds]             until a probe line matches (grep -E); E2E_LINES
#   e2e_wait_gone <pattern> [seconds]            until no probe line matches
#   e2e_wait_removed <path> [seconds]            until the path is gone
#   lines_have / lines_lack <pattern>            whether the last probe's lines match
#   focus_is <control id>                        whether the keyboard's focus is on that control
#   e2e_click <control id> [pattern]             a real click in the middle of a visible control
#   $IDC_MOVE_LEFT ...                           the controls' ids, by their names in resource.h
#   e2e_wait_exit [seconds]                      E2E_STATUS: the tool's exit code (or "running")
#   check <description> <command...>             one assertion; e2e_finish prints the tally
# E2E_TOOL_WINE starts the tool with another loader than the build's (the i686 delivery beside an
# x86_64 build), E2E_PROBE_BUILD names the build whose window_probe.exe reads the windows, and
# E2E_PATIENCE multiplies the waits of scripts that honour it (an emulated 32-bit loader is slow).
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/../wine/sandbox.sh"

# The controls' ids as resources/resource.h names them (IDC_MOVE_LEFT=1017 ...), stated there once.
eval "$(sed -n 's/^#define \(IDC_[A-Z0-9_]*\) *\([0-9][0-9]*\) *$/\1=\2/p' "$NT_ROOT/resources/resource.h")"

E2E_PASSED=0
E2E_FAILED=0

check() {
  local what=$1
  shift
  if "$@"; then
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "ok: $what"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL: $what"
  fi
}

e2e_finish() {
  [ -n "${E2E_PID:-}" ] && kill "$E2E_PID" 2>/dev/null
  nt_stop_sandbox "$E2E_BOX"
  # Kept after a failure, for a look; gone after a pass.
  if [ "$E2E_FAILED" -eq 0 ]; then rm -rf "$E2E_BOX"; fi
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}

e2e_setup() {
  E2E_BUILD=$1 E2E_BOX=$2
  [ -n "${DISPLAY:-}" ] || { echo "the end-to-end tests need an X display" >&2; exit 1; }
  local display=$DISPLAY
  nt_make_sandbox "$E2E_BOX" || { echo "FAIL: no sandbox"; exit 1; }
  export DISPLAY=$display
  # Windows on the X display this time, and fast to close without a window manager.
  nt_quiet "$NT_WINE" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f
  nt_set_dpi 96
  E2E_DRIVE=$E2E_BOX/drive_c
  local user
  user=$(nt_sandbox_user "$E2E_BOX")
  E2E_DOWNLOADS=$E2E_DRIVE/users/$user/Downloads
  E2E_WIN_DOWNLOADS="C:\\users\\$user\\Downloads"
  mkdir -p "$E2E_DRIVE/e2e"
  cp "${E2E_PROBE_BUILD:-$E2E_BUILD}/tests/e2e/window_probe.exe" "$E2E_DRIVE/e2e/"
  E2E_FEEDBACK_LOG=$E2E_DRIVE/e2e/feedback.txt
  E2E_LOG=$E2E_DRIVE/ProgramData/ToolLog/Taskwing.txt
  # A failed check fails the test: an EXIT trap alone would keep the script's last status.
  trap 'e2e_finish || exit 1' EXIT
  # Stopped from outside (a time limit): the check under way counts as failed.
  trap 'E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL: stopped before the end"; exit 1' TERM INT
}


# e2e_stage <folder name> [exe] [dll]: the delivery folder as a user unpacks it.
e2e_stage() {
  E2E_DIR=$E2E_DOWNLOADS/$1
  E2E_WIN_DIR="$E2E_WIN_DOWNLOADS\\$1"
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR"
  cp "${2:-$E2E_BUILD/app/NorvaneTaskwing.exe}" "$E2E_DIR/NorvaneTaskwing.exe"
  [ "${3:-}" = none ] || cp "${3:-$E2E_BUILD/feedback/stub/VeskorFeedbackInformation.dll}" "$E2E_DIR/VeskorFeedbackInformation.dll"
}

# Started from its folder, as a double-click in the file manager starts it; the stand-in library
# writes its calls to a file instead of opening pages. VAR=value pairs go to its environment, what
# follows "--" to its command line.
e2e_start() {
  local environment=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    environment+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift
  rm -f "$E2E_FEEDBACK_LOG"
  (cd "$E2E_DIR" && exec env NT_FEEDBACK_LOG='C:\e2e\feedback.txt' "${environment[@]}" "${E2E_TOOL_WINE:-$NT_WINE}" \
    NorvaneTaskwing.exe "$@" </dev/null >/dev/null 2>&1) &
  E2E_PID=$!
  E2E_STARTED=$(date +%s%N)
}

# One line per visible window of the tool and per control (see window_probe.cpp); with arguments,
# one of the probe's other commands (send, check, stats).
e2e_probe() { (cd "$E2E_DRIVE/windows/system32" && "$NT_WINE" 'C:\e2e\window_probe.exe' "$@" 2>/dev/null | tr -d '\r'); }

lines_have() { grep -qE -- "$1" <<<"$E2E_LINES"; }
lines_lack() { ! grep -qE -- "$1" <<<"$E2E_LINES"; }
# focus_is <control id>: whether the keyboard's focus is on that control of the tool.
focus_is() { [ "$(e2e_probe focus)" = "$1" ]; }

# e2e_until <seconds> <command...>: the command every fifth of a second until it succeeds, for at
# most that long; a status of 2 ends the wait at once.
e2e_until() {
  local deadline=$(($(date +%s) + $1)) status
  shift
  while [ "$(date +%s)" -lt "$deadline" ]; do
    "$@"
    status=$?
    [ "$status" = 0 ] && return 0
    [ "$status" = 2 ] && return 1
    sleep 0.2
  done
  return 1
}

e2e_probe_has() {
  E2E_LINES=$(e2e_probe)
  lines_have "$1" && return 0
  # An ended tool shows nothing more: a slow wait would only hide that it died.
  if [ -n "${E2E_PID:-}" ] && ! kill -0 "$E2E_PID" 2>/dev/null; then
    echo "the tool has ended (while waiting for: $1)" >&2
    return 2
  fi
  return 1
}
e2e_probe_lacks() {
  E2E_LINES=$(e2e_probe)
  lines_lack "$1"
}
e2e_wait_for() { e2e_until "${2:-15}" e2e_probe_has "$1"; }
e2e_wait_gone() { e2e_until "${2:-15}" e2e_probe_lacks "$1"; }
# e2e_wait_removed <path> [seconds]: until the path is gone, as after the tool's removal.
e2e_wait_removed() { e2e_until "${2:-10}" test ! -e "$1"; }

# The rectangle "x y w h" of the first visible control with this id (and matching the pattern).
e2e_control_rect() {
  e2e_probe | awk -v id="$1" -v pat="${2:-}" '$1 == "ctl" && $3 == id && $8 == 1 && $0 ~ pat { print $4, $5, $6, $7; exit }'
}

e2e_click_at() {
  # A move, a small move to be sure the control has seen the pointer, then the click.
  xdotool mousemove "$1" "$2" sleep 0.15 mousemove_relative 1 0 sleep 0.15 click 1
}

e2e_click() {
  local rect x y w h
  rect=$(e2e_control_rect "$@")
  [ -n "$rect" ] || { echo "no visible control $1" >&2; return 1; }
  read -r x y w h <<<"$rect"
  e2e_click_at $((x + w / 2)) $((y + h / 2))
}

e2e_wait_exit() {
  local limit=${1:-15} n
  for n in $(seq $((limit * 10))); do
    if ! kill -0 "$E2E_PID" 2>/dev/null; then
      wait "$E2E_PID"
      E2E_STATUS=$?
      E2E_PID=""
      return 0
    fi
    sleep 0.1
  done
  E2E_STATUS=running
  return 1
}

e2e_taskbar_al() {
  "$NT_WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced' /v TaskbarAl 2>/dev/null |
    tr -d '\r' | awk '$1 == "TaskbarAl" { print $3 }'
}

# The log's lines as UTF-8 (the file is in code page 936).
e2e_log_text() { [ -f "$E2E_LOG" ] && iconv -f GBK -t UTF-8 "$E2E_LOG"; }

e2e_shot() { import -window root "$1"; }

# The colour "#RRGGBB" of one screen pixel in a screenshot.
e2e_pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }
