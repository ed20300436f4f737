#include "shell/BackgroundDetail.h"

#include "foundation/ConfigFile.h"
#include "shell/Game.h"

namespace {
constexpr const char* kDetailKey = "Background Detail Level";
constexpr int kHighestLevel = 2;
} // namespace

int GetGameBackgroundDetailLevel()
{
    if (const CGame* game = GetGame())
        return game->GetBackgroundDetailLevel();
    return ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), kDetailKey, kHighestLevel);
}

bool SetGameBackgroundDetailLevel(int level)
{
    if (level < 0 || level > kHighestLevel)
        return false;
    if (CGame* game = GetGame()) {
        game->SetBackgroundDetailLevel(level);
        return true;
    }
    return WriteConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), kDetailKey, level);
}
