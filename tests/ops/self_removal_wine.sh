#!/usr/bin/env bash
# The removal at a close, for real: a probe program that starts it and ends is staged with the
# feedback library and settings in "delivery folders" in a sandboxed copy of the prefix (no link
# out to the host's files), and started from C:\windows\system32 as Windows starts an elevated
# program. Only the tool's own files may go, and only after the program has ended.
# Usage: self_removal_wine.sh <probe.exe> <library.dll> <sandbox folder>
set -u
probe=$1 library=$2 box=$3
source "$(dirname "$0")/../wine/sandbox.sh"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

nt_make_sandbox "$box" || { echo "FAIL: no sandbox"; exit 1; }
trap 'nt_stop_sandbox "$box"' EXIT

drive=$box/drive_c
user=$(nt_sandbox_user "$box")
downloads=$drive/users/$user/Downloads
winDownloads="C:\\users\\$user\\Downloads"

# Everything on the drive but the staging folder, with sizes and times: what the removal must not touch.
listing() {
  (cd "$drive" && find . -mindepth 1 -path "./users/$user/Downloads" -prune -o -printf '%y %s %T@ %p\n' | sort)
}

# stage <folder name> [exe name]: a delivery folder as the tool comes.
stage() {
  local dir=$downloads/$1
  mkdir -p "$dir"
  cp "$probe" "$dir/${2:-NorvaneTaskwing.exe}"
  cp "$library" "$dir/VeskorFeedbackInformation.dll"
  printf '[Feedback]\r\nShown=1\r\n' >"$dir/VeskorFeedback.ini"
}

# run <windows path of the program> [milliseconds it stays]; sets $ended (ns) when it has ended.
run() {
  (cd "$drive/windows/system32" && "$NT_WINE" "$1" ${2:+"$2"} </dev/null >/dev/null 2>&1)
  ended=$(date +%s%N)
}

# gone_within <seconds> <path>...: waits until none of the paths exists; prints the milliseconds
# since $ended.
gone_within() {
  local limit=$1 path left
  shift
  local deadline=$(($(date +%s%N) + limit * 1000000000))
  while :; do
    left=""
    for path in "$@"; do [ -e "$path" ] && left=$path; done
    if [ -z "$left" ]; then
      echo $((($(date +%s%N) - ended) / 1000000))
      return 0
    fi
    if [ "$(date +%s%N)" -gt "$deadline" ]; then
      echo "still there: $left"
      return 1
    fi
    sleep 0.02
  done
}

# Sets the array $files to the tool's files in folder $1 (executable name $2).
tool_files() { files=("$1/${2:-NorvaneTaskwing.exe}" "$1/VeskorFeedbackInformation.dll" "$1/VeskorFeedback.ini"); }

before=$(listing)
times=""

# The removal waits for the program to end, then takes the files and the emptied folder.
stage "NorvaneTaskwing"
dir=$downloads/NorvaneTaskwing
(cd "$drive/windows/system32" && "$NT_WINE" "$winDownloads\\NorvaneTaskwing\\NorvaneTaskwing.exe" 2000 </dev/null >/dev/null 2>&1) &
program=$!
sleep 1
tool_files "$dir"
for f in "${files[@]}"; do [ -f "$f" ] || fail "$f went while the program still ran"; done
wait $program
ended=$(date +%s%N)
if ms=$(gone_within 12 "${files[@]}" "$dir"); then times="$times plain:$ms"; else fail "plain folder: $ms"; fi

# Folder names that the command interpreter treats specially, and one in Chinese; and an
# executable that goes by another name.
for name in "a b" "x&y" "c^d" "e!f" "g(h)" "k) & ver & (" "中文 文件夹" "rename"; do
  exe=NorvaneTaskwing.exe
  [ "$name" = rename ] && exe=任务栏工具.exe
  stage "$name" "$exe"
  run "$winDownloads\\$name\\$exe"
  tool_files "$downloads/$name" "$exe"
  if ms=$(gone_within 12 "${files[@]}" "$downloads/$name"); then
    times="$times [$name]:$ms"
  else
    fail "folder \"$name\": $ms"
  fi
done

# A foreign file keeps the folder; only the tool's files go.
stage "with notes"
printf 'mine\n' >"$downloads/with notes/说明.txt"
run "$winDownloads\\with notes\\NorvaneTaskwing.exe"
dir="$downloads/with notes"
if ms=$(gone_within 12 "$dir/NorvaneTaskwing.exe" "$dir/VeskorFeedbackInformation.dll" "$dir/VeskorFeedback.ini"); then
  times="$times foreign:$ms"
else
  fail "folder with a foreign file: $ms"
fi
[ "$(cat "$dir/说明.txt" 2>/dev/null)" = mine ] || fail "the foreign file went or changed"

# A folder in the settings file's place is not emptied: del would take what it holds.
stage "ini folder"
dir="$downloads/ini folder"
rm -f "$dir/VeskorFeedback.ini"
mkdir -p "$dir/VeskorFeedback.ini"
printf 'keep\n' >"$dir/VeskorFeedback.ini/inner.txt"
run "$winDownloads\\ini folder\\NorvaneTaskwing.exe"
if ms=$(gone_within 12 "$dir/NorvaneTaskwing.exe" "$dir/VeskorFeedbackInformation.dll"); then
  times="$times ini-folder:$ms"
else
  fail "folder with a settings folder: $ms"
fi
[ "$(cat "$dir/VeskorFeedback.ini/inner.txt" 2>/dev/null)" = keep ] || fail "the folder named like the settings was emptied"

# A % in the path is refused: the interpreter would expand %OS% even inside quotes and take the
# files of the folder that the expanded name names.
stage "a%OS%b"
stage "aWindows_NTb"
run "$winDownloads\\a%OS%b\\NorvaneTaskwing.exe"
sleep 3
for dir in "$downloads/a%OS%b" "$downloads/aWindows_NTb"; do
  tool_files "$dir"
  for f in "${files[@]}"; do [ -f "$f" ] || fail "$f went although the path holds %"; done
done

# At a drive's root the files go and the root stays as it was.
cp "$probe" "$drive/NorvaneTaskwing.exe"
cp "$library" "$drive/VeskorFeedbackInformation.dll"
printf '[Feedback]\r\n' >"$drive/VeskorFeedback.ini"
run "C:\\NorvaneTaskwing.exe"
tool_files "$drive"
if ms=$(gone_within 12 "${files[@]}"); then times="$times root:$ms"; else fail "drive root: $ms"; fi
[ -d "$drive/windows/system32" ] || fail "the drive lost its folders"

# Nothing else on the drive changed (the root's files are gone again, so they are not listed).
after=$(listing)
if [ "$before" != "$after" ]; then
  fail "files outside the delivery folders changed:"
  diff <(echo "$before") <(echo "$after") | head -20
fi
left=$(cd "$downloads" && find . -mindepth 1 -maxdepth 1 -printf '%P|' | tr '|' '\n' | sort | tr '\n' '|')
[ "$left" = "a%OS%b|aWindows_NTb|ini folder|with notes|" ] || fail "the staging folder holds: $left"
nt_check_sandbox "$box" || fail "the sandbox gained a link"

echo "milliseconds from the program's end until its files were gone:$times"
[ "$failures" = 0 ] || exit 1
# The copy is large; a failing run leaves it for a look.
nt_stop_sandbox "$box"
trap - EXIT
rm -rf "$box"
echo "all removal cases passed"
