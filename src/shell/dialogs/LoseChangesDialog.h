#pragma once
// The question the controls dialog asks before it drops changed bindings: " &Yes " discards them
// and closes the controls dialog, " &No " (the default) goes back to it.
#include "ui/WindowWatch.h"
#include "ui/controls/JDialog.h"

class CControlsDialog;

class CLoseChangesDialog : public CJDialog
{
public:
    explicit CLoseChangesDialog(CControlsDialog* owner);

    void OnCommand(CJWindow* sender, int32_t code) override;

    CJButton* GetYesButton() const { return m_yes; }
    CJButton* GetNoButton() const { return m_no; }

private:
    CWindowWatch m_owner;
    CJButton* m_yes = nullptr;
    CJButton* m_no = nullptr;
};
