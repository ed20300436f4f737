#include "graphics/FrameCollection.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FileSystem.h"
#include "foundation/FoundFileList.h"
#include "graphics/Frame.h"
#include "objects/FolderTree.h"

#include <string>
#include <strings.h>
#include <vector>

namespace {

constexpr const char* kFolder = "Resources";

// "Resources/Ship/Idle.TGA" under the prefix "Resources/" is the entry "Ship/Idle"; a leading '-'
// of the file name (cache files) is dropped.
CSharedString EntryName(const char* found, const std::string& prefix)
{
    std::string name = found;
    if (name.size() >= prefix.size() && strncasecmp(name.c_str(), prefix.c_str(), prefix.size()) == 0)
        name.erase(0, prefix.size());
    const size_t slash = name.find_last_of("/\\");
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        name.erase(dot);
    const size_t file = slash == std::string::npos ? 0 : slash + 1;
    if (file < name.size() && name[file] == '-')
        name.erase(file, 1);
    return CSharedString(name.c_str());
}

uint32_t FindPictures(const std::string& folder, const char* extension, std::vector<CSharedString>& names)
{
    CFileSearchSpec spec;
    spec.SetFolderAndExtension(folder.c_str(), extension);
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_SKIP_DASHED);
    CFoundFileList found;
    const uint32_t count = found.Find(spec);
    for (uint32_t i = 0; i < count; ++i)
        names.push_back(EntryName(found.GetName(i).CStr(), folder));
    return count;
}

} // namespace

CFrameCollection::CFrameCollection() : CResourceCollection(nullptr, CFrame::GetStaticClassRecord())
{
}

CFrameCollection::~CFrameCollection() = default;

CFrameCollection& CFrameCollection::GetInstance()
{
    static CFrameCollection s_frames;
    return s_frames;
}

void CFrameCollection::SetUpAtStartUp()
{
    if (GetRegistryIndex() < 0)
        Register("Frames");
    FreeEntries();
    SetFolder(kFolder);
    std::vector<CSharedString> names;
    if (FindPictures(std::string(kFolder) + "/", "TGA", names) == 0) {
        if (const char* extension = CFrame::GetCacheExtension())
            FindPictures(std::string(CFileSystem::GetCacheFolderName()) + "/" + kFolder + "/", extension, names);
    }
    SetEntries(names);
    SetTree(new CFolderTree(this));
}

void CFrameCollection::SetDefaultLoadStages(const CFrameLoadStage& stages)
{
    m_defaultStages.Clear();
    m_defaultStages.SetPreferredDepth(stages.GetPreferredDepth());
    m_defaultStages.AddStagesFrom(stages);
    m_defaultStagesSet = true;
}

CObject* CFrameCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    if (!m_defaultStagesSet)
        SetDefaultLoadStages(*CFrame::GetDefaultLoadStages());
    CFrameLoadStage stages;
    stages.SetPreferredDepth(m_defaultStages.GetPreferredDepth());
    stages.AddStagesFrom(m_defaultStages);
    CFrame* frame = CreateFrameFromFolder(folder, fileName, &stages, true, 0, nullptr);
    if (out)
        *out = frame;
    return frame;
}

void CFrameCollection::GetItemFilePath(uint32_t i, CSharedString& path)
{
    const CResourceEntry* entry = GetEntry(i);
    path.SetToJoinedPathWithSuffix(GetFolder().CStr(), entry ? entry->GetName() : "", ".txt");
}

CFrame* CreateFrameFromFolder(const char* folder, const char* name, CFrameLoadStage* stages, bool useCacheFolder,
                              uint32_t openMode, CClassRecord* record)
{
    CSharedString options;
    options.SetToJoinedPathWithSuffix(folder, name, ".txt");
    CObject* object = nullptr;
    if (CFileSystem::FileExists(options.CStr(), 0))
        object = CObject::CreateFromFile(options.CStr(), 0, false, nullptr);
    if (object && !object->IsKindOf(CFrame::GetStaticClassRecord())) {
        delete object;
        object = nullptr;
    }
    if (!object) {
        object = (record ? record : CFrame::GetStaticClassRecord())->CreateObject();
        if (object && !object->IsKindOf(CFrame::GetStaticClassRecord())) {
            delete object;
            object = CFrame::GetStaticClassRecord()->CreateObject();
        }
        if (object)
            object->SetPropertiesToDefaults();
    }
    auto* frame = static_cast<CFrame*>(object);
    if (frame)
        frame->LoadCached(folder, name, stages, useCacheFolder, openMode);
    return frame;
}
