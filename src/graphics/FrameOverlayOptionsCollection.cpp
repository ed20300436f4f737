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
    CSharedString path;
    path.SetToJoinedPath(folder, fileName);
    path.AppendText(".");
    path.AppendText(GetTypeName().CStr());
    CObject* object = CObject::CreateFromFile(path.CStr(), 0, false, out);
    // Callers draw what they get as overlay options: anything else would be used as one.
    if (object && !object->IsKindOf(GetItemClassRecord())) {
        if (out)
            *out = nullptr;
        delete object;
        return nullptr;
    }
    return object;
}
