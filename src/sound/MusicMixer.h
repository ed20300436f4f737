#pragma once
// The music mixer: a stream of its own that plays one of three mixes of a piece (0 full, 1
// medium, 2 ambient) and crossfades between them in step with the music, so the game can make
// its music denser or sparser without a jump. A mix of the same piece joins at the playing
// mix's position; a mix of data that changed since the last switch starts from its beginning.
//
// The rule for callers: call Update every frame with the frame's seconds and SelectMixLevel
// whenever the wanted level may have changed; a level asked for during a crossfade waits for it
// to end. With an empty music list the mixer does nothing at all.
#include "objects/Object.h"
#include "sound/MusicMixerData.h"

#include <cstdint>
#include <memory>

class CSoundStream;

class CMusicMixer : public CObject
{
    DECLARE_CLASS_RECORD(CMusicMixer)

    CMusicMixer();
    ~CMusicMixer() override;

    // The song of a level 0..2; a change makes the next switch start from the beginning. Other
    // levels are ignored.
    void SetMixLevelSong(int level, uint32_t song);
    // Takes the switch time and the three songs.
    void SetMixerData(const CMusicMixerData& data);
    void SelectMixLevel(int level);
    void Update(float seconds);

    const CMusicMixerData& GetMixerData() const { return m_data; }
    int GetCurrentLevel() const { return static_cast<int>(m_currentLevel); }
    int GetQueuedLevel() const { return static_cast<int>(m_queuedLevel); }
    // Seconds since the running crossfade began; the switch time while none runs.
    float GetElapsed() const { return m_elapsed; }
    bool IsCrossfading() const { return m_elapsed < m_data.GetSwitchSeconds(); }
    CSoundStream& GetStream() { return *m_stream; }

protected:
    // The volume the music plays at: the application's music volume (silent without one).
    virtual int GetMusicVolume() const;

private:
    // Plays the level's song from its start, looping; no crossfade.
    void Restart(uint32_t song, int level);

    CMusicMixerData m_data;
    uint32_t m_currentLevel = 2;
    uint32_t m_queuedLevel = 2;
    float m_elapsed = 5.0f;
    bool m_changed = false;
    std::unique_ptr<CSoundStream> m_stream;
};
