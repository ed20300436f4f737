#include "shell/dialogs/HighScoresPage.h"

#include "foundation/TextUtilities.h"
#include "game/Playfield.h"
#include "graphics/Font.h"
#include "shell/dialogs/StatisticsTexts.h"
#include "shell/stats/DifficultyNames.h"
#include "shell/stats/Stats.h"
#include "ui/JHeader.h"
#include "ui/JListBox.h"

#include <cctype>
#include <cstring>

namespace {

CLocalizedString g_highScoresTitle("High Scores");
CLocalizedString g_scoreText("Score");
CLocalizedString g_difficultyText("Difficulty");
CLocalizedString g_timeText("Time");
CLocalizedString g_startText("Start");
CLocalizedString g_endText("End");

constexpr uint32_t kScoreColumn = 1;

const char* PageTitle(uint32_t difficulty)
{
    return difficulty == CHighScoresPage::kAllDifficulties ? g_highScoresTitle.CStr()
                                                           : GetDifficultyName(difficulty).CStr();
}

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// Decimal texts compared by value without converting them, so no length overflows: the whole
// part by its significant length and then digit by digit, then the part after a '.'.
int CompareNumberTexts(const char* a, const char* b)
{
    while (*a == '0')
        ++a;
    while (*b == '0')
        ++b;
    const size_t wholeA = std::strcspn(a, "."), wholeB = std::strcspn(b, ".");
    if (wholeA != wholeB)
        return wholeA < wholeB ? -1 : 1;
    if (const int whole = std::strncmp(a, b, wholeA))
        return Sign(whole);
    a += wholeA;
    b += wholeB;
    a += *a == '.';
    b += *b == '.';
    // The shorter fraction goes on as zeros.
    while (*a || *b) {
        const char da = *a ? *a : '0', db = *b ? *b : '0';
        if (da != db)
            return da < db ? -1 : 1;
        a += *a != '\0';
        b += *b != '\0';
    }
    return 0;
}

} // namespace

CHighScoresPage::CHighScoresPage(CJWindow* parent, uint32_t difficulty, const CGameStats* highlighted, CStats* stats)
    : CStatisticsPage(parent, PageTitle(difficulty), stats), m_difficulty(difficulty), m_highlighted(highlighted)
{
    Build();
    m_list->SetCompareFunction(CompareHighScoreCells);
    m_list->SortAllRows();
}

void CHighScoresPage::AddColumns()
{
    // Widths for the data set's font, across the header's whole width: the widest score
    // ("4,294,967,295") and every title fit their columns with the header's inset on both sides.
    // (Narrower columns ran the titles together and left the right fifth of the list empty.)
    const struct
    {
        int32_t width;
        int32_t justification;
        uint32_t alphabetic, descending;
        const CLocalizedString& title;
    } columns[] = {
        {160, kJustifyLeft, 1, 0, g_statisticsPlayerText}, {112, kJustifyRight, 0, 1, g_scoreText},
        {90, kJustifyCentre, 1, 0, g_difficultyText},      {80, kJustifyRight, 0, 1, g_timeText},
        {64, kJustifyRight, 0, 1, g_startText},            {64, kJustifyRight, 0, 1, g_endText},
    };
    static_assert(160 + 112 + 90 + 80 + 64 + 64 == kWidth);
    for (const auto& column : columns)
        m_header->AddColumn(column.width, nullptr, column.justification, column.alphabetic, column.descending,
                            column.title.CStr());
    m_header->SetSortColumn(kScoreColumn);
}

void CHighScoresPage::FillRows()
{
    const CStats* stats = m_stats;
    if (!stats)
        return;
    for (uint32_t i = 0; i < stats->GetPlayerCount(); ++i) {
        const CPlayerStats* player = stats->GetPlayer(i);
        for (uint32_t g = 0; g < player->GetGameCount(); ++g) {
            const CGameStats* game = player->GetGame(g);
            if (!game || (m_difficulty != kAllDifficulties && game->GetDifficulty() != m_difficulty))
                continue;
            CSharedString time;
            time.FormatHoursMinutesSeconds(game->GetSecondsPlayed());
            CSharedString row;
            row.Format("%s\t%s\t%s\t%s\t%s\t%s", player->GetName().CStr(),
                       FormatCountWithCommas(game->GetPointsScored()).CStr(),
                       GetDifficultyName(game->GetDifficulty()).CStr(), time.CStr(),
                       CPlayfield::FormatRoundLabel(game->GetStartingRound()).CStr(),
                       CPlayfield::FormatRoundLabel(game->GetEndingRound()).CStr());
            const int index = m_rows.Add(row.CStr(), i);
            if (game == m_highlighted)
                m_highlightedRow = index;
        }
    }
}

int CompareHighScoreCells(int32_t column, const char* a, const char* b, const CTreeModel*, uint32_t, uint32_t)
{
    if (column == 2)
        return static_cast<int>(ParseDifficultyName(a)) - static_cast<int>(ParseDifficultyName(b));
    if (column <= 0)
        return Sign(CompareTextNoCase(a, b));
    return CompareNumberTexts(a, b);
}
