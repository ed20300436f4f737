#pragma once
// A high-score page of the statistics dialog: every archived game of every profile, of one
// difficulty or of all, highest score first. The finished game the dialog was opened for may be
// selected in it.
#include "shell/dialogs/StatisticsPage.h"

class CGameStats;
class CTreeModel;

class CHighScoresPage : public CStatisticsPage
{
public:
    static constexpr uint32_t kAllDifficulties = 0xFFFFFFFF;

    // highlighted may be null; it is only compared with the archived games, never read.
    CHighScoresPage(CJWindow* parent, uint32_t difficulty, const CGameStats* highlighted, CStats* stats);

    void AddColumns() override;
    void FillRows() override;

    uint32_t GetDifficultyFilter() const { return m_difficulty; }
    // The row of the highlighted game in the string list, or -1.
    int32_t GetHighlightedRow() const { return m_highlightedRow; }

private:
    uint32_t m_difficulty;
    const CGameStats* m_highlighted;
    int32_t m_highlightedRow = -1;
};

// The list's comparison of two cells of a high-score table: the player by name ignoring case,
// the difficulty by level, every other column by the value of its digits, of any length.
int CompareHighScoreCells(int32_t column, const char* a, const char* b, const CTreeModel* model, uint32_t idA,
                          uint32_t idB);
