#include "sound/SoundList.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FoundFileList.h"
#include "foundation/TextUtilities.h"
#include "objects/FolderTree.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundFileNames.h"
#include "sound/SoundSystem.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

CSoundList& CSoundList::GetInstance()
{
    // Never destroyed: buffers must not outlive the sound system's end at exit.
    static CSoundList* s_list = new CSoundList;
    return *s_list;
}

CSoundList::CSoundList() : CResourceCollection("Sounds") {}

CSoundList::~CSoundList()
{
    CSoundList::FreeEntries();
}

uint32_t CSoundList::LoadFolder(const char* registryName, const char* folder, const char* extension,
                                const char* secondExtension)
{
    SetFolder(folder);
    // One registration, however often the folder is read again: the registry index numbers the
    // collection in demo streams.
    if (GetRegistryIndex() < 0)
        Register(registryName);
    const std::string prefix = std::string(folder ? folder : "") + "/";
    FreeEntries();

    CFileSearchSpec spec;
    spec.SetFolderAndExtension(prefix.c_str(), extension);
    if (secondExtension && *secondExtension)
        spec.AddExtension(secondExtension);
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_SKIP_DASHED);
    CFoundFileList found;
    found.Find(spec);

    std::vector<std::string> names;
    for (uint32_t i = 0; i < found.GetCount(); ++i) {
        const char* path = found.GetName(i).CStr();
        if (CompareTextNoCaseN(path, prefix.c_str(), prefix.size()) == 0)
            path += prefix.size();
        if (std::strlen(path) < kNameSize)
            names.emplace_back(path);
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return CompareNames(a.c_str(), b.c_str()) < 0; });

    CSoundSystem* system = CSoundSystem::GetInstance();
    // One more entry, all zero, ends the table.
    m_entries = new Entry[names.size() + 1]();
    for (const std::string& name : names) {
        CSoundBuffer* sound = system->CreateBuffer();
        if (!sound)
            continue;
        sound->Load((prefix + name).c_str(), false, true);
        Entry& entry = m_entries[m_entryCount++];
        std::memcpy(entry.name, name.c_str(), name.size() + 1);
        entry.sound = sound;
    }
    SetItemTable(true, m_entryCount, sizeof(Entry), m_entries, nullptr);
    SetTree(new CFolderTree(this));
    return m_entryCount;
}

void CSoundList::FreeEntries()
{
    if (m_entries)
        for (uint32_t i = 0; i < m_entryCount; ++i)
            CSoundSystem::GetInstance()->DestroyBuffer(m_entries[i].sound);
    SetTree(nullptr);
    delete[] m_entries;
    m_entries = nullptr;
    m_entryCount = 0;
    SetItemTable(true, 0, sizeof(Entry), nullptr, nullptr);
}

void CSoundList::LoadAllSounds()
{
    for (uint32_t i = 0; i < m_entryCount; ++i)
        m_entries[i].sound->Prepare(true);
}

int CSoundList::FindSoundIndex(const char* name, int hint) const
{
    if (!name)
        return -1;
    int index = BinarySearchByName(name, hint);
    if (index != -1)
        return index;
    // A ".wav" name finds the ".ogg" file of the same name, and the other way round.
    std::string other;
    if (MakeTwinSoundName(name, other)) {
        index = BinarySearchByName(other.c_str(), hint);
        if (index != -1)
            return index;
    }
    return FindByFileName(name);
}

int CSoundList::FindIndexByName(const char* name, int hint) const
{
    return FindSoundIndex(name, hint);
}

void CSoundList::PreloadSound(const char* name)
{
    const int index = FindSoundIndex(name, -1);
    if (index < 0)
        return;
    UseAndLoad(static_cast<uint32_t>(index));
    m_entries[index].keep = 1;
}

CSoundBuffer* CSoundList::PlaySound(const char* name)
{
    return PlaySoundByIndex(FindSoundIndex(name, -1));
}

CSoundBuffer* CSoundList::PlaySoundByIndex(int index)
{
    if (index < 0 || static_cast<uint32_t>(index) >= m_entryCount)
        return nullptr;
    CSoundBuffer* sound = m_entries[index].sound;
    sound->SetListIndex(index);
    sound->Play(true);
    return sound;
}

CSoundBuffer* CSoundList::CreateSoundInstance(const char* name)
{
    const int index = FindSoundIndex(name, -1);
    if (index < 0)
        return nullptr;
    CSoundBuffer* instance = CSoundSystem::GetInstance()->CreateBuffer();
    if (instance)
        instance->Duplicate(*m_entries[index].sound);
    return instance;
}

CSoundBuffer* CSoundList::GetSound(uint32_t i) const
{
    return i < m_entryCount ? m_entries[i].sound : nullptr;
}

void CSoundList::SetUsedFlag(uint32_t i, bool used)
{
    if (i < m_entryCount)
        m_entries[i].used = used ? 1 : 0;
}

const char* CSoundList::GetListName() const
{
    return "Sound List";
}

bool CSoundList::IsItemLoaded(uint32_t i) const
{
    return i < m_entryCount && m_entries[i].sound->IsLoaded();
}

uint32_t CSoundList::GetItemObjectSize(uint32_t i)
{
    return i < m_entryCount ? m_entries[i].sound->GetSize() : 0;
}

void CSoundList::UseAndLoad(uint32_t i)
{
    m_entries[i].sound->Prepare(true);
    m_entries[i].used = 1;
    m_entries[i].sound->SetListIndex(static_cast<int>(i));
}

void CSoundList::MarkItemUsed(uint32_t i)
{
    if (i < m_entryCount)
        UseAndLoad(i);
}

void CSoundList::ClearUsageMarks()
{
    for (uint32_t i = 0; i < m_entryCount; ++i)
        m_entries[i].used = 0;
}

bool CSoundList::IsItemUsed(uint32_t i) const
{
    return i < m_entryCount && m_entries[i].used != 0;
}

CObject* CSoundList::GetItem(uint32_t i)
{
    if (i < m_entryCount)
        m_entries[i].sound->Prepare(true);
    return nullptr;
}

void CSoundList::UnloadItem(uint32_t i)
{
    if (i >= m_entryCount || !m_entries[i].sound->IsLoaded())
        return;
    Entry& entry = m_entries[i];
    entry.used = entry.keep = 0;
    CSharedString path;
    GetItemFilePath(i, path);
    entry.sound->Load(path.CStr(), false, true);
}

bool CSoundList::GetKeepFlag(uint32_t i) const
{
    return i < m_entryCount && m_entries[i].keep != 0;
}

void CSoundList::SetKeepFlag(uint32_t i, bool keep)
{
    if (i < m_entryCount)
        m_entries[i].keep = keep ? 1 : 0;
}

void CSoundList::GetItemFilePath(uint32_t i, CSharedString& path)
{
    path.SetToJoinedPath(GetFolder().CStr(), i < m_entryCount ? m_entries[i].name : "");
}
