#include "sound/MusicList.h"

#include "sound/SoundFileNames.h"

#include <string>

CMusicList& CMusicList::GetInstance()
{
    static CMusicList* s_list = new CMusicList;
    return *s_list;
}

CMusicList::CMusicList() : m_substitutes(std::make_unique<CNameValueList>()) {}

CMusicList::~CMusicList() = default;

uint32_t CMusicList::Load(const CFileSearchSpec& spec, uint32_t mode, CompareFunction compare, uint32_t flags)
{
    m_substitutes = std::make_unique<CNameValueList>();
    return CFilePlayList::Load(spec, mode, compare, flags);
}

int CMusicList::FindSong(const char* name, int hint) const
{
    if (!name)
        return -1;
    int index = CFilePlayList::FindIndexByName(name, hint);
    if (index != -1)
        return index;
    std::string twin;
    if (MakeTwinSoundName(name, twin)) {
        index = CFilePlayList::FindIndexByName(twin.c_str(), hint);
        if (index != -1)
            return index;
    }
    return m_substitutes->FindValue(name);
}

int CMusicList::FindIndexByName(const char* name, int hint) const
{
    return FindSong(name, hint);
}

void CMusicList::AddSubstitute(const char* name, const char* target)
{
    m_substitutes->Add(CSharedString(name), FindIndexOrFail(target, -1));
}
