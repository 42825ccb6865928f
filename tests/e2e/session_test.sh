#!/usr/bin/env bash
# A whole session as a user has it, at 96 and 144 dpi: start the tool from its delivery folder,
# 左移 (progress window, then "开始按钮左移成功", TaskbarAl 0), 居中 (TaskbarAl 1), close, answer
# "问题已解决，继续保持！" in the problem-solved window; the answer reaches the feedback library,
# the process ends with 0 and the delivery folder is gone a few seconds later.
# Usage: session_test.sh <build folder> <sandbox folder>
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup "$1" "$2"

# operation <button id> <progress text> <result text> <TaskbarAl after>
operation() {
  e2e_click "$1"
  # The progress window stands while `reg add` runs (about half a second and more).
  check "progress window shows \"$2\"" e2e_wait_for "^ctl [0-9]+ ${IDC_STATE_INFO} .* 1 1 $2" 3
  check "result prompt \"$3\"" e2e_wait_for "^ctl [0-9]+ ${IDC_PROMPT_TEXT} .* $3\$" 10
  check "no progress window under the result" lines_lack "$2"
  e2e_click "$IDC_PROMPT_OK"
  check "prompt dismissed" e2e_wait_gone "$3"
  check "TaskbarAl is $4" test "$(e2e_taskbar_al)" = "$4"
}

lacks_answer() { ! grep -q CustomerFeedbackEx "$E2E_FEEDBACK_LOG" 2>/dev/null; }

for dpi in 96 144; do
  echo "== $dpi dpi =="
  nt_set_dpi "$dpi"
  folder="Taskwing $dpi"
  e2e_stage "$folder"
  e2e_start
  check "main window up" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 15
  # Past the start checks (100 ms after the window is up): no notice on this system.
  sleep 0.5
  E2E_LINES=$(e2e_probe)
  check "no notice at start" lines_lack " ${IDC_PROMPT_TEXT} "


  operation "$IDC_MOVE_LEFT" "正在左移，请稍等" "开始按钮左移成功" 0x0
  operation "$IDC_CENTRE" "正在居中，请稍等" "开始按钮居中成功" 0x1

  if [ "$dpi" = 96 ]; then
    e2e_click "$IDC_CLOSE"
  else
    # Alt+F4 on the content window closes the tool as its close button does.
    xdotool key alt+F4
  fi
  check "problem-solved window up" e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_SOLVED} " 10
  # The answers' places from the top-left of the problem-solved window's client area.
  answers=$(awk -v a="$IDC_BTN_SOLVED" -v b="$IDC_BTN_UNSOLVED" -v c3="$IDC_BTN_OTHER" '
    $1 == "top" && / 您的问题解决了吗？$/ && c == "" { c = $3 " " $4 }
    $1 == "ctl" && ($3 == a || $3 == b || $3 == c3) { split(c, o, " "); printf "%d,%d ", $4 - o[1], $5 - o[2] }' \
    <<<"$E2E_LINES")
  if [ "$dpi" = 144 ]; then
    check "answers at 100,231 101,351 101,471" test "$answers" = "100,231 101,351 101,471 "
  else
    check "answers at 67,154 67,234 67,314" test "$answers" = "67,154 67,234 67,314 "
  fi
  if [ "$dpi" = 144 ]; then
    # 410 x 479 at 1.5; the answers 399 x 90.
    check "problem-solved shell 615 x 718" grep -qE '^top [0-9]+ -?[0-9]+ -?[0-9]+ 615 718 ' <<<"$E2E_LINES"
    check "answer 399 x 90" grep -qE "^ctl [0-9]+ ${IDC_BTN_SOLVED} -?[0-9]+ -?[0-9]+ 399 90 " <<<"$E2E_LINES"
  else
    check "problem-solved shell 410 x 479" grep -qE '^top [0-9]+ -?[0-9]+ -?[0-9]+ 410 479 ' <<<"$E2E_LINES"
    check "answer 266 x 60" grep -qE "^ctl [0-9]+ ${IDC_BTN_SOLVED} -?[0-9]+ -?[0-9]+ 266 60 " <<<"$E2E_LINES"
  fi
  # A second close while it stands opens no second one.
  main_shell=$(awk '$1 == "top" && / Taskwing$/ { s = $2 } END { print s }' <<<"$E2E_LINES")
  e2e_probe send "$main_shell" 0x10 0 >/dev/null
  sleep 0.5
  check "a second close opens no second window" test "$(e2e_probe | grep -c "^ctl [0-9]* ${IDC_BTN_SOLVED} ")" = 1
  # The pointer on the answer's transparent rim answers nothing.
  read -r ax ay _ _ <<<"$(e2e_control_rect "$IDC_BTN_SOLVED")"
  e2e_click_at $((ax + 3)) $((ay + 3))
  sleep 0.5
  check "a click on the rim of the answer answers nothing" lacks_answer
  check "and the window stays" e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_SOLVED} " 2
  clicked=$(date +%s)
  e2e_click "$IDC_BTN_SOLVED"
  check "the tool ends" e2e_wait_exit 15
  check "exit code 0" test "$E2E_STATUS" = 0
  calls=$(tr -d '\r' <"$E2E_FEEDBACK_LOG" 2>/dev/null)
  answer=$(grep -P '^CustomerFeedbackEx\t' <<<"$calls")
  check "CustomerFeedbackEx with 1 and device text 1" grep -qP '^CustomerFeedbackEx\t10132\t1\.1\.22\.1017\t1\t-?[0-9]+\t1$' <<<"$answer"
  sent=$(cut -f5 <<<"$answer")
  check "its time is the click's (±5 s)" test "${sent:-0}" -ge $((clicked - 5)) -a "${sent:-0}" -le $((clicked + 5))
  check "FeedbackQuestion follows" bash -c "grep -A1 -P '^CustomerFeedbackEx' <<<'$calls' | tail -1 | grep -qP '^FeedbackQuestion\t10132\t1\.1\.22\.1017$'"
  check "delivery folder removed after the close" e2e_wait_removed "$E2E_DIR"
done

nt_set_dpi 96
check "nothing is logged on success" test -z "$(e2e_log_text)"

# Messages the content window answers without doing anything: result codes outside 1 to 4, a close
# of the progress window when there is none, and 0x7E8.
e2e_stage "Taskwing answers"
e2e_start
e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 15
content=$(awk '$1 == "top" && / Taskwing 任务栏开始按钮工具$/ { print $2; exit }' <<<"$E2E_LINES")
check "WM_ALIGN_RESULT 0 and 5 answer 1" test "$(e2e_probe sendwait "$content" 0x5F6 0) $(e2e_probe sendwait "$content" 0x5F6 5)" = "1 1"
check "WM_CLOSE_PROGRESS without a progress window answers 1" test "$(e2e_probe sendwait "$content" 0x5F5 0)" = 1
check "0x7E8 answers 1" test "$(e2e_probe sendwait "$content" 0x7E8 0)" = 1
sleep 0.3
check "and nothing shows" lines_lack " ${IDC_PROMPT_TEXT} "
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null; E2E_PID=""

# The close removes the tool's own files from any folder, and nothing else: a foreign file keeps
# its folder; blanks, &, ^, !, ( and Chinese characters are names like any other; a name with % is
# refused (the command interpreter would expand it), and everything stays.
# close_from <folder name> [foreign]: start, close, answer 其他, wait for the end.
close_from() {
  e2e_stage "$1"
  [ -n "${2:-}" ] && printf 'mine\r\n' >"$E2E_DIR/$2"
  e2e_start
  e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 15 && e2e_click "$IDC_CLOSE" && e2e_wait_for "^ctl [0-9]+ ${IDC_BTN_OTHER} " 10 &&
    e2e_click "$IDC_BTN_OTHER" && e2e_wait_exit 15 && [ "$E2E_STATUS" = 0 ]
}
gone_within_5s() {
  local n
  for n in $(seq 25); do
    [ -e "$1" ] || return 0
    sleep 0.2
  done
  return 1
}
before=$(cd "$E2E_DRIVE" && find . -path ./users -prune -o -path ./e2e -prune -o -path ./ProgramData -prune -o \
  -path ./windows -prune -o -printf '%y %s %p\n' | sort)
for name in "a b & c" "x^y!z (1)" "任务栏 工具"; do
  check "closed from \"$name\"" close_from "$name"
  check "\"$name\" removed" gone_within_5s "$E2E_DIR"
done
check "closed from a folder with a foreign file" close_from "Downloads mix" "notes.txt"
sleep 4
check "the foreign file and its folder stay" test -f "$E2E_DIR/notes.txt"
check "the tool's own files are gone from it" test ! -e "$E2E_DIR/NorvaneTaskwing.exe" -a ! -e "$E2E_DIR/VeskorFeedbackInformation.dll"
check "closed from \"50%OS%off\"" close_from "50%OS%off"
sleep 4
check "a name with % keeps everything" test -f "$E2E_DIR/NorvaneTaskwing.exe" -a -f "$E2E_DIR/VeskorFeedbackInformation.dll"
after=$(cd "$E2E_DRIVE" && find . -path ./users -prune -o -path ./e2e -prune -o -path ./ProgramData -prune -o \
  -path ./windows -prune -o -printf '%y %s %p\n' | sort)
check "nothing else on C: changed" test "$before" = "$after"
