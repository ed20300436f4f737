#include "shell/BackgroundDetail.h"

#include "foundation/ConfigFile.h"

namespace {
constexpr const char* kDetailKey = "Background Detail Level";
constexpr int kHighestLevel = 2;
} // namespace

int GetGameBackgroundDetailLevel()
{
    return ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), kDetailKey, kHighestLevel);
}

bool SetGameBackgroundDetailLevel(int level)
{
    if (level < 0 || level > kHighestLevel)
        return false;
    return WriteConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), kDetailKey, level);
}
