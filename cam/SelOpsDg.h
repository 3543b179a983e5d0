// The operation picker of OPEDIT: the operations an object selection belongs to, one
// row each; pointing at a row highlights the operation's sources and shows its status.
#pragma once
#include <vector>

#include "platform/Forms.h"

class TSelOpsDialog : public TForm {
public:
    TSelOpsDialog();
    ~TSelOpsDialog() override;

    TListBox* ListBoxOps;
    TButton* SbtnOk;
    // The operation shown on each row.
    std::vector<int> RowOps;

    // Fills the rows with the names of Ops, in that order.
    void SetOps(const std::vector<int>& Ops);
    void FormShow();
    void ListBoxOpsClick();
    void SbtnOkClick();
    // The pointer over the list (ListBoxOps->HotIndex is the row under it, -1 none).
    void ListBoxOpsMouseMove();
};

extern TSelOpsDialog* SelOpsDialog;
void CreateSelOpsDialog();
