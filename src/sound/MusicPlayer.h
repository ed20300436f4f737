#pragma once
// The application's music player: one stream that plays the songs of the global music list one
// after another, in the list's shuffled order, or a song asked for by name.
//
// The rule for callers: call PlaySong every frame while music is wanted (with a name once, then
// with null) and Update (the stream's service) every frame; a song that ends is followed by the
// next one at the next PlaySong.
#include "sound/SoundStream.h"

class CFileSearchSpec;

class CMusicPlayer : public CSoundStream
{
public:
    // Names the song to play next when none is asked for; null lets the list's order choose.
    using NextSongCallback = const char* (*)();

    // With a spec, fills the global music list from it, shuffled.
    explicit CMusicPlayer(const CFileSearchSpec* spec);

    // Starts the song of that name (its ".wav"/".ogg" twin or its substitute), or with null the
    // next song, unless it already plays; a song of the name that plays goes on. Answers whether
    // music plays afterwards: false when the list is empty or the song cannot be played.
    bool PlaySong(const char* name);

    void SetNextSongCallback(NextSongCallback callback) { m_nextSong = callback; }

private:
    NextSongCallback m_nextSong = nullptr;
};
