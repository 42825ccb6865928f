// The self-removal plan: which files go, what is refused, and the command text.
#include "ops/self_removal.h"

#include <gtest/gtest.h>

#include <string>

using taskwing::PlanSelfRemoval;
using taskwing::RemovalPlan;
using taskwing::RemovalRefusal;

namespace {

size_t Count(const std::wstring& text, const std::wstring& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// The text between /C's outer quotes, as the interpreter runs it.
std::wstring Inner(const RemovalPlan& plan) {
    const std::wstring head = L"/D /E:ON /V:OFF /S /C \"";
    EXPECT_EQ(plan.parameters.rfind(head, 0), 0u) << Narrow(plan.parameters);
    EXPECT_EQ(plan.parameters.back(), L'"');
    return plan.parameters.substr(head.size(), plan.parameters.size() - head.size() - 1);
}

// Every quote of the inner text opens or closes a whole path: quotes pair up, and between each
// pair stands one of the plan's paths (the folder test adds "\\*").
void ExpectEveryPathQuotedWhole(const RemovalPlan& plan) {
    const std::wstring inner = Inner(plan);
    ASSERT_EQ(Count(inner, L"\"") % 2, 0u) << Narrow(inner);
    for (size_t open = inner.find(L'"'); open != std::wstring::npos; open = inner.find(L'"', open + 1)) {
        const size_t close = inner.find(L'"', open + 1);
        std::wstring quoted = inner.substr(open + 1, close - open - 1);
        if (quoted.size() > 2 && quoted.compare(quoted.size() - 2, 2, L"\\*") == 0) quoted.resize(quoted.size() - 2);
        bool known = quoted == plan.folder;
        for (const std::wstring& f : plan.files) known = known || quoted == f;
        EXPECT_TRUE(known) << "quoted text that is none of the paths: " << Narrow(quoted);
        open = close;
    }
}

}  // namespace

TEST(PlanSelfRemoval, TakesTheToolsFilesByNameAndTheFolderOnlyIfEmpty) {
    const RemovalPlan plan = PlanSelfRemoval(L"C:\\Users\\李\\Downloads\\Taskwing\\NorvaneTaskwing.exe", false);
    ASSERT_FALSE(plan.refused());
    ASSERT_EQ(plan.files.size(), 3u);
    EXPECT_EQ(plan.files[0], L"C:\\Users\\李\\Downloads\\Taskwing\\NorvaneTaskwing.exe");
    EXPECT_EQ(plan.files[1], L"C:\\Users\\李\\Downloads\\Taskwing\\VeskorFeedbackInformation.dll");
    EXPECT_EQ(plan.files[2], L"C:\\Users\\李\\Downloads\\Taskwing\\VeskorFeedback.ini");
    EXPECT_EQ(plan.folder, L"C:\\Users\\李\\Downloads\\Taskwing");

    const std::wstring inner = Inner(plan);
    // Waits for the end of the tool's process before anything else.
    EXPECT_EQ(inner.rfind(L"set /p x= & ", 0), 0u);
    // Nothing recursive, no wildcard given to del, and only the folder is removed as a folder.
    EXPECT_EQ(inner.find(L"/s"), std::wstring::npos);
    EXPECT_EQ(Count(inner, L"*"), 2u);
    EXPECT_EQ(Count(inner, L"\\*\" del"), 2u);
    EXPECT_EQ(Count(inner, L"rmdir \"C:\\Users\\李\\Downloads\\Taskwing\")"), 1u);
    EXPECT_EQ(Count(inner, L"rmdir"), 1u);
    // The executable is retried a bounded number of times; the rest follow only once it is gone.
    EXPECT_NE(inner.find(L"(for /l %n in (1,1,10) do (if exist \"" + plan.files[0] + L"\" del /f /q /a \"" +
                         plan.files[0] + L"\" & if exist \"" + plan.files[0] + L"\" ping -n 2 127.0.0.1 >nul)) & "),
              std::wstring::npos);
    const size_t gone = inner.find(L"if not exist \"" + plan.files[0] + L"\" (");
    ASSERT_NE(gone, std::wstring::npos);
    EXPECT_GT(inner.find(L"del /f /q /a \"" + plan.files[1] + L"\""), gone);
    EXPECT_GT(inner.find(L"rmdir"), gone);
    // A companion that is a folder is left alone: del would empty it.
    EXPECT_NE(inner.find(L"(if not exist \"" + plan.files[2] + L"\\*\" del /f /q /a \"" + plan.files[2] + L"\")"),
              std::wstring::npos);
    // The one % of the text is the loop's own variable: no %...% pair for the interpreter to expand.
    EXPECT_EQ(Count(inner, L"%"), 1u);
    ExpectEveryPathQuotedWhole(plan);

    // The executable's own name, whatever it is.
    const RemovalPlan renamed = PlanSelfRemoval(L"D:\\工具\\任务栏.exe", false);
    ASSERT_FALSE(renamed.refused());
    EXPECT_EQ(renamed.files[0], L"D:\\工具\\任务栏.exe");
    EXPECT_EQ(renamed.folder, L"D:\\工具");
}

TEST(PlanSelfRemoval, CharactersSpecialToTheInterpreterStayInsideOneQuotedPath) {
    for (const std::wstring folder : {L"C:\\a b\\c  d", L"C:\\x&y", L"C:\\c^d", L"C:\\e!f", L"C:\\g(h)",
                                      L"C:\\1) & rmdir \\Windows & (", L"C:\\新建 文件夹 (2)", L"C:\\a;b,c=d'e`f"}) {
        SCOPED_TRACE(Narrow(folder));
        const RemovalPlan plan = PlanSelfRemoval(folder + L"\\NorvaneTaskwing.exe", false);
        ASSERT_FALSE(plan.refused());
        EXPECT_EQ(plan.folder, folder);
        ExpectEveryPathQuotedWhole(plan);
        // Each path appears only quoted: exe in the loop (exist, del, exist) and the final test.
        EXPECT_EQ(Count(plan.parameters, L"\"" + plan.files[0] + L"\""), 4u);
        EXPECT_EQ(Count(plan.parameters, L"\"" + folder + L"\""), 1u);
    }
}

TEST(PlanSelfRemoval, RefusesWhatCouldNameOtherFilesOrRunOtherCommands) {
    struct Case {
        std::wstring path;
        bool cut;
        RemovalRefusal refusal;
    };
    const std::wstring longFolder = L"C:\\" + std::wstring(240, L'x');
    const Case cases[] = {
        {L"C:\\Tools\\NorvaneTaskwing.exe", true, RemovalRefusal::PathCut},
        {L"C:\\a%OS%b\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"C:\\100%\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"C:\\a\"b\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"C:\\a\nb\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"C:\\a\tb\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"C:\\*\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"C:\\a<b\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"Tools\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"C:NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"\\Tools\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"C:\\Tools\\..\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"C:\\Tools\\.\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"C:\\Tools\\\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"C:\\Tools\\", false, RemovalRefusal::NotDrivePath},
        {L"C:/Tools/NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"C:\\Tools\\NorvaneTaskwing.exe:stream", false, RemovalRefusal::NotDrivePath},
        // Shares and device paths: a shared folder belongs to everyone who uses the share.
        {L"\\\\server\\share\\Tools\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"\\\\server\\share\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"\\\\.\\C:\\Tools\\NorvaneTaskwing.exe", false, RemovalRefusal::NotDrivePath},
        {L"\\\\?\\UNC\\server\\share\\NorvaneTaskwing.exe", false, RemovalRefusal::UnsafeCharacter},
        {L"", false, RemovalRefusal::NotDrivePath},
        {longFolder + L"\\NorvaneTaskwing.exe", false, RemovalRefusal::TooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.path));
        const RemovalPlan plan = PlanSelfRemoval(c.path, c.cut);
        EXPECT_EQ(plan.refusal, c.refusal);
        EXPECT_TRUE(plan.files.empty());
        EXPECT_TRUE(plan.folder.empty());
        EXPECT_TRUE(plan.parameters.empty());
    }
    // The executable fits but the library's longer name beside it would not.
    const std::wstring near = L"C:\\" + std::wstring(259 - 3 - 6, L'y');
    ASSERT_EQ((near + L"\\a.exe").size(), taskwing::kMaxRemovalPathChars);
    EXPECT_EQ(PlanSelfRemoval(near.substr(0, near.size() - 30) + L"\\a.exe", false).refusal, RemovalRefusal::None);
    EXPECT_EQ(PlanSelfRemoval(near + L"\\a.exe", false).refusal, RemovalRefusal::TooLong);
}

TEST(PlanSelfRemoval, DriveRootsAndLinkedFoldersKeepTheFolder) {
    const RemovalPlan root = PlanSelfRemoval(L"E:\\NorvaneTaskwing.exe", false);
    ASSERT_FALSE(root.refused());
    ASSERT_EQ(root.files.size(), 3u);
    EXPECT_EQ(root.files[0], L"E:\\NorvaneTaskwing.exe");
    EXPECT_EQ(root.files[1], L"E:\\VeskorFeedbackInformation.dll");
    EXPECT_EQ(root.files[2], L"E:\\VeskorFeedback.ini");
    EXPECT_TRUE(root.folder.empty());
    EXPECT_EQ(root.parameters.find(L"rmdir"), std::wstring::npos);
    EXPECT_EQ(root.parameters.find(L"\"E:\""), std::wstring::npos);
    ExpectEveryPathQuotedWhole(root);

    const RemovalPlan linked = PlanSelfRemoval(L"C:\\Tools\\NorvaneTaskwing.exe", false, true);
    ASSERT_FALSE(linked.refused());
    EXPECT_EQ(linked.files.size(), 3u);
    EXPECT_TRUE(linked.folder.empty());
    EXPECT_EQ(linked.parameters.find(L"rmdir"), std::wstring::npos);
}

TEST(PlanSelfRemoval, AnExecutableNamedLikeACompanionIsListedOnce) {
    const RemovalPlan plan = PlanSelfRemoval(L"C:\\Tools\\veskorfeedback.INI", false);
    ASSERT_FALSE(plan.refused());
    ASSERT_EQ(plan.files.size(), 2u);
    EXPECT_EQ(plan.files[0], L"C:\\Tools\\veskorfeedback.INI");
    EXPECT_EQ(plan.files[1], L"C:\\Tools\\VeskorFeedbackInformation.dll");
}
