#!/usr/bin/env bash
# The tool's figures against a bare dialog and the floor (the bare dialog plus GDI+ and the two main
# skins decoded): start-up to the laid-out window at 96, 120 and 144 dpi, the three started in turn,
# private bytes, and 左移 to its result prompt against `reg add` alone (at 96 dpi). Builds what it
# needs in its own folder (i686, or x86_64 where this machine cannot run 32-bit programs, as
# script/lib.sh decides), stages the stripped delivery on C: of that build's prefix and runs
# startup_bench there; the machine's load is printed around each round.
# Usage: tests/perf/run.sh [runs]    (9 by default; NT_PERF_BUILD names the build folder,
# build/perf-mingw; NT_PERF_DPIS the rounds, "96 120 144"; NT_PERF_TOOL a build folder of another
# version of the tool to time against the same yardsticks; NT_PERF_OTHER a build folder of a second
# version timed in the same rounds, interleaved with the first, for comparing two builds)
# NT_PERF_SANDBOX=<folder> runs it in a private copy of the prefix instead (tests/wine/sandbox.sh),
# away from other programs that share build/wineprefix and its wineserver; the copy is removed after.
set -euo pipefail
source "$(dirname "$0")/../../script/lib.sh"
cd "$NT_ROOT"

runs=${1:-9}
dpis=${NT_PERF_DPIS:-96 120 144}
build=${NT_PERF_BUILD:-$NT_BUILD/perf-$NT_MINGW}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$NT_ROOT" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$NT_WINE_ARCH-mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DNT_WERROR=ON >/dev/null
fi
cmake --build "$build" --target NorvaneTaskwing VeskorFeedbackInformation bare_dialog floor_dialog startup_bench

# Only our own Xvfb is stopped, once the prefix's wineserver has had a chance to end on its own
# (its desktop process may sit on our display); the server may serve others and is never killed.
stop_own_xvfb() {
  nt_set_dpi 96 || true
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
  nt_quiet "$NT_WINE" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f
fi
staging=$WINEPREFIX/drive_c/TaskwingPerf
tool_build=${NT_PERF_TOOL:-$build}
nt_stage_delivery "$tool_build/app/NorvaneTaskwing.exe" "$tool_build/feedback/stub/VeskorFeedbackInformation.dll" \
  "$staging/NorvaneTaskwing"
other=()
if [ -n "${NT_PERF_OTHER:-}" ]; then
  nt_stage_delivery "$NT_PERF_OTHER/app/NorvaneTaskwing.exe" "$NT_PERF_OTHER/feedback/stub/VeskorFeedbackInformation.dll" \
    "$staging/Other/NorvaneTaskwing"
  other=(--other 'C:\TaskwingPerf\Other\NorvaneTaskwing\NorvaneTaskwing.exe')
fi
mkdir -p "$staging/Bare" "$staging/Floor"
"${NT_STRIP:-$NT_MINGW_TRIPLE-strip}" -o "$staging/Bare/bare_dialog.exe" "$build/tests/perf/bare_dialog.exe"
"${NT_STRIP:-$NT_MINGW_TRIPLE-strip}" -o "$staging/Floor/floor_dialog.exe" "$build/tests/perf/floor_dialog.exe"
cp "$build/tests/perf/startup_bench.exe" "$staging/"

ls -l "$staging/NorvaneTaskwing" "$staging/Bare" "$staging/Floor"
medians=""
for dpi in $dpis; do
  # Read by the next program that starts, the bench among them.
  nt_set_dpi "$dpi"
  operation=--no-operation
  [ "$dpi" = 96 ] && operation=""
  echo "== $dpi dpi; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
  out=$(cd "$staging" && "$NT_WINE" startup_bench.exe --runs "$runs" $operation "${other[@]}" \
    'C:\TaskwingPerf\NorvaneTaskwing\NorvaneTaskwing.exe' 'C:\TaskwingPerf\Bare\bare_dialog.exe' \
    'C:\TaskwingPerf\Floor\floor_dialog.exe' </dev/null | tr -d '\r') || { echo "$out"; exit 1; }
  echo "$out"
  echo "== $dpi dpi; load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  medians+=$(grep '^medians-ms ' <<<"$out")$'\n'
done

# The rounds side by side: tool against floor and bare per dpi, and each dpi against 96.
echo
echo "dpi   tool ms  floor ms   bare ms  tool/floor  tool/bare  tool/tool@96  other ms  other/floor"
awk '$1 == "medians-ms" {
  for (i = 2; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
  if (v["dpi"] == 96) base = v["tool"]
  printf "%-4s %8.1f %9.1f %9.1f %11.2f %10.2f %13s", v["dpi"], v["tool"], v["floor"], v["bare"],
    v["tool"] / v["floor"], v["tool"] / v["bare"], base ? sprintf("%.2f", v["tool"] / base) : "-"
  if ("other" in v) printf " %9.1f %12.2f", v["other"], v["other"] / v["floor"]
  printf "\n"
}' <<<"$medians"
