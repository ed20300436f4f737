#pragma once
// "Select Player": one button per profile and "New Player". Choosing a profile makes it current
// and opens, over this dialog, the resume dialog when it has a suspended game, else the new-game
// dialog; "New Player" replaces this dialog by the profile editor.
//
// The rule a caller must know: it reads the profiles once, when built; a changed list needs a
// fresh dialog.
#include "ui/controls/JDialog.h"

#include <vector>

class CJButton;

class CSelectPlayerDialog : public CJDialog
{
public:
    // "New Player" is enabled only below this many profiles.
    static constexpr uint32_t kMaxProfiles = 13;
    static constexpr int32_t kButtonWidth = 230;

    explicit CSelectPlayerDialog(CJWindow* parent);
    ~CSelectPlayerDialog() override;

    void OnCommand(CJWindow* sender, int32_t code) override;

    const std::vector<CJButton*>& GetProfileButtons() const { return m_profileButtons; }
    CJButton* GetNewPlayerButton() const { return m_newPlayer; }

private:
    std::vector<CJButton*> m_profileButtons;
    CJButton* m_newPlayer = nullptr;
};
