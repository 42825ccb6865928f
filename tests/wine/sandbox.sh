# A throw-away copy of the test prefix for tests that let a program delete files. Wine maps z: to
# the host's root and links the user's Desktop, Documents, Downloads and the like to the host's home
# folder; the copy keeps none of that, so whatever runs in it can reach nothing but its own drive_c.
#
#   source tests/wine/sandbox.sh
#   nt_make_sandbox <folder>   # copies build/wineprefix there, starts its own wineserver, cuts its
#                              # links, checks; exports WINEPREFIX (and HOME) for the copy
#   nt_check_sandbox <folder>  # fails loudly when any link other than dosdevices/c: is found
#   nt_stop_sandbox <folder>   # stops the copy's own wineserver
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/../../script/lib.sh"

nt_check_sandbox() {
  local box=$1 link bad=0
  if [ ! -d "$box/drive_c" ]; then
    echo "sandbox: $box has no drive_c" >&2
    return 1
  fi
  while IFS= read -r -d '' link; do
    if [ "$link" = "$box/dosdevices/c:" ] && [ "$(readlink "$link")" = "../drive_c" ]; then continue; fi
    echo "sandbox: link left in $box: $link -> $(readlink "$link")" >&2
    bad=1
  done < <(find "$box" -type l -print0)
  if [ "$(readlink "$box/dosdevices/c:")" != "../drive_c" ]; then
    echo "sandbox: $box/dosdevices/c: does not lead to ../drive_c" >&2
    bad=1
  fi
  return $bad
}

# Only c: stays of the drives (z: is the host's root, com ports are host devices).
nt_cut_drives() {
  local link
  for link in "$1"/dosdevices/* "$1"/dosdevices/.[!.]*; do
    [ -e "$link" ] || [ -L "$link" ] || continue
    [ "$link" = "$1/dosdevices/c:" ] && continue
    rm -rf "$link"
  done
}

nt_make_sandbox() {
  local box=$1 source=$NT_PREFIX link
  case $box in
    /*) ;;
    *) echo "sandbox: $box is not an absolute path" >&2; return 1 ;;
  esac
  # Never one of the shared prefixes: removal tests run only in a copy.
  case $(realpath -m "$box") in
    "$(realpath -m "$source")" | "$(realpath -m "$source")"/* | "$(realpath -m "$source-null")" | "$(realpath -m "$source-null")"/*)
      echo "sandbox: $box is a shared prefix" >&2; return 1 ;;
  esac
  ( WINEPREFIX=$source; nt_prepare_prefix ) || return 1
  if [ -e "$box" ]; then
    # Only an earlier sandbox (or an empty folder) is cleared away.
    if [ ! -f "$box/.taskwing-sandbox" ] && [ -n "$(ls -A "$box" 2>/dev/null)" ]; then
      echo "sandbox: $box exists and is not a sandbox" >&2; return 1
    fi
    WINEPREFIX=$box nt_quiet wineserver -k || true
    rm -rf "$box"
  fi
  mkdir -p "$(dirname "$box")"
  cp -a "$source" "$box" || return 1
  touch "$box/.taskwing-sandbox"

  nt_cut_drives "$box"
  # The shell folders lead into the host's home: each becomes an empty folder of its own.
  while IFS= read -r -d '' link; do
    rm -f "$link"
    mkdir -p "$link"
  done < <(find "$box/drive_c" -type l -print0)
  # A home of its own: should Wine ever make its shell-folder links again, they lead in here.
  mkdir -p "$box/home"

  export WINEPREFIX=$box HOME=$box/home
  unset XDG_DESKTOP_DIR XDG_DOCUMENTS_DIR XDG_DOWNLOAD_DIR XDG_MUSIC_DIR XDG_PICTURES_DIR XDG_VIDEOS_DIR \
    XDG_TEMPLATES_DIR XDG_PUBLICSHARE_DIR XDG_CONFIG_HOME
  # The copy's own server, kept up until nt_stop_sandbox. Its first program starts the mount
  # manager, which links the host's serial ports into dosdevices once per server: cut after it.
  nt_quiet wineserver -p || return 1
  # No screen is needed for what runs here.
  nt_quiet "$NT_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f || return 1
  nt_cut_drives "$box"
  nt_check_sandbox "$box"
}

nt_stop_sandbox() {
  WINEPREFIX=$1 nt_quiet wineserver -k || true
}

# nt_sandbox_user <box>: the name of the prefix's user, whose folders are under drive_c/users.
nt_sandbox_user() {
  local user
  for user in "$1"/drive_c/users/*; do
    user=${user##*/}
    [ "$user" != Public ] && break
  done
  echo "$user"
}
