#pragma once
// Decodes a pair's two skins on a second thread while the window thread makes the shell's window
// from its template (about as long, at every scale), and once the shell stands runs what the
// owner asked for there. The owner takes the shell's skin in its initialisation and hands the
// child its skin as the child is made.
#include <windows.h>

#include <atomic>

#include "base/handles.h"
#include "dialogs/pair_layout.h"
#include "system/png_resource.h"

class CPairChildDlg;

class CSkinPreloader {
public:
    CSkinPreloader() = default;
    // The thread writes into this object: it ends first. A shell that never stood up lets it go on.
    ~CSkinPreloader();
    CSkinPreloader(const CSkinPreloader&) = delete;
    CSkinPreloader& operator=(const CSkinPreloader&) = delete;

    // Starts the thread for the pair's two skins; `onShellUp` runs on it once ShellUp is called.
    // Without the thread (it could not be made) nothing is decoded beside: Running() is false.
    void Start(HMODULE module, const taskwing::PairTraits& traits, void (*onShellUp)());
    bool Running() const { return static_cast<bool>(m_thread); }

    // Waits for the shell's skin; null when it did not decode.
    PngImagePtr TakeShellSkin();
    // The shell's window stands: the thread may go on past the skins.
    void ShellUp();
    // The child's skin is decoded by whichever thread is free first: the child loads it itself
    // when the thread has not begun on it, and is otherwise handed the thread's. Waits for the
    // thread's end.
    void HandChildSkin(CPairChildDlg& child);

private:
    struct Work {
        HMODULE module = nullptr;
        UINT shellPng = 0;
        UINT childPng = 0;
        void (*onShellUp)() = nullptr;
        PngImagePtr shellSkin;
        taskwing::unique_handle shellSkinDone;  // set once shellSkin is decoded, or failed to
        taskwing::unique_handle shellUp;        // set by the window thread, or when the run ends
        std::atomic<bool> childSkinClaimed{false};
        PngImagePtr childSkin;
        bool ClaimChildSkin() { return !childSkinClaimed.exchange(true); }
    };
    static DWORD WINAPI Run(void* work);

    Work m_work;
    taskwing::unique_handle m_thread;
};
