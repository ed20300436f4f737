#include "sound/MusicPlayer.h"

#include "sound/MusicList.h"

CMusicPlayer::CMusicPlayer(const CFileSearchSpec* spec)
{
    if (spec)
        CMusicList::GetInstance().Load(*spec, CFilePlayList::ORDER_SHUFFLED, nullptr, 0);
}

bool CMusicPlayer::PlaySong(const char* name)
{
    CMusicList& list = CMusicList::GetInstance();
    if (name) {
        const int index = list.FindSong(name, -1);
        if (IsPlaying() && index >= 0 &&
            CItemList::NamesEqual(list.GetCurrentName(), list.GetNameAt(static_cast<uint32_t>(index))))
            return true;
        Stop();
    }
    if (IsPlaying())
        return true;
    if (list.GetCount() == 0)
        return false;
    if (!name && m_nextSong)
        name = m_nextSong();
    const char* path = list.GetNextPath(name);
    return path && Play(path, 0, false);
}
