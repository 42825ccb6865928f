#!/usr/bin/env bash
# The tool's figures against a bare dialog: start-up to the laid-out window, private bytes, and
# 左移 to its result prompt against `reg add` alone. Builds what it needs in its own folder, stages
# the stripped delivery on C: of build/wineprefix and runs startup_bench there.
# Usage: tests/perf/run.sh [runs]    (NT_PERF_BUILD names the build folder; build/perf-mingw)
# NT_PERF_SANDBOX=<folder> runs it in a private copy of the prefix instead (tests/wine/sandbox.sh),
# away from other programs that share build/wineprefix and its wineserver; the copy is removed after.
set -euo pipefail
source "$(dirname "$0")/../../script/lib.sh"
cd "$NT_ROOT"

runs=${1:-7}
build=${NT_PERF_BUILD:-$NT_BUILD/perf-mingw}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$NT_ROOT" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
    -DCMAKE_BUILD_TYPE=Release -DNT_WERROR=ON >/dev/null
fi
cmake --build "$build" --target NorvaneTaskwing VeskorFeedbackInformation bare_dialog startup_bench

# Only our own Xvfb is stopped, once the prefix's wineserver has had a chance to end on its own
# (its desktop process may sit on our display); the server may serve others and is never killed.
stop_own_xvfb() {
  if [ -n "${NT_PERF_SANDBOX:-}" ]; then
    nt_stop_sandbox "$NT_PERF_SANDBOX"
    if [ -f "$NT_PERF_SANDBOX/.taskwing-sandbox" ]; then rm -rf "$NT_PERF_SANDBOX"; fi
  else
    rm -rf "${staging:-}"
    timeout 10 wineserver -w || true
  fi
  if [ -n "$nt_started_xvfb" ]; then kill "$nt_started_xvfb" 2>/dev/null || true; fi
}
trap stop_own_xvfb EXIT
nt_start_xvfb
nt_prepare_prefix
if [ -n "${NT_PERF_SANDBOX:-}" ]; then
  source "$NT_ROOT/tests/wine/sandbox.sh"
  nt_make_sandbox "$NT_PERF_SANDBOX"
  # Windows on the X display, not the sandbox's null driver.
  nt_quiet wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f
fi
staging=$WINEPREFIX/drive_c/TaskwingPerf
nt_stage_delivery "$build/app/NorvaneTaskwing.exe" "$build/feedback/stub/VeskorFeedbackInformation.dll" \
  "$staging/NorvaneTaskwing"
mkdir -p "$staging/Bare"
"${NT_STRIP:-i686-w64-mingw32-strip}" -o "$staging/Bare/bare_dialog.exe" "$build/tests/perf/bare_dialog.exe"
cp "$build/tests/perf/startup_bench.exe" "$staging/"

ls -l "$staging/NorvaneTaskwing" "$staging/Bare"
(cd "$staging" && wine startup_bench.exe --runs "$runs" 'C:\TaskwingPerf\NorvaneTaskwing\NorvaneTaskwing.exe' \
  'C:\TaskwingPerf\Bare\bare_dialog.exe' </dev/null | tr -d '\r')
