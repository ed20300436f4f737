#pragma once
// The video options with one more line on the "General" page: "Background:" and a choice of no
// background image, the still image or the animated background. A choice applies at once.
#include "shell/dialogs/VideoOptionsDialog.h"

class CJDropDownBox;
class CValueNameList;

class CBackgroundOptionsDialog : public CVideoOptionsDialog
{
public:
    explicit CBackgroundOptionsDialog(CJWindow* parent);

    void OnCommand(CJWindow* sender, int32_t code) override;

    CJDropDownBox* GetBackgroundChoice() const { return m_choice; }
    // The process-wide list behind the choice, filled by the first dialog.
    static CValueNameList& GetBackgroundNames();

private:
    CJDropDownBox* m_choice = nullptr;
};

// Opens the dialog modally and centred over the parent; answers it.
CBackgroundOptionsDialog* OpenBackgroundOptionsDialog(CJWindow* parent);
