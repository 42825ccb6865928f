#!/usr/bin/env bash
# The release zip as a user gets it: NorvaneTaskwing-<version>.zip holds one folder with the
# stripped executable and feedback library; unpacked into Downloads, the tool starts from it and
# runs a short session: 左移 to "开始按钮左移成功", TaskbarAl 0, close, the first answer, exit code 0
# and the folder gone.
# Usage: package_test.sh <build folder> <sandbox folder>
# script/test also runs it on the i686 build, under an emulated 32-bit loader, where the machine
# cannot run 32-bit programs (see E2E_TOOL_WINE in lib.sh).
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup "$1" "$2"
patience=${E2E_PATIENCE:-1}

version=$(nt_version)
zip=$E2E_BUILD/package/NorvaneTaskwing-$version.zip
check "the zip is named for the version" test -f "$zip"
[ -f "$zip" ] || exit 1
check "the zip is no older than the built executable" test ! "$zip" -ot "$E2E_BUILD/app/NorvaneTaskwing.exe"
listing=$(cmake -E tar tf "$zip" | sed 's|/$||' | sort | tr '\n' ' ')
check "it holds the folder with the two files and nothing else" \
  test "$listing" = "NorvaneTaskwing NorvaneTaskwing/NorvaneTaskwing.exe NorvaneTaskwing/VeskorFeedbackInformation.dll "

(cd "$E2E_DOWNLOADS" && cmake -E tar xf "$zip")
E2E_DIR=$E2E_DOWNLOADS/NorvaneTaskwing

debug_sections() { "${NT_MINGW_TRIPLE}-objdump" -h "$1" | grep -c ' \.debug_'; }
for file in NorvaneTaskwing.exe VeskorFeedbackInformation.dll; do
  check "$file carries no debug sections" test "$(debug_sections "$E2E_DIR/$file")" = 0
done
check "the built executable still has them (so the check above can fail)" \
  test "$(debug_sections "$E2E_BUILD/app/NorvaneTaskwing.exe")" -gt 0
check "the delivered executable is smaller than the built one" \
  test "$(stat -c %s "$E2E_DIR/NorvaneTaskwing.exe")" -lt "$(stat -c %s "$E2E_BUILD/app/NorvaneTaskwing.exe")"

# From 1, so that the operation's 0 is its own doing.
nt_quiet "$NT_WINE" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced' /v TaskbarAl /t REG_DWORD /d 1 /f
e2e_start
check "main window up" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" $((15 * patience))
sleep 0.5
e2e_click "$IDC_MOVE_LEFT"
check "result prompt \"开始按钮左移成功\"" e2e_wait_for "^ctl [0-9]+ ${IDC_PROMPT_TEXT} .* 开始按钮左移成功\$" $((10 * patience))
e2e_click "$IDC_PROMPT_OK"
check "prompt dismissed" e2e_wait_gone " ${IDC_PROMPT_TEXT} " $((15 * patience))
check "TaskbarAl is 0x0" test "$(e2e_taskbar_al)" = 0x0

e2e_click "$IDC_CLOSE"
check "problem-solved window up" e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_SOLVED} " $((10 * patience))
e2e_click "$IDC_BTN_SOLVED"
check "the tool ends" e2e_wait_exit $((15 * patience))
check "exit code 0" test "$E2E_STATUS" = 0
check "the answer reached the library" grep -qP "^CustomerFeedbackEx\t10132\t${version//./\\.}\t1\t" "$E2E_FEEDBACK_LOG"
check "the unpacked folder is removed after the close" e2e_wait_removed "$E2E_DIR" $((10 * patience))
