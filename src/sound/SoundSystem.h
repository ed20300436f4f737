#pragma once
// The sound system: the one owner of the sound output. Sound output itself is not written yet; this
// class keeps the life cycle and the hand-over of the system volume that the application drives, so
// that those calls sit where they belong.
#include <cstdint>

class CSoundSystem
{
public:
    // The one sound system, created on first use.
    static CSoundSystem* GetInstance();

    virtual ~CSoundSystem() = default;

    // Sets up the primary output; called once before the sound settings are read.
    virtual void Init();
    // Releases every sound resource; the last step of the application's end.
    virtual void Shutdown();
    // On activation: remember the system's volume, then apply the program's own.
    virtual void SaveSystemVolume();
    virtual void ApplyVolume();
    // On deactivation and at the end: the remembered system volume goes back.
    virtual void RestoreSystemVolume();

    void StopAllSounds();
    // Lets each sound start at most once per frame.
    void NextFrame() { ++m_frame; }

    bool IsInitialised() const { return m_initialised; }
    bool IsSystemVolumeSaved() const { return m_systemVolumeSaved; }
    uint32_t GetFrame() const { return m_frame; }

protected:
    CSoundSystem() = default;

private:
    bool m_initialised = false;
    bool m_systemVolumeSaved = false;
    uint32_t m_frame = 0;
};

// Reads the sound settings and applies them to the sound system and to the application's music
// volume (hundredths of a decibel).
void LoadSoundOptions();
