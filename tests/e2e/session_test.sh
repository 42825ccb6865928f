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
    check "progress window shows \"$2\"" e2e_wait_for "^ctl [0-9]+ 1000 .* 1 1 $2" 3
    check "result prompt \"$3\"" e2e_wait_for "^ctl [0-9]+ 1006 .* $3\$" 10
    check "no progress window under the result" lines_lack "$2"
    e2e_click 1007
    check "prompt dismissed" e2e_wait_for_gone "$3"
    check "TaskbarAl is $4" test "$(e2e_taskbar_al)" = "$4"
}

lines_lack() { ! grep -q -- "$1" <<<"$E2E_LINES"; }

e2e_wait_for_gone() {
    local n
    for n in $(seq 30); do
        grep -q -- "$1" <<<"$(e2e_probe)" || return 0
        sleep 0.2
    done
    return 1
}

for dpi in 96 144; do
    echo "== $dpi dpi =="
    e2e_set_dpi "$dpi"
    folder="Taskwing $dpi"
    e2e_stage "$folder"
    e2e_start
    check "main window up" e2e_wait_for '^ctl [0-9]+ 1017 .* 1 1 左移$' 15
    # Past the start checks (100 ms after the window is up): no notice on this system.
    sleep 0.5
    E2E_LINES=$(e2e_probe)
    check "no notice at start" lines_lack ' 1006 '


    operation 1017 "正在左移，请稍等" "开始按钮左移成功" 0x0
    operation 1018 "正在居中，请稍等" "开始按钮居中成功" 0x1

    e2e_click 1011
    check "problem-solved window up" e2e_wait_for '^ctl [0-9]+ 1003 ' 10
    if [ "$dpi" = 144 ]; then
        # 410 x 479 at 1.5; the answers 399 x 90.
        check "problem-solved shell 615 x 718" grep -qE '^top [0-9]+ -?[0-9]+ -?[0-9]+ 615 718 ' <<<"$E2E_LINES"
        check "answer 399 x 90" grep -qE '^ctl [0-9]+ 1003 -?[0-9]+ -?[0-9]+ 399 90 ' <<<"$E2E_LINES"
    else
        check "problem-solved shell 410 x 479" grep -qE '^top [0-9]+ -?[0-9]+ -?[0-9]+ 410 479 ' <<<"$E2E_LINES"
        check "answer 266 x 60" grep -qE '^ctl [0-9]+ 1003 -?[0-9]+ -?[0-9]+ 266 60 ' <<<"$E2E_LINES"
    fi
    clicked=$(date +%s)
    e2e_click 1003
    check "the tool ends" e2e_wait_exit 15
    check "exit code 0" test "$E2E_STATUS" = 0
    calls=$(tr -d '\r' <"$E2E_FEEDBACK_LOG" 2>/dev/null)
    answer=$(grep -P '^CustomerFeedbackEx\t' <<<"$calls")
    check "CustomerFeedbackEx with 1 and device text 1" grep -qP '^CustomerFeedbackEx\t10132\t1\.1\.22\.1017\t1\t-?[0-9]+\t1$' <<<"$answer"
    sent=$(cut -f5 <<<"$answer")
    check "its time is the click's (±5 s)" test "${sent:-0}" -ge $((clicked - 5)) -a "${sent:-0}" -le $((clicked + 5))
    check "FeedbackQuestion follows" bash -c "grep -A1 -P '^CustomerFeedbackEx' <<<'$calls' | tail -1 | grep -qP '^FeedbackQuestion\t10132\t1\.1\.22\.1017$'"
    gone=no
    for n in $(seq 50); do
        [ -e "$E2E_DIR" ] || { gone=yes; break; }
        sleep 0.2
    done
    check "delivery folder removed after the close" test "$gone" = yes
done

e2e_set_dpi 96
check "nothing is logged on success" test -z "$(e2e_log_text)"
