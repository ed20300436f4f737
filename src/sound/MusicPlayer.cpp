#include "sound/MusicPlayer.h"

#include "sound/MusicList.h"

#include <strings.h>

CMusicPlayer::CMusicPlayer(const char* folder, const char* extension1, const char* extension2, int)
{
    CMusicList::GetInstance().LoadFolder(folder, extension1, extension2);
}

bool CMusicPlayer::PlaySong(const char* name)
{
    const CMusicList& list = CMusicList::GetInstance();
    int index;
    if (name) {
        if (m_playing && strcasecmp(m_song.c_str(), name) == 0)
            return true;
        index = list.FindSong(name, -1);
    } else {
        if (list.GetCount() == 0)
            return m_playing;
        index = m_next % list.GetCount();
    }
    if (index < 0)
        return m_playing;
    m_song = list.GetSongName(index);
    m_next = index + 1;
    m_playing = true;
    return true;
}
