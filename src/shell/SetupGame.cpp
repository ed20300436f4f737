#include "shell/SetupGame.h"

#include "app/TimedPictureScreen.h"
#include "foundation/Win32Services.h"
#include "shell/DemoRecordingRun.h"
#include "shell/Game.h"

#include <cstdlib>

void SetupGame()
{
    CTimedPictureScreen* pictureScreen = new CTimedPictureScreen;
    CGame* game = new CGame(pictureScreen);
    game->MarkConstructed();
    game->Init(pictureScreen);
    if (HasCommandLineOption("/exit"))
        std::exit(0);
    // A developer's recording plays its game at once.
    if (!StartDemoRecordingRun(*game))
        game->GoToMainMenu();
}
