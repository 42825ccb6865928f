#!/usr/bin/env bash
# The main window under a real pointer: sizes at 96 and 120 dpi, every control at its place, the
# agreement box gating both operations, dragging by the strip, link hover colour and link clicks,
# keys, minimise and restore; and the operation flow's guards: a second operation cannot start
# under a running one, a close from outside waits for the result, ten operations leave nothing
# behind, and a failed operation logs only after its prompt has been dismissed.
# Usage: main_window_test.sh <build folder> <sandbox folder>
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup "$1" "$2"
shots=$E2E_BOX/shots
mkdir -p "$shots"

# "x y w h" of a top-level window line whose text matches, or of control <id>.
top_rect() { awk -v pat="$1" '$1 == "top" && $0 ~ pat { print $3, $4, $5, $6; exit }' <<<"$E2E_LINES"; }
content_rect() { awk '$1 == "top" && / Taskwing 任务栏开始按钮工具$/ { print $3, $4, $5, $6; exit }' <<<"$E2E_LINES"; }
ctl_rect() { awk -v id="$1" '$1 == "ctl" && $3 == id { print $4, $5, $6, $7; exit }' <<<"$E2E_LINES"; }
shell_hwnd() { awk '$1 == "top" && / Taskwing$/ { print $2; exit }' <<<"$E2E_LINES"; }
# Counts the pixels of colour $2 (RRGGBB) in the screenshot $1 within x y w h.
count_colour() {
  convert "$1" -crop "$5x$6+$3+$4" +repage txt:- 2>/dev/null | grep -ci "#$2"
}

# ---- 120 dpi: the pair grows by 1.25 --------------------------------------------------------
nt_set_dpi 120
e2e_stage "Taskwing 120"
e2e_start
check "up at 120 dpi" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 15
# Space on a fresh window: the focus starts on 左移, where Space with the pointer away starts nothing.
check "the focus starts on 左移" focus_is "$IDC_MOVE_LEFT"
check "shell 512 x 763 at 120 dpi" test "$(top_rect ' Taskwing$' | cut -d' ' -f3,4)" = "512 763"
check "左移 307 x 58 at 120 dpi" test "$(ctl_rect "$IDC_MOVE_LEFT" | cut -d' ' -f3,4)" = "307 58"
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null; E2E_PID=""
nt_set_dpi 96

# ---- 96 dpi: places, gating, drag, hover, keys, minimise ------------------------------------
e2e_stage "Taskwing"
e2e_start
check "up at 96 dpi" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 15
sleep 0.5
E2E_LINES=$(e2e_probe)
read -r sx sy sw sh <<<"$(top_rect ' Taskwing$')"
read -r cx cy cw ch <<<"$(content_rect)"
check "shell 410 x 611" test "$sw $sh" = "410 611"
check "content 400 x 600 on the shell with edges 5/4/5/7" \
  test "$cw $ch $((cx - sx)) $((cy - sy)) $((sx + sw - cx - cw)) $((sy + sh - cy - ch))" = "400 600 5 4 5 7"
# Places relative to the content window, as the layout puts them at 96 dpi.
place() { local x y w h; read -r x y w h <<<"$(ctl_rect "$1")"; echo "$((x - cx)) $((y - cy)) $w $h"; }
check "close at 368,0 26x34" test "$(place "$IDC_CLOSE")" = "368 0 26 34"
check "minimise at 340,0 26x34" test "$(place "$IDC_MINIMIZE")" = "340 0 26 34"
check "version at 188,16 140x15" test "$(place "$IDC_VERSION")" = "188 16 140 15"
check "左移 at 77,240 246x47" test "$(place "$IDC_MOVE_LEFT")" = "77 240 246 47"
check "居中 at 77,299 246x47" test "$(place "$IDC_CENTRE")" = "77 299 246 47"
check "更多工具 at 50,545 58x18, shown" test "$(place "$IDC_MORE_TOOLS")" = "50 545 58 18"
read -r ax ay aw ah <<<"$(place "$IDC_AGREE")"
read -r lx ly lw lh <<<"$(place "$IDC_AGREEMENT")"
read -r fx fy fw fh <<<"$(place "$IDC_FEEDBACK")"
check "同意 at 8,575, 20 high" test "$ax $ay $ah" = "8 575 20"
check "agreement link 6 after 同意, 14 characters wide" test "$lx $ly $((lw % 14))" = "$((ax + aw + 6)) 575 0"
check "feedback link ends 6 before the right edge" test "$fy $((fx + fw))" = "575 394"
check "version text" lines_have "^ctl [0-9]+ ${IDC_VERSION} .* 1\.1\.22\.1017\$"
check "同意 checked at start" test "$(e2e_probe check "$IDC_AGREE")" = 1

e2e_shot "$shots/start.png"
# Gating: unchecked, both operations are disabled and look it; checked again, they come back.
e2e_click "$IDC_AGREE"
sleep 0.4
E2E_LINES=$(e2e_probe)
check "同意 unchecked by a click" test "$(e2e_probe check "$IDC_AGREE")" = 0
check "左移 and 居中 disabled" lines_have "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 0 开始菜单左移\$"
check "居中 disabled" lines_have "^ctl [0-9]+ ${IDC_CENTRE} .* 1 0 开始菜单居中\$"
e2e_shot "$shots/unchecked.png"
mx=$((cx + 200)) my=$((cy + 263))
check "左移 shows another image when disabled" \
  test "$(e2e_pixel "$shots/start.png" $((cx + 100)) "$my")" != "$(e2e_pixel "$shots/unchecked.png" $((cx + 100)) "$my")"
check "the box is drawn differently unchecked" \
  test "$(convert "$shots/start.png" -crop "16x16+$((cx + 8))+$((cy + 577))" +repage -format '%#' info:)" != \
     "$(convert "$shots/unchecked.png" -crop "16x16+$((cx + 8))+$((cy + 577))" +repage -format '%#' info:)"
before=$(e2e_taskbar_al)
e2e_click_at "$mx" "$my"
sleep 1.5
E2E_LINES=$(e2e_probe)
check "a disabled 左移 starts nothing" lines_lack '正在左移|开始按钮左移'
e2e_click "$IDC_AGREE"
sleep 0.4
E2E_LINES=$(e2e_probe)
check "checked again: 左移 enabled" lines_have "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$"
check "checked again: 居中 enabled" lines_have "^ctl [0-9]+ ${IDC_CENTRE} .* 1 1 开始菜单居中\$"

# Hover: a link turns 0xFF0000 (blue on the screen) under the pointer.
read -r gx gy gw gh <<<"$(ctl_rect "$IDC_FEEDBACK")"
e2e_shot "$shots/link.png"
xdotool mousemove $((gx + gw / 2)) $((gy + gh / 2)) sleep 0.1 mousemove_relative 1 0 sleep 0.5
e2e_shot "$shots/link-hover.png"
check "feedback link drawn in 0xFF5C5C" test "$(count_colour "$shots/link.png" 5C5CFF "$gx" "$gy" "$gw" "$gh")" -gt 5
check "feedback link 0xFF0000 under the pointer" test "$(count_colour "$shots/link-hover.png" 0000FF "$gx" "$gy" "$gw" "$gh")" -gt 5
xdotool mousemove $((cx + 200)) $((cy + 150)) sleep 0.4

# Link clicks and 更多工具 go to the feedback library.
rm -f "$E2E_FEEDBACK_LOG"
e2e_click "$IDC_FEEDBACK"
e2e_click "$IDC_AGREEMENT"
e2e_click "$IDC_MORE_TOOLS"
sleep 0.5
calls=$(tr -d '\r' <"$E2E_FEEDBACK_LOG" 2>/dev/null)
check "feedback link: FeedbackQuestion" grep -qP '^FeedbackQuestion\t10132\t1\.1\.22\.1017$' <<<"$calls"
check "agreement link: OpenUseAgreementUrl" grep -qx 'OpenUseAgreementUrl' <<<"$calls"
check "更多工具: OpenUrl with the library's fourth text" grep -qP '^OpenUrl\thttps?://' <<<"$calls"

# Dragging by the strip moves both windows; the strip's right 86 px does not drag.
xdotool mousemove $((cx + 150)) $((cy + 12)) mousedown 1 sleep 0.2 mousemove $((cx + 190)) $((cy + 42)) sleep 0.2 \
  mousemove $((cx + 210)) $((cy + 62)) sleep 0.3 mouseup 1
sleep 0.5
E2E_LINES=$(e2e_probe)
read -r nsx nsy nsw nsh <<<"$(top_rect ' Taskwing$')"
read -r ncx ncy ncw nch <<<"$(content_rect)"
check "drag moved the content window by 60,50" test "$((ncx - cx)) $((ncy - cy))" = "60 50"
check "the shell followed with its edges" test "$((ncx - nsx)) $((ncy - nsy)) $nsw $nsh" = "5 4 410 611"
cx=$ncx cy=$ncy sx=$nsx sy=$nsy
xdotool mousemove $((cx + 320)) $((cy + 12)) mousedown 1 sleep 0.2 mousemove $((cx + 340)) $((cy + 52)) sleep 0.3 mouseup 1
sleep 0.5
E2E_LINES=$(e2e_probe)
check "no drag from the strip's right end" test "$(content_rect | cut -d' ' -f1,2)" = "$cx $cy"

# Enter and Escape close nothing and press nothing.
xdotool mousemove $((cx + 200)) $((cy + 150)) click 1 key Escape key Return
sleep 1
E2E_LINES=$(e2e_probe)
check "Esc and Enter: still up, no prompt, no operation" bash -c "kill -0 $E2E_PID && ! grep -qE ' ${IDC_PROMPT_TEXT} |正在' <<<'$E2E_LINES'"

# Tab goes round 左移, 居中, 更多工具, 同意 and the two links, never to minimise or close.
tabbed=""
for n in $(seq 12); do xdotool key Tab; sleep 0.1; tabbed="$tabbed $(e2e_probe focus)"; done
check "Tab: only the six tab stops, each twice ($tabbed)" \
  test "$(tr ' ' '\n' <<<"$tabbed" | grep . | sort | tr '\n' ' ')" = "${IDC_MORE_TOOLS} ${IDC_MORE_TOOLS} ${IDC_AGREE} ${IDC_AGREE} ${IDC_AGREEMENT} ${IDC_AGREEMENT} ${IDC_FEEDBACK} ${IDC_FEEDBACK} ${IDC_MOVE_LEFT} ${IDC_MOVE_LEFT} ${IDC_CENTRE} ${IDC_CENTRE} "

# Minimise, then restore from outside (there is no taskbar on the test display).
e2e_click "$IDC_MINIMIZE"
sleep 0.8
E2E_LINES=$(e2e_probe)
check "minimised" lines_have '^top [0-9]+ .* 1 1 1 Taskwing$'
e2e_probe send "$(shell_hwnd)" 0x112 0xF120 >/dev/null
sleep 0.8
E2E_LINES=$(e2e_probe)
check "restored with its content" bash -c "grep -qE '^top [0-9]+ .* 1 1 0 Taskwing$' <<<'$E2E_LINES' && grep -qE '^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移$' <<<'$E2E_LINES'"
check "the focus is not left on minimise" test "$(e2e_probe focus)" != "$IDC_MINIMIZE"
# A press on minimise dragged off it clicks nothing, but gives it the focus: Space must not minimise.
read -r mx my mw mh <<<"$(e2e_control_rect "$IDC_MINIMIZE")"
xdotool mousemove $((mx + mw / 2)) $((my + mh / 2)) mousedown 1 sleep 0.2 mousemove $((mx - 80)) $((my + 100)) sleep 0.2 mouseup 1
xdotool key space
sleep 0.8
E2E_LINES=$(e2e_probe)
check "Space after a press dragged off minimise: not minimised" lines_have '^top [0-9]+ .* 1 1 0 Taskwing$'

# The system menu's About item opens the About box; 确定 closes it.
e2e_probe send "$(shell_hwnd)" 0x112 0x10 >/dev/null
check "About box" e2e_wait_for '^top [0-9]+ .* 关于 NorvaneTaskwing$' 5
check "its lines" bash -c "grep -q 'NorvaneTaskwing，1.0 版' <<<'$E2E_LINES' && grep -q '任务栏开始按钮一键左移或居中' <<<'$E2E_LINES'"
e2e_click 1 '确定'
check "About box closed" e2e_wait_gone '关于 NorvaneTaskwing'

# ---- The operations' guards -----------------------------------------------------------------
ok_prompt() { e2e_click "$IDC_PROMPT_OK" && e2e_wait_gone " ${IDC_PROMPT_TEXT} "; }
e2e_click "$IDC_CENTRE"
check "居中 done" e2e_wait_for " ${IDC_PROMPT_TEXT} .*开始按钮居中成功\$" 10
ok_prompt
# A click on 居中's edge, which the progress window of 左移 leaves uncovered, starts nothing.
e2e_click "$IDC_MOVE_LEFT"
check "progress of 左移 up" e2e_wait_for '正在左移' 3
e2e_click_at $((cx + 79)) $((cy + 322))
check "左移's result" e2e_wait_for " ${IDC_PROMPT_TEXT} .*开始按钮左移成功\$" 10
ok_prompt
sleep 1.5
E2E_LINES=$(e2e_probe)
check "no second operation after it" lines_lack '正在居中|开始按钮居中'
check "TaskbarAl 0 (居中 never ran)" test "$(e2e_taskbar_al)" = 0x0

# A close sent from outside during an operation is refused; the result still comes.
e2e_click "$IDC_CENTRE"
check "progress of 居中 up" e2e_wait_for '正在居中' 3
e2e_probe send "$(shell_hwnd)" 0x10 0 >/dev/null
check "the result still comes" e2e_wait_for " ${IDC_PROMPT_TEXT} .*开始按钮居中成功\$" 10
ok_prompt
sleep 0.5
E2E_LINES=$(e2e_probe)
check "and the tool runs on without a problem-solved window" bash -c "kill -0 $E2E_PID && ! grep -q ' ${IDC_BTN_SOLVED} ' <<<'$E2E_LINES'"

# Ten operations leave no window, thread or handle behind.
stats_before=$(e2e_probe stats)
for n in 1 2 3 4 5; do
  e2e_click "$IDC_MOVE_LEFT"; e2e_wait_for " ${IDC_PROMPT_TEXT} .*左移成功\$" 10; ok_prompt
  e2e_click "$IDC_CENTRE"; e2e_wait_for " ${IDC_PROMPT_TEXT} .*居中成功\$" 10; ok_prompt
done
sleep 1
stats_after=$(e2e_probe stats)
E2E_LINES=$(e2e_probe)
echo "before: $stats_before; after ten operations: $stats_after"
check "ten operations: same threads and handles" test "$stats_before" = "$stats_after"
check "ten operations: two windows left" test "$(grep -c '^top ' <<<"$E2E_LINES")" = 2
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null; E2E_PID=""

# ---- A failed operation ----------------------------------------------------------------------
# Without reg.exe the command interpreter runs but the value stays as it was: the operation fails,
# and its log line says how (the interpreter's exit code, the value read back, its message).
rm -f "$E2E_LOG"
nt_quiet "$NT_WINE" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced' /v TaskbarAl /t REG_DWORD /d 1 /f
for reg in "$E2E_DRIVE"/windows/{system32,syswow64}/reg.exe; do mv "$reg" "$reg.away"; done
e2e_stage "Taskwing failing"
e2e_start
check "main window up" e2e_wait_for "^ctl [0-9]+ ${IDC_MOVE_LEFT} .* 1 1 开始菜单左移\$" 15
sleep 0.5
e2e_click "$IDC_MOVE_LEFT"
check "failure prompt" e2e_wait_for " ${IDC_PROMPT_TEXT} .*开始按钮左移失败\$" 10
check "nothing logged while the prompt stands" test -z "$(e2e_log_text)"
ok_prompt
sleep 0.5
for reg in "$E2E_DRIVE"/windows/{system32,syswow64}/reg.exe; do mv "$reg.away" "$reg"; done
e2e_log_text | sed 's/^/  log: /'
check "the failure line after it, in GBK, with what went wrong" \
  grep -qE '开始按钮左移失败 \| 退出码 [1-9][0-9]* \| TaskbarAl 1 \| 输出 .*reg add' <<<"$(e2e_log_text)"
check "one time-stamped line" test "$(e2e_log_text | grep -c .)" = 1
