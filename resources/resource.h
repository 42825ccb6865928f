// Resource ids shared by the .rc and the C++ code. Plain #defines only: windres reads this too.
#ifndef NORVANE_TASKWING_RESOURCE_H
#define NORVANE_TASKWING_RESOURCE_H

// Dialog templates.
#define IDD_ABOUTBOX                    100
#define IDD_NORVANETASKWING_DIALOG      102
#define IDD_EXECUTE_PROMPT_CHILD        129
#define IDD_EXECUTE_PROMPT              130
#define IDD_PROBLEM_SOLVING_CHILD       131
#define IDD_PROBLEM_SOLVING             132
#define IDD_PROMPT_CHILD                133
#define IDD_PROMPT                      134
#define IDD_TASKWING                    137

// Icon, strings, the one plain bitmap.
#define IDR_MAINFRAME                   128
#define IDS_ABOUTBOX                    101
#define IDB_BITMAP190                   190

// System-menu command of the About item (low four bits must stay clear for SC_ commands).
#define IDM_ABOUTBOX                    0x0010

// PNG skins (resource type "PNG"). Button sets run normal, hover, pressed, disabled; the
// three-image sets use their third image for both pressed and disabled.
#define IDB_PNG_MAIN_SHELL              138
#define IDB_PNG_MAIN_BK                 139
#define IDB_PNG_CENTRE_NORMAL           140
#define IDB_PNG_CENTRE_HOVER            141
#define IDB_PNG_CENTRE_PRESSED          142
#define IDB_PNG_CENTRE_DISABLED         143
#define IDB_PNG_CHECKBOX                144
#define IDB_PNG_CLOSE_NORMAL            145
#define IDB_PNG_CLOSE_HOVER             146
#define IDB_PNG_CLOSE_PRESSED           147
#define IDB_PNG_CLOSE_DISABLED          148
#define IDB_PNG_EXECUTE_PROMPT_SHELL    149
#define IDB_PNG_EXECUTE_PROMPT_BK       150
#define IDB_PNG_MOVE_LEFT_NORMAL        151
#define IDB_PNG_MOVE_LEFT_HOVER         152
#define IDB_PNG_MOVE_LEFT_PRESSED       153
#define IDB_PNG_MOVE_LEFT_DISABLED      154
#define IDB_PNG_MINIMIZE_NORMAL         155
#define IDB_PNG_MINIMIZE_HOVER          156
#define IDB_PNG_MINIMIZE_PRESSED        157
#define IDB_PNG_MINIMIZE_DISABLED       158
#define IDB_PNG_ANSWER_OTHER_NORMAL     159
#define IDB_PNG_ANSWER_OTHER_HOVER      160
#define IDB_PNG_ANSWER_OTHER_PRESSED    161
#define IDB_PNG_ANSWER_OTHER_DISABLED   162
#define IDB_PNG_MORE_TOOLS_NORMAL       163
#define IDB_PNG_MORE_TOOLS_HOVER        164
#define IDB_PNG_MORE_TOOLS_PRESSED      165
#define IDB_PNG_MORE_TOOLS_DISABLED     166
#define IDB_PNG_PROMPT_SHELL            167
#define IDB_PNG_PROMPT_BK               168
#define IDB_PNG_PROMPT_CANCEL_NORMAL    169
#define IDB_PNG_PROMPT_CANCEL_HOVER     170
#define IDB_PNG_PROMPT_CANCEL_PRESSED   171
#define IDB_PNG_PROMPT_CLOSE_NORMAL     172
#define IDB_PNG_PROMPT_CLOSE_HOVER      173
#define IDB_PNG_PROMPT_CLOSE_PRESSED    174
#define IDB_PNG_PROMPT_NO_NORMAL        175
#define IDB_PNG_PROMPT_NO_HOVER         176
#define IDB_PNG_PROMPT_NO_PRESSED       177
#define IDB_PNG_PROMPT_CONFIRM_NORMAL   178
#define IDB_PNG_PROMPT_CONFIRM_HOVER    179
#define IDB_PNG_PROMPT_CONFIRM_PRESSED  180
#define IDB_PNG_PROMPT_YES_NORMAL       181
#define IDB_PNG_PROMPT_YES_HOVER        182
#define IDB_PNG_PROMPT_YES_PRESSED      183
#define IDB_PNG_PROBLEM_SOLVING_SHELL   184
#define IDB_PNG_PROBLEM_SOLVING_BK      185
#define IDB_PNG_PROBLEM_SOLVING_CLOSE_NORMAL   186
#define IDB_PNG_PROBLEM_SOLVING_CLOSE_HOVER    187
#define IDB_PNG_PROBLEM_SOLVING_CLOSE_PRESSED  188
#define IDB_PNG_PROBLEM_SOLVING_CLOSE_DISABLED 189
#define IDB_PNG_ANSWER_SOLVED_NORMAL    191
#define IDB_PNG_ANSWER_SOLVED_HOVER     192
#define IDB_PNG_ANSWER_SOLVED_PRESSED   193
#define IDB_PNG_ANSWER_SOLVED_DISABLED  194
#define IDB_PNG_ANSWER_UNSOLVED_NORMAL  196
#define IDB_PNG_ANSWER_UNSOLVED_HOVER   197
#define IDB_PNG_ANSWER_UNSOLVED_PRESSED 198
#define IDB_PNG_ANSWER_UNSOLVED_DISABLED 199

// Controls. The problem-solved window's "other" answer keeps its historical id 131.
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
#define IDC_BTN_OTHER                   131
#define IDC_STATE_INFO                  1000
#define IDC_PROBLEM_SOLVING_CLOSE       1002
#define IDC_BTN_SOLVED                  1003
#define IDC_BTN_UNSOLVED                1004
#define IDC_PROMPT_CLOSE                1005
#define IDC_PROMPT_TEXT                 1006
#define IDC_PROMPT_OK                   1007
#define IDC_PROMPT_CANCEL               1008
#define IDC_MORE_TOOLS                  1010
#define IDC_CLOSE                       1011
#define IDC_MINIMIZE                    1012
#define IDC_AGREE                       1013
#define IDC_VERSION                     1014
#define IDC_AGREEMENT                   1015
#define IDC_FEEDBACK                    1016
#define IDC_MOVE_LEFT                   1017
#define IDC_CENTRE                      1018

#endif  // NORVANE_TASKWING_RESOURCE_H
