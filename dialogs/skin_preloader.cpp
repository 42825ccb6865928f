// The second thread that decodes a pair's skins while the window thread makes the shell's window.
#include "dialogs/skin_preloader.h"

#include "dialogs/pair_child.h"

CSkinPreloader::~CSkinPreloader() {
    if (!m_thread) return;
    ::SetEvent(m_work.shellUp.get());
    ::WaitForSingleObject(m_thread.get(), INFINITE);
}

DWORD WINAPI CSkinPreloader::Run(void* parameter) {
    auto* work = static_cast<Work*>(parameter);
    LoadPngResource(work->shellSkin, work->module, work->shellPng);
    ::SetEvent(work->shellSkinDone.get());
    if (work->ClaimChildSkin()) LoadPngResource(work->childSkin, work->module, work->childPng);
    // What the owner runs here may load libraries that the window thread loads while it makes the
    // shell's window (the theme library): only once that window stands, never both at once.
    ::WaitForSingleObject(work->shellUp.get(), INFINITE);
    if (work->onShellUp != nullptr) work->onShellUp();
    return 0;
}

void CSkinPreloader::Start(HMODULE module, const taskwing::PairTraits& traits, void (*onShellUp)()) {
    if (m_thread) return;
    m_work.module = module;
    m_work.shellPng = traits.shellPng;
    m_work.childPng = traits.childPng;
    m_work.onShellUp = onShellUp;
    m_work.shellSkinDone.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_work.shellUp.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_work.shellSkinDone || !m_work.shellUp) return;
    m_thread.reset(::CreateThread(nullptr, 0, &CSkinPreloader::Run, &m_work, 0, nullptr));
}

PngImagePtr CSkinPreloader::TakeShellSkin() {
    if (!m_thread) return nullptr;
    ::WaitForSingleObject(m_work.shellSkinDone.get(), INFINITE);
    return std::move(m_work.shellSkin);
}

void CSkinPreloader::ShellUp() {
    if (m_thread) ::SetEvent(m_work.shellUp.get());
}

void CSkinPreloader::HandChildSkin(CPairChildDlg& child) {
    if (!m_thread) return;
    // The child's initialisation, which loads its skin first, then finds it there (or fails to
    // load it again).
    if (m_work.ClaimChildSkin()) child.LoadBkImage();
    ::WaitForSingleObject(m_thread.get(), INFINITE);
    m_thread.reset();
    child.SetBkImage(std::move(m_work.childSkin));
}
