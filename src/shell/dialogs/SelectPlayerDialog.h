#pragma once
// "Select Player": one button per profile and "New Player". Choosing a profile makes it current
// and opens, over this dialog, the resume dialog when it has a suspended game, else the new-game
// dialog; "New Player" replaces this dialog by the profile editor.
//
// The buttons keep to the 640 x 480 page: up to kOneColumnMost profiles stand in one column,
// more in two columns of at most kRowsPerColumn. A file may hold more profiles than New Player
// makes; beyond kPageSize they are shown a page at a time, turned by "<" and ">" beside New
// Player (both wrap round), and the page holding the current profile is shown first.
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
    static constexpr uint32_t kOneColumnMost = 9;
    static constexpr uint32_t kRowsPerColumn = 7;
    static constexpr uint32_t kPageSize = 2 * kRowsPerColumn;

    explicit CSelectPlayerDialog(CJWindow* parent);
    ~CSelectPlayerDialog() override;

    void OnCommand(CJWindow* sender, int32_t code) override;

    const std::vector<CJButton*>& GetProfileButtons() const { return m_profileButtons; }
    CJButton* GetNewPlayerButton() const { return m_newPlayer; }
    // Null unless the profiles take more than one page.
    CJButton* GetPreviousPageButton() const { return m_previousPage; }
    CJButton* GetNextPageButton() const { return m_nextPage; }
    uint32_t GetPage() const { return m_page; }

private:
    // Shows the profile buttons of that page only; the first of them takes the focus.
    void ShowPage(uint32_t page);

    std::vector<CJButton*> m_profileButtons;
    CJButton* m_newPlayer = nullptr;
    CJButton* m_previousPage = nullptr;
    CJButton* m_nextPage = nullptr;
    uint32_t m_page = 0;
    uint32_t m_pageCount = 1;
};
