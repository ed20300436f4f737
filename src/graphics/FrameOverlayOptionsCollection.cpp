#include "graphics/FrameOverlayOptionsCollection.h"

#include "graphics/FrameOverlayOptions.h"
#include "graphics/RegisterResourceGroup.h"

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
    RegisterResourceGroup(*this, "Frame Overlay Options", kFolder);
}

CObject* CFrameOverlayOptionsCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    return ReadItemOfItemClass(folder, fileName, out);
}
