#pragma once
// What the music mixer plays: three mixes of one piece, songs of the global music list (level 0
// the full mix, 1 the medium one, 2 the ambient one), and how long a crossfade between them takes.
// A background names them for its rounds.
#include "objects/Object.h"

#include <cstdint>

class CMusicMixerData : public CObject
{
    DECLARE_CLASS_RECORD(CMusicMixerData)

    static constexpr int kLevelCount = 3;

    CMusicMixerData();
    ~CMusicMixerData() override;

    float GetSwitchSeconds() const { return m_switchSeconds; }
    void SetSwitchSeconds(float seconds) { m_switchSeconds = seconds; }
    // The song index of a level 0..2; 0 for any other level.
    uint32_t GetSong(int level) const;
    // Ignored for levels other than 0..2.
    void SetSong(int level, uint32_t song);

private:
    static uint32_t CMusicMixerData::* const s_songOfLevel[kLevelCount];

    float m_switchSeconds = 5.0f;
    uint32_t m_fullMixSong = 0;
    uint32_t m_medMixSong = 0;
    uint32_t m_ambientSong = 0;
};
