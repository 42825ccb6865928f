#!/usr/bin/env bash
# Closes from outside that must not strand a window. A close the moment the main window shows,
# before the start checks, under code page 1252: the problem-solved window stands on top with no
# notice over it, a click answers it, the tool ends and removes its files. A close while the About
# box is up is refused; once the box is dismissed, the close button ends the tool with its removal.
# Usage: close_race_test.sh <build folder> <sandbox folder>
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup "$1" "$2"

e2e_stage "Taskwing close race"
(cd "$E2E_DRIVE/windows/system32" && exec "$NT_WINE" 'C:\e2e\window_probe.exe' closeonsight </dev/null >/dev/null 2>&1) &
closer=$!
sleep 1
e2e_start LANG=C.UTF-8 LC_ALL=C.UTF-8
wait "$closer"
check "problem-solved window up" e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_SOLVED} " 15
sleep 1.5  # well past the start checks' 100 ms
E2E_LINES=$(e2e_probe)
check "no code-page notice over it" test "$(grep -c " ${IDC_PROMPT_TEXT} " <<<"$E2E_LINES")" = 0
# Were one there, its 确认 leads on to what the user would meet next.
grep -q " ${IDC_PROMPT_TEXT} " <<<"$E2E_LINES" && { e2e_click "$IDC_PROMPT_OK"; sleep 1; E2E_LINES=$(e2e_probe); }
# The probe lists windows from the top down: the problem-solved window's close button comes first.
first=$(awk '$1 == "ctl" { print $3; exit }' <<<"$E2E_LINES")
check "the problem-solved window is on top ($first)" test "$first" = "$IDC_PROBLEM_SOLVING_CLOSE"
e2e_click "$IDC_BTN_SOLVED"
check "a click answers it and the tool ends" e2e_wait_exit 15
check "exit code 0" test "${E2E_STATUS:-}" = 0
for n in $(seq 30); do [ -e "$E2E_DIR" ] || break; sleep 0.5; done
check "its files are removed" test ! -e "$E2E_DIR"

# The About box runs inside the main window's handler: a close under it (the taskbar's) is refused,
# or the main window would go and leave the box alone with the process running.
e2e_stage "Taskwing About close"
e2e_start
check "About: main window up" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 15
shell=$(awk '$1 == "top" && $NF == "Taskwing" { print $2; exit }' <<<"$E2E_LINES")
e2e_probe send "$shell" 0x112 0x10 >/dev/null
check "About box up" e2e_wait_for '^top [0-9]+ .* 关于 NorvaneTaskwing$' 5
e2e_probe send "$shell" 0x10 0 >/dev/null
sleep 1.5
E2E_LINES=$(e2e_probe)
check "a close under it is refused: no problem-solved window" lines_lack " ${IDC_BTN_SOLVED} "
check "and the main window stays" lines_have '^top [0-9]+ .* Taskwing$'
# Were the problem-solved window up, its answer shows whether the box outlives the main window.
lines_have " ${IDC_BTN_SOLVED} " && { e2e_click "$IDC_BTN_SOLVED"; sleep 1.5; }
e2e_click 1 '确定'
check "About box dismissed" e2e_wait_gone '关于 NorvaneTaskwing'
check "the tool still running" kill -0 "$E2E_PID"
e2e_click "$IDC_CLOSE"
check "About: the close button opens the problem-solved window" e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_SOLVED} " 10
e2e_click "$IDC_BTN_SOLVED"
check "About: the tool ends" e2e_wait_exit 15
check "About: exit code 0" test "${E2E_STATUS:-}" = 0
check "About: its files are removed" e2e_wait_removed "$E2E_DIR" 15
