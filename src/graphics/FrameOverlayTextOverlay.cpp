#include "graphics/FrameOverlayTextOverlay.h"

#include "foundation/TextSubstitutionList.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/IntPointProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/UIntProperty.h"

#include <cstdint>

namespace {

const CEnumTableEntry s_justifications[] = {
    {kJustifyLeft, "Justify Left", nullptr},
    {kJustifyCentre, "Justify Center", nullptr},
    {kJustifyRight, "Justify Right", nullptr},
    {0, nullptr, nullptr},
};

// The font's layout takes signed widths: an unsigned value past their range means "as wide as
// can be", not a negative box.
int32_t ToLayoutWidth(uint32_t value)
{
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

} // namespace

CEnumTable& CFrameOverlayTextOverlay::GetJustifications()
{
    static CEnumTable s_table(s_justifications);
    return s_table;
}

IMPLEMENT_CLASS_RECORD(CFrameOverlayTextOverlay, CObject, 0.0f)
void CFrameOverlayTextOverlay::AddProperties(CClassRecord* record)
{
    using Overlay = CFrameOverlayTextOverlay;
    record->AddProperty(
        new CFixedListChoiceProperty("Text Font", &Overlay::m_font, &CFontCollection::GetInstance(), 0, nullptr));
    record->AddProperty(new CIntPointProperty("Text HotSpot Coordinates", &Overlay::m_hotSpot, 0));
    record->AddProperty(new CUIntProperty("Text Wrapping Width", &Overlay::m_wrappingWidth, 0, 128u));
    record->AddProperty(CSharedStringPropertyDescriptor::ConstructLocalizable(
        "Text String", &Overlay::m_text, 0, "* Some cool message to put in the slideshow!"));
    record->AddProperty(new CUIntProperty("Pixels Between Lines", &Overlay::m_lineSpacing, 0, 2u));
    record->AddProperty(
        new CFixedListChoiceProperty("Justification", &Overlay::m_justification, &GetJustifications(), 0, "Justify Left"));
}

void CFrameOverlayTextOverlay::Draw(CFrameInterface* frame, const CTextSubstitutionList* substitutions) const
{
    if (!frame)
        return;
    const auto* font = dynamic_cast<const CFont*>(CFontCollection::GetInstance().GetItem(m_font));
    if (!font)
        return;
    const CSharedString text = substitutions ? substitutions->Apply(m_text.GetDisplayText()) : m_text.GetDisplayText();
    CWrappedTextLayout layout;
    layout.m_width = ToLayoutWidth(m_wrappingWidth);
    layout.m_spacing = ToLayoutWidth(m_lineSpacing);
    layout.m_justification = GetJustifications().GetValue(m_justification);
    font->DrawWrappedText(frame, m_hotSpot.m_x, m_hotSpot.m_y, text.CStr(), layout);
}
