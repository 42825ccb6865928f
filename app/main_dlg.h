#pragma once
// The main window pair: the layered shell CNorvaneTaskwingDlg (dialog 102, PNG 138) and the content
// window CTaskwingDlg (dialog 137, PNG 139) that lies on it and leads it when dragged.
#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"

class CTaskwingDlg : public CPairChildDlg {
public:
    CTaskwingDlg() : CPairChildDlg(taskwing::kMainPair) {}
};

class CNorvaneTaskwingDlg : public CPairShellDlg {
public:
    explicit CNorvaneTaskwingDlg(CWnd* parent = nullptr) : CPairShellDlg(taskwing::kMainPair, parent) {}

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override { return std::make_unique<CTaskwingDlg>(); }
};
