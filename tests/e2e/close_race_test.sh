#!/usr/bin/env bash
# A close the moment the main window shows, before the start checks, under code page 1252: the
# problem-solved window stands on top with no notice over it, a click answers it, the tool ends
# and removes its files.
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
