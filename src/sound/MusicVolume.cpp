#include "sound/MusicVolume.h"

namespace {
CMusicVolumeHolder* g_musicVolumeHolder = nullptr;
}

CMusicVolumeHolder* CMusicVolumeHolder::GetInstalled()
{
    return g_musicVolumeHolder;
}

void CMusicVolumeHolder::Install(CMusicVolumeHolder* holder)
{
    g_musicVolumeHolder = holder;
}
