#include "ui/SkinChoice.h"

#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"

namespace {

CObject* Resolve(CResourceCollection& list, uint32_t index)
{
    if (index == 0 || index >= list.GetCount() || list.IsItemBusy(index))
        return nullptr;
    return list.GetItem(index);
}

} // namespace

namespace skinchoice {

CItemList* GetImageList()
{
    return &CFrameCollection::GetInstance();
}

CItemList* GetFontList()
{
    return &CFontCollection::GetInstance();
}

CFrame* ResolveImage(uint32_t index)
{
    return dynamic_cast<CFrame*>(Resolve(CFrameCollection::GetInstance(), index));
}

CFont* ResolveFont(uint32_t index)
{
    return dynamic_cast<CFont*>(Resolve(CFontCollection::GetInstance(), index));
}

} // namespace skinchoice
