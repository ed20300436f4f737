#include "sound/SoundList.h"

#include "sound/SoundFolder.h"

#include <strings.h>

CSoundList& CSoundList::GetInstance()
{
    static CSoundList* s_list = new CSoundList;
    return *s_list;
}

void CSoundList::LoadFolder(const char* folder, const char* openFolder, const char* extension1,
                            const char* extension2)
{
    m_openFolder = openFolder ? openFolder : "";
    m_names = ListSoundFiles(folder, extension1, extension2);
}

void CSoundList::LoadAllSounds()
{
}

bool CSoundList::PlaySound(const char* name)
{
    m_requests.emplace_back(name ? name : "");
    if (!name)
        return false;
    for (const std::string& listed : m_names)
        if (strcasecmp(listed.c_str(), name) == 0)
            return true;
    return false;
}
