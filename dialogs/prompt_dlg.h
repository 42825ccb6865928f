#pragma once
// The prompt box's window pair: shell CPromptDlg (dialog 134, PNG 167) and child CPromptChildDlg
// (dialog 133, PNG 168). The text, kinds and buttons join these classes with the prompt itself.
#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"

class CPromptChildDlg : public CPairChildDlg {
public:
    CPromptChildDlg() : CPairChildDlg(taskwing::kPromptPair) {}
};

class CPromptDlg : public CPairShellDlg {
public:
    explicit CPromptDlg(CWnd* parent = nullptr) : CPairShellDlg(taskwing::kPromptPair, parent) {}

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override { return std::make_unique<CPromptChildDlg>(); }
};
