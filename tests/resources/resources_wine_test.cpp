// The compiled resources as Windows sees them: templates create the windows the skinned classes
// bind to, with the ids, classes, styles and texts they rely on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

struct Dialog {
  explicit Dialog(int id)
      : hwnd(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr,
                                QuietProc, 0)) {}
  ~Dialog() {
    if (hwnd) DestroyWindow(hwnd);
  }
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  HWND hwnd;
};

std::wstring ClassOf(HWND w) {
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  return name;
}

std::wstring TextOf(HWND w) {
  wchar_t text[128] = {};
  GetWindowTextW(w, text, 128);
  return text;
}

constexpr DWORD kOwnerDrawButton = 0x5001000B;  // child, visible, tab stop, BS_OWNERDRAW
constexpr DWORD kWindowButton = 0x5000000B;     // minimise and close: no tab stop, so Space never reaches them
constexpr DWORD kAutoCheckBox = 0x50010003;
constexpr DWORD kPlainStatic = 0x50020000;      // no SS_NOTIFY: clicks reach the dialog
constexpr DWORD kFirstOfGroup = 0x5003000B;     // the arrow keys go round from here, not onto a label
constexpr DWORD kLinkStatic = 0x50030000;       // a tab stop of its own, still no SS_NOTIFY

struct Item {
  int id;
  const wchar_t* cls;
  DWORD style;
};

void ExpectControls(int dialog, std::initializer_list<Item> items) {
  Dialog dlg(dialog);
  ASSERT_NE(dlg.hwnd, nullptr) << "dialog " << dialog;
  for (const Item& item : items) {
    HWND c = GetDlgItem(dlg.hwnd, item.id);
    ASSERT_NE(c, nullptr) << "dialog " << dialog << " control " << item.id;
    EXPECT_EQ(lstrcmpiW(ClassOf(c).c_str(), item.cls), 0) << item.id;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE)), item.style) << item.id;
  }
}

TEST(DialogTemplates, SkinnedPairsAreHiddenCaptionlessPopupsWithSystemMenu) {
  for (int id : {IDD_EXECUTE_PROMPT_CHILD, IDD_EXECUTE_PROMPT, IDD_PROBLEM_SOLVING_CHILD,
                 IDD_PROBLEM_SOLVING, IDD_PROMPT_CHILD, IDD_PROMPT, IDD_TASKWING}) {
    Dialog dlg(id);
    ASSERT_NE(dlg.hwnd, nullptr) << id;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dlg.hwnd, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP) << id;
    EXPECT_TRUE(style & WS_SYSMENU) << id;
    EXPECT_FALSE(style & WS_VISIBLE) << id;
    EXPECT_NE(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION)) << id;
    // No layered bit from the template: the shells add it themselves.
    EXPECT_EQ(GetWindowLongW(dlg.hwnd, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_APPWINDOW), 0) << id;
  }
  Dialog shell(IDD_NORVANETASKWING_DIALOG);
  ASSERT_NE(shell.hwnd, nullptr);
  EXPECT_TRUE(GetWindowLongW(shell.hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(shell.hwnd, GW_CHILD), nullptr) << "the main shell holds no controls";
}

TEST(DialogTemplates, DrawnLabelsCopyTheSongTiTenPointFont) {
  for (int id : {IDD_TASKWING, IDD_NORVANETASKWING_DIALOG, IDD_PROMPT_CHILD,
                 IDD_EXECUTE_PROMPT_CHILD}) {
    Dialog dlg(id);
    ASSERT_NE(dlg.hwnd, nullptr) << id;
    auto font = reinterpret_cast<HFONT>(SendMessageW(dlg.hwnd, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr) << id;
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, L"宋体") << id;
    HDC screen = GetDC(nullptr);
    const int expected = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lf.lfHeight, expected) << id;
  }
}

TEST(DialogTemplates, ControlsCarryTheIdsClassesAndStylesTheWindowsBind) {
  ExpectControls(IDD_TASKWING, {{IDC_CLOSE, L"Button", kWindowButton},
                                {IDC_MINIMIZE, L"Button", kWindowButton},
                                {IDC_VERSION, L"Static", kPlainStatic},
                                {IDC_MOVE_LEFT, L"Button", kFirstOfGroup},
                                {IDC_CENTRE, L"Button", kOwnerDrawButton},
                                {IDC_MORE_TOOLS, L"Button", kOwnerDrawButton},
                                {IDC_AGREE, L"Button", kAutoCheckBox},
                                {IDC_AGREEMENT, L"Static", kLinkStatic},
                                {IDC_FEEDBACK, L"Static", kLinkStatic}});
  ExpectControls(IDD_PROMPT_CHILD, {{IDC_PROMPT_CLOSE, L"Button", kOwnerDrawButton},
                                    {IDC_PROMPT_TEXT, L"Static", kPlainStatic},
                                    {IDC_PROMPT_OK, L"Button", kFirstOfGroup},
                                    {IDC_PROMPT_CANCEL, L"Button", kOwnerDrawButton}});
  ExpectControls(IDD_PROBLEM_SOLVING_CHILD,
                 {{IDC_PROBLEM_SOLVING_CLOSE, L"Button", kOwnerDrawButton},
                  {IDC_BTN_SOLVED, L"Button", kOwnerDrawButton},
                  {IDC_BTN_UNSOLVED, L"Button", kOwnerDrawButton},
                  {IDC_BTN_OTHER, L"Button", kOwnerDrawButton}});
  ExpectControls(IDD_EXECUTE_PROMPT_CHILD, {{IDC_STATE_INFO, L"Static", kPlainStatic}});
  for (int shell : {IDD_EXECUTE_PROMPT, IDD_PROBLEM_SOLVING, IDD_PROMPT}) {
    Dialog dlg(shell);
    EXPECT_EQ(GetWindow(dlg.hwnd, GW_CHILD), nullptr) << "shell " << shell << " holds no controls";
  }
}

TEST(DialogTemplates, TextsThatShowComeFromTheTemplates) {
  Dialog main(IDD_TASKWING);
  // The box's name says what is agreed to; it draws 同意 and the link beside it the rest.
  EXPECT_EQ(TextOf(GetDlgItem(main.hwnd, IDC_AGREE)), L"同意《Veskor服务工具使用许可协议》");
  EXPECT_EQ(TextOf(GetDlgItem(main.hwnd, IDC_AGREEMENT)), L"《Veskor服务工具使用许可协议》");
  Dialog progress(IDD_EXECUTE_PROMPT_CHILD);
  EXPECT_EQ(TextOf(GetDlgItem(progress.hwnd, IDC_STATE_INFO)), L"Static");
  Dialog about(IDD_ABOUTBOX);
  ASSERT_NE(about.hwnd, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(about.hwnd, IDOK)), L"确定");
  bool version_line = false;
  for (HWND c = GetWindow(about.hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    version_line = version_line || TextOf(c) == L"NorvaneTaskwing，1.0 版";
  }
  EXPECT_TRUE(version_line);
}

TEST(Resources, StringIconAndBitmap) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  wchar_t text[64] = {};
  ASSERT_GT(LoadStringW(self, IDS_ABOUTBOX, text, 64), 0);
  EXPECT_STREQ(text, L"关于 NorvaneTaskwing(&A)...");
  for (int size : {16, 24, 32, 48, 256}) {
    auto icon = static_cast<HICON>(
        LoadImageW(self, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  HBITMAP bitmap = LoadBitmapW(self, MAKEINTRESOURCEW(IDB_BITMAP190));
  EXPECT_NE(bitmap, nullptr);
  DeleteObject(bitmap);
  // 190 is a plain bitmap, not one of the PNG skins.
  EXPECT_EQ(FindResourceW(self, MAKEINTRESOURCEW(IDB_BITMAP190), L"PNG"), nullptr);
  EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(IDB_PNG_MAIN_SHELL), L"PNG"), nullptr);
}

}  // namespace
