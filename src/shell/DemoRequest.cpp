#include "shell/DemoRequest.h"

#include "foundation/R250Random.h"
#include "shell/CommercialCollection.h"
#include "shell/Game.h"
#include "shell/stats/Stats.h"

namespace {

constexpr const char* kIntro = "1 Intro";

} // namespace

int ChooseDemoCommercial(CCommercialCollection& commercials, uint32_t gamesFinished, bool& firstTime)
{
    const uint32_t count = commercials.GetCount();
    if (count == 0)
        return -1;
    uint32_t index = g_generalRandom.NextBelow(count);
    if (firstTime && gamesFinished == 0) {
        const int intro = commercials.FindIndexByName(kIntro, -1);
        // Without the intro the random pick stands.
        if (intro >= 0)
            index = static_cast<uint32_t>(intro);
        firstTime = false;
    }
    return index < count ? static_cast<int>(index) : 0;
}

void ShowDemoNow()
{
    CGame* game = GetGame();
    if (!game)
        return;
    CStats* stats = game->GetStats();
    const uint32_t finished = stats ? stats->GetAllPlayersTotals().GetGamesFinished() : 0;
    CCommercialCollection& commercials = CCommercialCollection::GetInstance();
    const int index = ChooseDemoCommercial(commercials, finished, game->FirstDemoFlag());
    if (index < 0)
        return;
    // A commercial still being read (or unreadable) gives no demo.
    if (CCommercial* commercial = commercials.GetCommercial(static_cast<uint32_t>(index)))
        game->StartDemo(commercial);
}
