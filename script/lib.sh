# Shared by script/test and script/run: the build, the Wine prefix, Xvfb and the wineserver.
# shellcheck shell=bash

NT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NT_BUILD=$NT_ROOT/build
export WINEPREFIX=$NT_BUILD/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko prompts in a fresh prefix

nt_started_xvfb=""
nt_started_wineserver=""

nt_quiet() { "$@" </dev/null >/dev/null 2>&1; }

# The prefix is made once and reused; its marker names the recipe's version.
nt_prepare_prefix() {
  local marker=$WINEPREFIX/.taskwing-prefix-v1
  [ -f "$marker" ] && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$NT_BUILD"
  nt_quiet wineboot -i
  nt_quiet winecfg /v win10
  local cv='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
  for view in /reg:64 /reg:32; do
    # Wine has no Windows 11 setting: its version numbers with Windows 11's build.
    nt_quiet wine reg add "$cv" /v CurrentBuildNumber /d 22631 /f $view
    nt_quiet wine reg add "$cv" /v CurrentBuild /d 22631 /f $view
    nt_quiet wine reg add "$cv" /v ProductName /d "Windows 11 Pro" /f $view
    # The dialogs ask for 宋体; the CJK font from Debian stands in for it.
    for face in "宋体" "SimSun" "新宋体" "NSimSun"; do
      nt_quiet wine reg add "$cv\\FontSubstitutes" /v "$face" /d "WenQuanYi Micro Hei" /f $view
    done
  done
  # Managed windows cost two seconds each to destroy under Xvfb's lack of a window manager.
  nt_quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  nt_quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
  nt_quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f
  nt_quiet wineserver -w
  touch "$marker"
}

# A copy of the prefix with Wine's null graphics driver, for tests that need no screen.
nt_prepare_headless_prefix() {
  local headless=$NT_BUILD/wineprefix-null
  [ -f "$headless/.taskwing-prefix-v1" ] && return 0
  rm -rf "$headless"
  cp -a "$WINEPREFIX" "$headless"
  WINEPREFIX=$headless nt_quiet wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
  WINEPREFIX=$headless nt_quiet wineserver -w
}

nt_start_xvfb() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  nt_started_xvfb=$!
  export DISPLAY=:$n
  for _ in $(seq 50); do
    [ -e /tmp/.X11-unix/X$n ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}

# A persistent wineserver saves each test program about two seconds of start-up.
nt_warm_wineserver() {
  local prefix
  for prefix in "$WINEPREFIX" "$@"; do
    # A server already running for the prefix is as good as a new one.
    WINEPREFIX=$prefix nt_quiet wineserver -p || true
    WINEPREFIX=$prefix nt_quiet wine cmd /c exit
    nt_started_wineserver="$nt_started_wineserver $prefix"
  done
}

nt_stop() {
  local prefix
  for prefix in $nt_started_wineserver; do WINEPREFIX=$prefix nt_quiet wineserver -k || true; done
  if [ -n "$nt_started_xvfb" ]; then kill "$nt_started_xvfb" 2>/dev/null || true; fi
}

# The tool's version, as the project names it.
nt_version() { sed -n 's/^project(NorvaneTaskwing VERSION \([0-9.]*\).*/\1/p' "$NT_ROOT/CMakeLists.txt"; }

# nt_stage_delivery <exe> <dll> <folder>: the delivery folder as users get it, made afresh: the
# executable and the feedback library, stripped (the build keeps its debug sections for us).
nt_stage_delivery() {
  local exe=$1 dll=$2 folder=$3 strip=${NT_STRIP:-i686-w64-mingw32-strip}
  [ -n "$folder" ] && [ "$folder" != / ] || { echo "nt_stage_delivery: no folder" >&2; return 1; }
  rm -rf "$folder"
  mkdir -p "$folder"
  "$strip" -o "$folder/NorvaneTaskwing.exe" "$exe"
  "$strip" -o "$folder/VeskorFeedbackInformation.dll" "$dll"
}

# nt_package_delivery <exe> <dll> <folder> <zip>: the staged folder, zipped with the folder itself
# at the top, as users unpack it.
nt_package_delivery() {
  local folder zip
  folder=$(realpath -m "$3")
  zip=$(realpath -m "$4")
  nt_stage_delivery "$1" "$2" "$folder" || return 1
  rm -f "$zip"
  mkdir -p "$(dirname "$zip")"
  (cd "$(dirname "$folder")" && cmake -E tar cf "$zip" --format=zip "$(basename "$folder")")
}
