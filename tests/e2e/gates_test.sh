#!/usr/bin/env bash
# The tool's start on unsuitable systems and the checks after it, each from its own delivery folder:
# every start-up gate failing in turn (no feedback library, a library lacking an export, a library
# that refuses to start, a system that is not Windows 11) with its log line, prompt, exit code 0 and
# folder kept; the code-page notice once, with the tool usable after it; the update notice for a
# newer version (alone, also under another code page), none for an equal or older one; and through
# device_type_host.exe the notice and "更多工具" of device types 0, 1, 2 and 5.
# Usage: gates_test.sh <build folder> <sandbox folder>
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup "$1" "$2"
started_at=$(date +%s)

HOST=$E2E_BUILD/tests/e2e/device_type_host.exe
LACKING=$E2E_BUILD/tests/feedback/feedback_lacking.dll
cp "$E2E_BUILD/tests/e2e/code_page_probe.exe" "$E2E_DRIVE/e2e/"
CV='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
# A system whose ANSI code page is not 936 (Wine takes it from the locale of the environment).
OTHER_CP=(LANG=C.UTF-8 LC_ALL=C.UTF-8)
GENERIC="检测到当前工具有新的版本，请下载最新版本使用。"
CODE_PAGE_NOTICE="本工具仅支持简体中文版"

# Folders whose process ended through a gate or the update notice, with their files at the start;
# checked at the end, long after a removal would have run.
KEPT_DIRS=()
KEPT_FILES=()

# ini <section> <key> <value>: the stand-in library's settings, beside it.
ini() { printf '[%s]\r\n%s=%s\r\n' "$1" "$2" "$3" >>"$E2E_DIR/VeskorFeedback.ini"; }

# start [program arguments...]: e2e_start with the folder's files and the log's size noted first;
# ENV holds VAR=value pairs.
ENV=()
start() {
  KEPT_LISTING=$(ls -A "$E2E_DIR")
  LOG_OFFSET=$(stat -c %s "$E2E_LOG" 2>/dev/null || echo 0)
  e2e_start "${ENV[@]}" -- "$@"
}

keep_folder() {
  KEPT_DIRS+=("$E2E_DIR")
  KEPT_FILES+=("$KEPT_LISTING")
  KEPT_ENDED=$(date +%s)
}

calls() { tr -d '\r' <"$E2E_FEEDBACK_LOG" 2>/dev/null; }
no_calls() { [ ! -s "$E2E_FEEDBACK_LOG" ]; }
calls_lack() { ! grep -q -- "$1" <<<"$(calls)"; }
log_unchanged() { [ "$(stat -c %s "$E2E_LOG" 2>/dev/null || echo 0)" = "$LOG_OFFSET" ]; }

# The bytes the log gained since the start are one entry: "[yyyy-mm-dd hh:mm:ss mmmms]   ", the
# text in code page 936, CR LF.
log_entry_is() {
  local added expected stamp
  added=$(tail -c +$((LOG_OFFSET + 1)) "$E2E_LOG" 2>/dev/null | xxd -p | tr -d '\n')
  expected=$(printf '%s\r\n' "$1" | iconv -f UTF-8 -t GBK | xxd -p | tr -d '\n')
  [ "${#added}" -gt "${#expected}" ] && [ "${added: -${#expected}}" = "$expected" ] || return 1
  stamp=$(xxd -r -p <<<"${added:0:$((${#added} - ${#expected}))}")
  [[ $stamp =~ ^\[[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2}\ [0-9]{3}ms\]\ \ \ $ ]]
}

notice_up() { e2e_wait_for "^ctl [0-9]+ ${IDC_PROMPT_TEXT} .* $1\$" "${2:-20}"; }

ends_with_0() { e2e_wait_exit 15 && [ "$E2E_STATUS" = 0 ]; }

# A tool left running: ended from outside, so that its folder stays and the next start is alone.
stop_tool() {
  kill "$E2E_PID" 2>/dev/null
  e2e_wait_exit 10 || { kill -9 "$E2E_PID" 2>/dev/null; e2e_wait_exit 5; }
}

# The start checks have run: the update query has reached the library, and 100 ms have passed.
past_start_checks() {
  for _ in $(seq 50); do
    grep -q '^GetToolIsNewVersion' <<<"$(calls)" && { sleep 0.5; return 0; }
    sleep 0.2
  done
  return 1
}

# gate <folder> <log line> <prompt>: the start just begun fails at a gate.
gate() {
  check "$1: prompt \"$3\"" notice_up "$3"
  # Written and closed before the prompt appears.
  check "$1: log entry \"$2\" in GBK" log_entry_is "$2"
  check "$1: the main window's controls never come up" lines_lack "^ctl [0-9]+ ${IDC_MOVE_LEFT} "
  e2e_click "$IDC_PROMPT_OK"
  check "$1: exit code 0 after 确认" ends_with_0
  keep_folder
}

system_build() {
  local view
  for view in /reg:64 /reg:32; do
    nt_quiet "$NT_WINE" reg add "$CV" /v CurrentBuildNumber /d "$1" /f $view
    nt_quiet "$NT_WINE" reg add "$CV" /v CurrentBuild /d "$1" /f $view
  done
}

echo "== start-up gates =="
e2e_stage "Taskwing no library" "" none
start
gate "no library" "加载反馈DLL失败" "工具初始化失败"

e2e_stage "Taskwing lacking export" "" "$LACKING"
start
gate "lacking export" "加载反馈DLL失败" "工具初始化失败"
check "lacking export: the library is never called" no_calls

e2e_stage "Taskwing init refused"
ini Init result 0
start
gate "init refused" "初始化反馈DLL失败" "工具初始化失败"
check "init refused: InitFreedbackDll was the only call" test "$(calls)" = InitFreedbackDll

system_build 19045
e2e_stage "Taskwing Windows 10"
start
# Windows 10's build leaves the decision to "WMIC OS List status", which Wine's wmic cannot
# answer: refused, as on Windows 10.
gate "Windows 10" "此工具不支持当前系统" "此工具不支持当前系统"
check "Windows 10: refused before the library is loaded" no_calls
system_build 22631

echo "== code page =="
check "the probe sees code page 936 in the test locale" test "$(cd "$E2E_DRIVE/e2e" && "$NT_WINE" code_page_probe.exe | tr -d '\r')" = 936
other_cp=$(cd "$E2E_DRIVE/e2e" && env "${OTHER_CP[@]}" "$NT_WINE" code_page_probe.exe | tr -d '\r')
check "the probe sees another code page ($other_cp) under ${OTHER_CP[*]}" test "${other_cp:-936}" != 936

e2e_stage "Taskwing code page"
ENV=("${OTHER_CP[@]}")
start
check "code page: notice \"$CODE_PAGE_NOTICE\"" notice_up "$CODE_PAGE_NOTICE"
check "code page: over the running main window" lines_have "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 [01] 开始菜单左移\$"
# A close from outside (the taskbar's) while the notice is up is refused: the pair ending under it
# left the notice orphaned over freed windows.
shell=$(awk '$1 == "top" && / Taskwing$/ { print $2; exit }' <<<"$E2E_LINES")
e2e_probe send "$shell" 0x10 0 >/dev/null
sleep 1.5
E2E_LINES=$(e2e_probe)
check "code page: a close while the notice is up is refused (no problem-solved window)" lines_lack " ${IDC_BTN_SOLVED} "
e2e_click "$IDC_PROMPT_OK"
check "code page: notice dismissed" e2e_wait_gone " ${IDC_PROMPT_TEXT} "
sleep 3
E2E_LINES=$(e2e_probe)
check "code page: the notice does not come again" lines_lack " ${IDC_PROMPT_TEXT} "
# Usable: `reg` answers in English here, and the value read back tells the truth.
nt_quiet "$NT_WINE" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced' /v TaskbarAl /t REG_DWORD /d 1 /f
e2e_click "$IDC_MOVE_LEFT"
check "code page: 左移 gives its result \"开始按钮左移成功\"" notice_up "开始按钮左移成功" 20
e2e_click "$IDC_PROMPT_OK"
check "code page: result dismissed, the tool runs on" e2e_wait_gone " ${IDC_PROMPT_TEXT} "
check "code page: TaskbarAl is 0" test "$(e2e_taskbar_al)" = 0x0
check "code page: no failure logged" log_unchanged
check "code page: still running" kill -0 "$E2E_PID"
e2e_probe send "$shell" 0x10 0 >/dev/null
check "code page: with the notice gone, a close opens the problem-solved window" e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_SOLVED} " 10
stop_tool
ENV=()

echo "== update notice =="
e2e_stage "Taskwing newer"
ini Update newest 9.9.9.9
start
check "newer: generic notice" notice_up "$GENERIC"
check "newer: the download page waits for 确认" calls_lack OpenToolDownUrl
e2e_click "$IDC_PROMPT_OK"
check "newer: exit code 0 after 确认" ends_with_0
check "newer: InitFreedbackDll, GetToolIsNewVersion, OpenToolDownUrl" test "$(calls)" = \
  "$(printf 'InitFreedbackDll\nGetToolIsNewVersion\t10132\t1.1.22.1017\nOpenToolDownUrl')"
keep_folder

e2e_stage "Taskwing newer other code page"
ini Update newest 9.9.9.9
ENV=("${OTHER_CP[@]}")
start
check "newer, other code page: generic notice" notice_up "$GENERIC"
check "newer, other code page: no code-page notice with it" lines_lack "$CODE_PAGE_NOTICE"
e2e_click "$IDC_PROMPT_OK"
# A code-page notice after the update notice would hold the process up.
check "newer, other code page: exit code 0 after one 确认" ends_with_0
check "newer, other code page: OpenToolDownUrl" grep -qx OpenToolDownUrl <<<"$(calls)"
keep_folder
ENV=()

for case in "equal 1.1.22.1017" "older 1.1.22.1016" "older 1.1.3.9999"; do
  read -r name newest <<<"$case"
  e2e_stage "Taskwing $name $newest"
  ini Update newest "$newest"
  start
  check "$name ($newest): main window up" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 20
  check "$name ($newest): asked for the newest version" past_start_checks
  E2E_LINES=$(e2e_probe)
  check "$name ($newest): no notice, the tool runs on" lines_lack " ${IDC_PROMPT_TEXT} "
  check "$name ($newest): still running" kill -0 "$E2E_PID"
  stop_tool
done

echo "== device types =="
# type, notice, whether the download page opens
while IFS='|' read -r type text download; do
  e2e_stage "Taskwing device $type" "$HOST"
  ini Update newest 9.9.9.9
  start "$type"
  check "type $type: notice \"$text\"" notice_up "$text"
  check "type $type: 更多工具 hidden" lines_have "^ctl [0-9]+ ${IDC_MORE_TOOLS} (-?[0-9]+ ){4}0 "
  e2e_click "$IDC_PROMPT_OK"
  check "type $type: exit code 0 after 确认" ends_with_0
  if [ "$download" = yes ]; then
    check "type $type: OpenToolDownUrl" grep -qx OpenToolDownUrl <<<"$(calls)"
  else
    check "type $type: no OpenToolDownUrl" calls_lack OpenToolDownUrl
  fi
  keep_folder
done <<EOF
1|检测到当前工具有新的版本，请在Ostrel客户端下载最新版本使用。|no
2|检测到当前工具有新的版本，请在Pell客户端下载最新版本使用。|no
5|$GENERIC|yes
EOF

e2e_stage "Taskwing device 0" "$HOST"
start 0
check "type 0: main window up" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 20
check "type 0: 更多工具 shown" lines_have "^ctl [0-9]+ ${IDC_MORE_TOOLS} (-?[0-9]+ ){4}1 "
stop_tool

echo "== folders =="
# A removal waits 3 s before it deletes.
while [ "$(date +%s)" -lt $((KEPT_ENDED + 5)) ]; do sleep 0.5; done
for i in "${!KEPT_DIRS[@]}"; do
  check "${KEPT_DIRS[$i]##*/}: folder and files kept" test "$(ls -A "${KEPT_DIRS[$i]}" 2>/dev/null)" = "${KEPT_FILES[$i]}"
done
echo "$(($(date +%s) - started_at)) s"
