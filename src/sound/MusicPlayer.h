#pragma once
// The streaming music player over the global music list. It keeps which song plays and at what
// volume; decoding and output come with the sound output.
#include "sound/SoundStream.h"

#include <string>

class CMusicPlayer : public CSoundStream
{
public:
    // Fills the global music list from folder ("Music/") with the two extensions ("wav", "ogg").
    CMusicPlayer(const char* folder, const char* extension1, const char* extension2, int flags);

    // Starts that song (null: the next song of the list) unless it already plays; whether music
    // plays afterwards.
    bool PlaySong(const char* name);
    // Refills the stream, or finishes a requested stop.
    void Service() {}

    const std::string& GetCurrentSong() const { return m_song; }

private:
    int m_next = 0;
    std::string m_song;
};
