# Shared by script/test and script/run: the build, the Wine prefix, Xvfb and the wineserver.
# shellcheck shell=bash

NT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NT_BUILD=$NT_ROOT/build
export WINEARCH=win64
export WINEDEBUG=-all
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko prompts in a fresh prefix

# An i386 ELF file run by qemu-i386 through binfmt_misc: registered by bootstrap only where the
# kernel refuses 32-bit programs.
source "$NT_ROOT/script/qemu.sh"

# Whether 32-bit Linux programs run natively here. Some kernels have their 32-bit emulation off:
# Wine's 32-bit loader then fails with "Exec format error", or runs emulated once qemu-i386 is
# registered, far too slowly for the suites. Decided once per process tree. NT_PRETEND_NO_32BIT=1
# makes a machine that runs them take the other path, to try it (bootstrap is not fooled).
nt_native_32bit() {
  if [ -z "${NT_NATIVE_32BIT:-}" ]; then
    NT_NATIVE_32BIT=no
    if [ "${NT_PRETEND_NO_32BIT:-}" != 1 ] && ! nt_qemu_i386_registered && /usr/lib/wine/wine --version >/dev/null 2>&1; then
      NT_NATIVE_32BIT=yes
    fi
    export NT_NATIVE_32BIT
  fi
  [ "$NT_NATIVE_32BIT" = yes ]
}

# The architectures whose Windows builds run under Wine here: NT_WINE_ARCHES when set ("i686",
# "x86_64" or both), else i686 where 32-bit programs run natively and x86_64 where they do not.
# NT_WINE_WHY says why, in a line.
# What was asked for is kept apart from what was chosen, so that a choice can be made again.
NT_WINE_ARCHES_ASKED=${NT_WINE_ARCHES_ASKED-${NT_WINE_ARCHES:-}}
nt_choose_wine_arches() {
  if [ -n "$NT_WINE_ARCHES_ASKED" ]; then
    NT_WINE_ARCHES=$NT_WINE_ARCHES_ASKED
    NT_WINE_WHY="NT_WINE_ARCHES asks for: $NT_WINE_ARCHES"
  elif nt_native_32bit; then
    NT_WINE_ARCHES=i686
    NT_WINE_WHY="this machine runs 32-bit programs: Windows tests run on the i686 build, as delivered"
  elif nt_qemu_i386_registered; then
    NT_WINE_ARCHES=x86_64
    NT_WINE_WHY="32-bit programs run here only through qemu-i386, too slowly for the suites: Windows tests run on the x86_64 build"
  else
    NT_WINE_ARCHES=x86_64
    NT_WINE_WHY="this machine cannot run 32-bit programs: Windows tests run on the x86_64 build"
  fi
  local arch
  for arch in $NT_WINE_ARCHES; do
    case $arch in i686 | x86_64) ;; *) echo "NT_WINE_ARCHES: unknown architecture $arch" >&2; return 1 ;; esac
  done
  export NT_WINE_ARCHES NT_WINE_WHY
}

# nt_wine_select <arch>: the one place that says how Windows programs of that architecture run.
# The loader is called directly, never through Debian's wine/wineboot wrappers, which pick the
# 32-bit loader whenever it is installed. Sets and exports:
#   NT_WINE_ARCH    i686 or x86_64
#   NT_WINE         the loader: "$NT_WINE" program.exe, "$NT_WINE" wineboot, "$NT_WINE" reg ...
#   NT_PREFIX       the architecture's own prefix under build/ (WINEPREFIX starts there)
#   NT_MINGW        the CMake preset and folder under build/ of that build (mingw, mingw64)
#   NT_MINGW_TRIPLE its tools' prefix (i686-w64-mingw32, x86_64-w64-mingw32)
nt_wine_select() {
  case $1 in
    i686)
      NT_WINE=/usr/lib/wine/wine NT_PREFIX=$NT_BUILD/wineprefix NT_MINGW=mingw
      NT_MINGW_TRIPLE=i686-w64-mingw32 ;;
    x86_64)
      NT_WINE=/usr/lib/wine/wine64 NT_PREFIX=$NT_BUILD/wineprefix64 NT_MINGW=mingw64
      NT_MINGW_TRIPLE=x86_64-w64-mingw32 ;;
    *) echo "nt_wine_select: unknown architecture '$1'" >&2; return 1 ;;
  esac
  NT_WINE_ARCH=$1
  WINELOADER=$NT_WINE
  WINEPREFIX=$NT_PREFIX
  export NT_WINE_ARCH NT_WINE WINELOADER NT_PREFIX WINEPREFIX NT_MINGW NT_MINGW_TRIPLE
}

# CTest hands its scripts the build's architecture; elsewhere the machine decides.
if [ -n "${NT_WINE_ARCH:-}" ]; then
  nt_wine_select "$NT_WINE_ARCH"
else
  nt_choose_wine_arches && nt_wine_select "${NT_WINE_ARCHES%% *}"
fi

nt_started_xvfb=""
nt_started_wineserver=""

nt_quiet() { "$@" </dev/null >/dev/null 2>&1; }

# nt_dpi_setting <dpi>: the screen's dots per inch for the next program that starts in the prefix,
# with reg's output; nt_set_dpi <dpi>: the same, quietly.
nt_dpi_setting() { "$NT_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f; }
nt_set_dpi() { nt_quiet nt_dpi_setting "$1"; }

# A prefix that was made whole carries this file, naming the recipe's version.
NT_PREFIX_MARKER=.taskwing-prefix-v2
# The dialogs ask for 宋体; the CJK font from Debian stands in for these faces.
NT_FONT_FACES=("宋体" "SimSun" "新宋体" "NSimSun")

# nt_step <what> <command...>: runs a set-up step quietly; on failure says what failed, with the
# command's output, and fails.
nt_step() {
  local what=$1 out
  shift
  if ! out=$("$@" </dev/null 2>&1); then
    echo "prefix set-up failed: $what ($*)" >&2
    [ -n "$out" ] && printf '%s\n' "$out" | tail -n 20 >&2
    return 1
  fi
}

# nt_reg_is <key> <value> <expected data> [view]: whether the prefix holds that value. reg prints in
# the prefix's code page, 936 under zh_CN.
nt_reg_is() {
  "$NT_WINE" reg query "$1" /v "$2" ${4:+"$4"} </dev/null 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r' |
    grep -q "^ *$2 *REG_[A-Z_]* *$3\$"
}

# The prefix is made once and reused, whole or not at all: every step must succeed and read back as
# asked before its marker (naming the recipe's version) is written.
nt_prepare_prefix() {
  local marker=$WINEPREFIX/$NT_PREFIX_MARKER
  [ -f "$marker" ] && return 0
  ( # set -e does not hold inside a list that checks the status: each step stops it by itself.
    must() { nt_step "$@" || exit 1; }
    rm -rf "$WINEPREFIX"
    mkdir -p "$NT_BUILD"
    local cv='HKLM\Software\Microsoft\Windows NT\CurrentVersion' view face
    must "wineboot" "$NT_WINE" wineboot -i
    must "Windows 10 as the version" "$NT_WINE" winecfg /v win10
    for view in /reg:64 /reg:32; do
      # Wine has no Windows 11 setting: its version numbers with Windows 11's build.
      must "build number" "$NT_WINE" reg add "$cv" /v CurrentBuildNumber /d 22631 /f $view
      must "build" "$NT_WINE" reg add "$cv" /v CurrentBuild /d 22631 /f $view
      must "product name" "$NT_WINE" reg add "$cv" /v ProductName /d "Windows 11 Pro" /f $view
      for face in "${NT_FONT_FACES[@]}"; do
        must "font substitute $face" "$NT_WINE" reg add "$cv\\FontSubstitutes" /v "$face" /d "WenQuanYi Micro Hei" /f $view
      done
    done
    # Managed windows cost two seconds each to destroy under Xvfb's lack of a window manager.
    must "unmanaged windows" "$NT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    must "undecorated windows" "$NT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
    must "96 dpi" nt_dpi_setting 96
    must "wineserver's end" wineserver -w

    # Read back what the tests rely on.
    local bad=""
    for view in /reg:64 /reg:32; do
      nt_reg_is "$cv" CurrentBuildNumber 22631 $view || bad="$bad CurrentBuildNumber$view"
      nt_reg_is "$cv" CurrentBuild 22631 $view || bad="$bad CurrentBuild$view"
      for face in "${NT_FONT_FACES[@]}"; do
        nt_reg_is "$cv\\FontSubstitutes" "$face" "WenQuanYi Micro Hei" $view || bad="$bad font:$face$view"
      done
    done
    nt_reg_is 'HKCU\Software\Wine\X11 Driver' Managed N || bad="$bad Managed"
    nt_reg_is 'HKCU\Software\Wine\X11 Driver' Decorated N || bad="$bad Decorated"
    nt_reg_is 'HKCU\Control Panel\Desktop' LogPixels 0x60 || bad="$bad LogPixels"
    nt_reg_is "$cv" CurrentMajorVersionNumber 0xa || bad="$bad Windows-10-version"
    if [ -n "$bad" ]; then
      echo "prefix set-up failed: $WINEPREFIX does not read back as asked:$bad" >&2
      exit 1
    fi
    wineserver -w
    touch "$marker"
  ) || { echo "the Wine prefix $WINEPREFIX could not be made; it is left unmarked and will be made again" >&2; return 1; }
}

# A copy of the prefix with Wine's null graphics driver, for tests that need no screen.
nt_prepare_headless_prefix() {
  local headless=$NT_PREFIX-null
  [ -f "$headless/$NT_PREFIX_MARKER" ] && return 0
  rm -rf "$headless"
  cp -a "$WINEPREFIX" "$headless" && rm -f "$headless/$NT_PREFIX_MARKER" &&
    WINEPREFIX=$headless nt_step "null graphics driver" "$NT_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &&
    WINEPREFIX=$headless nt_step "wineserver's end" wineserver -w &&
    touch "$headless/$NT_PREFIX_MARKER"
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
    WINEPREFIX=$prefix nt_quiet "$NT_WINE" cmd /c exit
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
  local exe=$1 dll=$2 folder=$3 strip=${NT_STRIP:-}
  if [ -z "$strip" ]; then
    case $(file -b "$exe") in
      PE32+*) strip=x86_64-w64-mingw32-strip ;;
      *) strip=i686-w64-mingw32-strip ;;
    esac
  fi
  [ -n "$folder" ] && [ "$folder" != / ] || { echo "nt_stage_delivery: no folder" >&2; return 1; }
  rm -rf "$folder"
  mkdir -p "$folder"
  "$strip" -o "$folder/NorvaneTaskwing.exe" "$exe"
  "$strip" -o "$folder/VeskorFeedbackInformation.dll" "$dll"
}

# nt_package_delivery <exe> <dll> <folder> <zip>: the staged folder, zipped.
nt_package_delivery() {
  nt_stage_delivery "$1" "$2" "$3" && nt_zip_delivery "$3" "$4"
}

# nt_zip_delivery <folder> <zip>: the folder zipped with itself at the top, as users unpack it.
nt_zip_delivery() {
  local folder zip
  folder=$(realpath -m "$1")
  zip=$(realpath -m "$2")
  rm -f "$zip"
  mkdir -p "$(dirname "$zip")"
  (cd "$(dirname "$folder")" && cmake -E tar cf "$zip" --format=zip "$(basename "$folder")")
}

# nt_sign_delivery <folder>: signs both files with Authenticode (SHA-256) when the environment names
# a certificate and its key, and verifies each signature; otherwise says, in one line, that the
# files stay unsigned. NT_SIGN_CERT: the certificate, with its chain (PEM or DER);
# NT_SIGN_KEY: its private key; NT_SIGN_PASS_FILE: a file holding the key's password, if it has
# one; NT_SIGN_TIMESTAMP: an RFC 3161 time-stamp server's URL, so that the signature outlives the
# certificate; NT_SIGN_CA: the CA certificates to verify against (the system's by default).
nt_sign_delivery() {
  local file
  if [ -z "${NT_SIGN_CERT:-}" ] && [ -z "${NT_SIGN_KEY:-}" ]; then
    echo "unsigned: NT_SIGN_CERT and NT_SIGN_KEY name no certificate and key"
    return 0
  fi
  if [ -z "${NT_SIGN_CERT:-}" ] || [ -z "${NT_SIGN_KEY:-}" ]; then
    echo "signing needs both NT_SIGN_CERT and NT_SIGN_KEY" >&2
    return 1
  fi
  for file in "$1/NorvaneTaskwing.exe" "$1/VeskorFeedbackInformation.dll"; do
    rm -f "$file.signed"
    osslsigncode sign -certs "$NT_SIGN_CERT" -key "$NT_SIGN_KEY" ${NT_SIGN_PASS_FILE:+-readpass "$NT_SIGN_PASS_FILE"} \
      -h sha256 -n NorvaneTaskwing ${NT_SIGN_TIMESTAMP:+-ts "$NT_SIGN_TIMESTAMP"} -in "$file" -out "$file.signed" >/dev/null &&
      mv "$file.signed" "$file" && nt_verify_signature "$file" ||
      { rm -f "$file.signed"; echo "signing $(basename "$file") failed" >&2; return 1; }
  done
  echo "signed: $(basename "$NT_SIGN_CERT")${NT_SIGN_TIMESTAMP:+, time-stamped by $NT_SIGN_TIMESTAMP}"
}

# nt_verify_signature <file>: whether its Authenticode signature holds for its present bytes and
# chains to NT_SIGN_CA (or the system's CAs); osslsigncode's report on failure.
nt_verify_signature() {
  local out
  out=$(osslsigncode verify ${NT_SIGN_CA:+-CAfile "$NT_SIGN_CA"} -in "$1" 2>&1) ||
    { printf '%s\n' "$out" | grep -Ei 'mismatch|fail|error' >&2; return 1; }
}
