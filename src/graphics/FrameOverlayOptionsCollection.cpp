#include "graphics/FrameOverlayOptionsCollection.h"

#include "graphics/FrameOverlayOptions.h"
#include "graphics/ResourceListing.h"

#include <vector>

namespace {

constexpr const char* kTypeName = "FOO";
constexpr const char* kFolder = "Resources";

} // namespace

CFrameOverlayOptionsCollection::CFrameOverlayOptionsCollection()
    : CResourceCollection(kTypeName, CFrameOverlayOptions::GetStaticClassRecord())
{
}

CFrameOverlayOptionsCollection::~CFrameOverlayOptionsCollection() = default;

CFrameOverlayOptionsCollection& CFrameOverlayOptionsCollection::GetInstance()
{
    static CFrameOverlayOptionsCollection s_options;
    return s_options;
}

void CFrameOverlayOptionsCollection::SetUpAtStartUp()
{
    if (GetRegistryIndex() < 0)
        Register("Frame Overlay Options");
    FreeEntries();
    SetFolder(kFolder);
    std::vector<CSharedString> names;
    ListResourceFiles(kFolder, kTypeName, names);
    SetEntries(names);
}

CObject* CFrameOverlayOptionsCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    return ReadItemOfItemClass(folder, fileName, out);
}
