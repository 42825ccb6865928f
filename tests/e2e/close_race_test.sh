#!/usr/bin/env bash
# A close at the very start, before the start checks have run, on a system whose code page is not
# 936: the problem-solved window stands on top and takes the user's answer (no code-page notice
# comes over it), and the tool then ends and removes its files.
# Usage: close_race_test.sh <build folder> <sandbox folder>
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup "$1" "$2"

lines_lack() { ! grep -qE -- "$1" <<<"$E2E_LINES"; }

e2e_stage "Taskwing close race"
# The probe waits for the main window and closes it the moment it shows.
(cd "$E2E_DRIVE/windows/system32" && exec wine 'C:\e2e\window_probe.exe' closeonsight </dev/null >/dev/null 2>&1) &
closer=$!
sleep 1
e2e_start LANG=C.UTF-8 LC_ALL=C.UTF-8
wait "$closer"
check "closed the moment it showed" test $? = 0
check "problem-solved window up" e2e_wait_for '^ctl [0-9]+ 1003 ' 15
# Well past the start checks' 100 ms.
sleep 1.5
E2E_LINES=$(e2e_probe)
check "no code-page notice over it" lines_lack ' 1006 '
# Were one there, its 确认 leads on to what the user would meet next.
grep -q ' 1006 ' <<<"$E2E_LINES" && { e2e_click 1007; sleep 1; E2E_LINES=$(e2e_probe); }
# The probe lists the windows from the top down: the problem-solved window's answers come first.
first=$(awk '$1 == "ctl" { print $3; exit }' <<<"$E2E_LINES")
check "the problem-solved window is on top ($first)" test "$first" = 1002
check "and takes input" grep -qE '^ctl [0-9]+ 1003 .* 1 1 ' <<<"$E2E_LINES"
e2e_click 1003
check "a click answers it and the tool ends" e2e_wait_exit 15
check "exit code 0" test "$E2E_STATUS" = 0
for n in $(seq 30); do [ -e "$E2E_DIR" ] || break; sleep 0.5; done
check "its files are removed" test ! -e "$E2E_DIR"
