#include "graphics/FrameCollection.h"

#include "foundation/FileSystem.h"
#include "graphics/Frame.h"
#include "graphics/ResourceListing.h"
#include "objects/FolderTree.h"

#include <string>
#include <vector>

namespace {

constexpr const char* kFolder = "Resources";

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
    SetUpFolder("Frames", kFolder);
}

void CFrameCollection::SetUpFolder(const char* displayName, const char* folder)
{
    if (GetRegistryIndex() < 0)
        Register(displayName);
    FreeEntries();
    SetFolder(folder);
    std::vector<CSharedString> names;
    if (ListResourceFiles(folder, "TGA", names) == 0) {
        if (const char* extension = CFrame::GetCacheExtension())
            ListResourceFiles((std::string(CFileSystem::GetCacheFolderName()) + "/" + folder).c_str(), extension,
                              names);
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
    // Without stages of its own the list follows the frames' defaults as they are now, so that a
    // display of another depth gets its pictures converted for it.
    const CFrameLoadStage& defaults = m_defaultStagesSet ? m_defaultStages : *CFrame::GetDefaultLoadStages();
    CFrameLoadStage stages;
    stages.SetPreferredDepth(defaults.GetPreferredDepth());
    stages.AddStagesFrom(defaults);
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
