#include "GalleryShellPage.h"

#include "shell/dialogs/CreditsDialog.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JTabControl.h"

namespace {

// Sample profiles, kept in memory only: the gallery never writes a statistics file.
CStats& SampleStats()
{
    static CStats stats;
    static bool made = false;
    if (made)
        return stats;
    made = true;
    stats.LoadFromBytes(nullptr, 0);
    const struct
    {
        const char* player;
        uint32_t points, difficulty, start, end;
        float seconds;
    } games[] = {{"Ann", 20000, 0, 0, 7, 754.0f},     {"Ann", 1000, 2, 0, 1, 95.0f},
                 {"Bob", 153420, 1, 0, 24, 3723.0f},  {"Bob", 3000000000u, 3, 10, 59, 8000.0f},
                 {"Cleo", 64500, 2, 20, 31, 1510.0f}, {"Cleo", 9, 1, 0, 0, 12.0f}};
    for (const auto& game : games) {
        CPlayerStats* player = nullptr;
        for (uint32_t i = 0; i < stats.GetPlayerCount(); ++i)
            if (stats.GetPlayer(i)->GetName() == game.player)
                player = stats.GetPlayer(i);
        if (!player) {
            player = new CPlayerStats;
            player->SetPropertiesToDefaults();
            player->SetName(game.player);
            stats.AddPlayer(player);
        }
        auto* record = new CGameStats;
        record->SetPropertiesToDefaults();
        record->SetPointsScored(game.points);
        record->SetDifficulty(game.difficulty);
        record->SetStartingRound(game.start);
        record->SetEndingRound(game.end);
        record->SetSecondsPlayed(game.seconds);
        player->AppendGame(record);
    }
    return stats;
}

} // namespace

void OpenGalleryStatisticsPage(CJWindow* screen)
{
    auto* dialog = new CStatisticsDialog(screen, CStatisticsDialog::kFromMenu, nullptr, nullptr, &SampleStats());
    dialog->GetTabs()->SelectPage(1, true);
    screen->OpenModalWindow(dialog, kPlaceCentred);
}

void OpenGalleryCreditsPage(CJWindow* screen)
{
    OpenCreditsDialog(screen);
}
