#include "shell/StandInShowDemo.h"

#include "shell/Game.h"
#include "shell/StandInCommercial.h"

void ShowDemoNow()
{
    static CStandInCommercial commercial("Demos/Demo.dem");
    CGame* game = GetGame();
    if (game && game->GetMode() == CGame::kModeMainMenu)
        game->StartDemo(&commercial);
}
