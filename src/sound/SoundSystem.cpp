#include "sound/SoundSystem.h"

#include "app/ApplicationBase.h"

CSoundSystem* CSoundSystem::GetInstance()
{
    // Never destroyed: the window procedure's shut-down may still reach it during exit.
    static CSoundSystem* s_instance = new CSoundSystem;
    return s_instance;
}

void CSoundSystem::Init()
{
    m_initialised = true;
}

void CSoundSystem::Shutdown()
{
    StopAllSounds();
    m_initialised = false;
}

void CSoundSystem::SaveSystemVolume()
{
    m_systemVolumeSaved = true;
}

void CSoundSystem::ApplyVolume()
{
}

void CSoundSystem::RestoreSystemVolume()
{
    m_systemVolumeSaved = false;
}

void CSoundSystem::StopAllSounds()
{
}

void LoadSoundOptions()
{
    // No sound settings exist yet: music plays at full volume.
    if (g_application)
        g_application->SetMusicVolume(0);
}
