#pragma once
// "Resume Game": offered instead of the new-game dialog when the chosen player has a suspended
// game. "&Resume Play" (Enter) discards the dialogs underneath and resumes it; "&Cancel" (Escape)
// goes back to the dialog underneath.
#include "ui/controls/JDialog.h"

class CJButton;

class CResumeGameDialog : public CJDialog
{
public:
    static constexpr int32_t kWrapWidth = 500;

    explicit CResumeGameDialog(CJWindow* parent);
    ~CResumeGameDialog() override;

    void OnCommand(CJWindow* sender, int32_t code) override;

    CJButton* GetResumeButton() const { return m_resume; }
    CJButton* GetCancelButton() const { return m_cancel; }

private:
    CJButton* m_cancel = nullptr;
    CJButton* m_resume = nullptr;
};
