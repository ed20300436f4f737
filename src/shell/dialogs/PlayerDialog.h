#pragma once
// The profile editor: a name field, a preview of the ship in one of six styles chosen with ">"
// and "<", and "Save" and "Cancel". Opened for a new profile (from "Select Player", to which both
// buttons return) or for an existing one (from the statistics, to which it closes).
//
// The rule a caller must know: only "Save" writes the name and style; a new profile belongs to the
// dialog, which deletes it, until "Save" hands it to the statistics. The statistics and an
// existing profile are not owned and must outlive the dialog.
#include "ui/controls/JDialog.h"

class CJButton;
class CJEditField;
class CPlayerStats;
class CStats;
class CSprite;
class SpriteWindow;

class CPlayerDialog : public CJDialog
{
public:
    static constexpr uint32_t kStyleCount = 6;
    static constexpr int32_t kNameWidth = 200;

    // A null profile makes a new one named "New Player". Null statistics: "Save" keeps the name
    // and style in the profile and writes no file.
    CPlayerDialog(CJWindow* parent, const char* caption, CStats* stats, CPlayerStats* profile);
    ~CPlayerDialog() override;

    void OnCommand(CJWindow* sender, int32_t code) override;

    uint32_t GetWorkingStyle() const { return m_shipStyle; }
    CPlayerStats* GetProfile() const { return m_profile; }
    CJEditField* GetNameField() const { return m_name; }
    CJButton* GetSaveButton() const { return m_save; }
    SpriteWindow* GetPreview() const { return m_preview; }

private:
    // A ship sprite of the working style, its behaviour run once without time passing.
    CSprite* MakePreviewSprite() const;
    void ChangeStyle(bool next);
    void Save();
    // Back to a fresh "Select Player" for a new profile, else closed; this object is gone after.
    void Leave();

    CStats* m_stats;
    CPlayerStats* m_profile;
    uint32_t m_shipStyle = 0;
    bool m_ownsProfile = false;
    bool m_returnToSelect = false;
    CJEditField* m_name = nullptr;
    SpriteWindow* m_preview = nullptr;
    CJButton* m_next = nullptr;
    CJButton* m_previous = nullptr;
    CJButton* m_save = nullptr;
    CJButton* m_cancel = nullptr;
};
