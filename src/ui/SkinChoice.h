#pragma once
// The image and font choices of skin objects: an index into the frame list or the font list,
// written as the entry's name, where index 0 stands for none.
//
// The rule a caller must know: a choice resolves to its entry's object, loaded on first use; an
// entry that is still loading counts as none.
#include <cstdint>

class CFont;
class CFrame;
class CItemList;

namespace skinchoice {

// The lists the choices come from: the frame list and the font list.
CItemList* GetImageList();
CItemList* GetFontList();

// The chosen frame or font; null for index 0, an entry being loaded, or one that fails to load.
CFrame* ResolveImage(uint32_t index);
CFont* ResolveFont(uint32_t index);

} // namespace skinchoice
