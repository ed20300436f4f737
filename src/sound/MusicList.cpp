#include "sound/MusicList.h"

#include "sound/SoundFolder.h"

#include <strings.h>

CMusicList& CMusicList::GetInstance()
{
    static CMusicList* s_list = new CMusicList;
    return *s_list;
}

void CMusicList::LoadFolder(const char* folder, const char* extension1, const char* extension2)
{
    m_names = ListSoundFiles(folder, extension1, extension2);
}

int CMusicList::FindSong(const char* name, int start) const
{
    if (!name)
        return -1;
    for (int i = start < 0 ? 0 : start + 1; i < GetCount(); ++i)
        if (strcasecmp(m_names[static_cast<size_t>(i)].c_str(), name) == 0)
            return i;
    return -1;
}

const char* CMusicList::GetSongName(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_names[static_cast<size_t>(index)].c_str();
}
