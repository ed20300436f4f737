#pragma once
// The "Players" page of the statistics dialog: one row per profile with its career figures, and
// "Edit Player" and "Delete Player" for the selected one. The last profile (the guest) can be
// neither edited nor deleted here. After an edit or a delete the rows are rebuilt when the page
// gets the focus again.
#include "shell/dialogs/StatisticsPage.h"

class CJButton;
class CJDialog;
class CStats;

class CPlayersPage : public CStatisticsPage
{
public:
    // owner is the dialog the player dialog and the confirmation open over.
    CPlayersPage(CJWindow* parent, CJDialog* owner, CStats* stats);

    void AddColumns() override;
    void FillRows() override;
    // "Edit Player" and a double click edit, "Delete Player" asks first.
    void OnCommand(CJWindow* sender, int32_t code) override;
    // Gaining the focus after a change rebuilds the rows.
    void SetFocus(bool focused) override;

    // Removes the selected profile (not the guest); nothing without a selection.
    void DeleteSelected();
    // The profile index of the selected row when it may be changed (not the guest); -1 otherwise.
    int32_t GetEditableSelection() const;
    bool IsDirty() const { return m_dirty; }
    CJButton* GetEditButton() const { return m_edit; }
    CJButton* GetDeleteButton() const { return m_delete; }

private:
    void EditSelected();
    void ConfirmDelete();

    CJDialog* m_owner;
    CJButton* m_edit = nullptr;
    CJButton* m_delete = nullptr;
    bool m_dirty = false;
};
