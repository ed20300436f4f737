#pragma once
// The least player dialog the statistics dialog needs: the profile's name in an edit field,
// "Save", which stores a non-empty name and writes the statistics file at once, and "Cancel".
// The full dialog (ship style, new profiles) replaces it.
#include "ui/controls/JDialog.h"

class CJButton;
class CJEditField;
class CPlayerStats;
class CStats;

class CPlayerDialog : public CJDialog
{
public:
    // The profile and the statistics are not owned and must outlive the dialog.
    CPlayerDialog(CJWindow* parent, const char* caption, CStats* stats, CPlayerStats* player);

    // "Save" stores and closes, "Cancel" closes; the rest goes to the dialog.
    void OnCommand(CJWindow* sender, int32_t code) override;

    CJEditField* GetNameField() const { return m_name; }
    CJButton* GetSaveButton() const { return m_save; }

private:
    CStats* m_stats;
    CPlayerStats* m_player;
    CJEditField* m_name;
    CJButton* m_save;
    CJButton* m_cancel;
};
