#include "graphics/Color.h"

#include "blit/ColorPacking.h"
#include "graphics/PaletteTable.h"

namespace {

CColor::DisplayPaletteGetter s_displayPaletteGetter = nullptr;

CColor MakeColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    CColor color;
    color.ConstructRgba(red, green, blue, alpha);
    return color;
}

} // namespace

const CColor g_colorBlack = MakeColor(0, 0, 0, 255);
const CColor g_colorWhite = MakeColor(255, 255, 255, 255);
const CColor g_colorTransparentBlack = MakeColor(0, 0, 0, 0);

void CColor::SetDisplayPaletteGetter(DisplayPaletteGetter getter)
{
    s_displayPaletteGetter = getter;
}

void CColor::StoreColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    m_blue = blue;
    m_green = green;
    m_red = red;
    m_alpha = alpha;
    m_bytes24[0] = blue;
    m_bytes24[1] = green;
    m_bytes24[2] = red;
    m_pixel16 = static_cast<uint16_t>(PackRgbToPixel16(red, green, blue));
}

void CColor::ConstructRgba(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    StoreColor(red, green, blue, alpha);
    m_flags = kIndexFromTable;
}

void CColor::Update(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, bool indexFromTable)
{
    // A cached index stays valid only for the colour it was found for, found the same way.
    bool keepIndex = (m_flags & kIndexValid) && red == m_red && green == m_green && blue == m_blue &&
                     ((m_flags & kIndexFromTable) != 0) == indexFromTable;
    StoreColor(red, green, blue, alpha);
    m_flags &= ~(kIndexValid | kIndexFromTable);
    if (keepIndex)
        m_flags |= kIndexValid;
    if (indexFromTable)
        m_flags |= kIndexFromTable;
}

void CColor::Set(uint8_t red, uint8_t green, uint8_t blue, int alpha)
{
    Update(red, green, blue, alpha == -1 ? 255 : static_cast<uint8_t>(alpha), true);
}

void CColor::SetAvoidingIndexZero(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    Update(red, green, blue, alpha, false);
}

void CColor::SetFromPaletteIndex(uint8_t index)
{
    uint8_t red = 0, green = 0, blue = 0;
    GetCurrentPaletteRef()->GetEntry(index, red, green, blue);
    StoreColor(red, green, blue, 255);
    m_paletteIndex = index;
    m_flags |= kIndexValid | kIndexFromTable;
}

void CColor::SetFromPixel565(uint16_t value)
{
    const uint32_t bytes = Expand565(value);
    Update(static_cast<uint8_t>(bytes >> 16), static_cast<uint8_t>(bytes >> 8), static_cast<uint8_t>(bytes), 255, true);
}

void CColor::SetBlack()
{
    m_blue = m_green = m_red = 0;
    m_alpha = 255;
    m_bytes24[0] = m_bytes24[1] = m_bytes24[2] = 0;
    m_pixel16 = 0;
    m_paletteIndex = 0;
}

void CColor::ResetToBlackIndexZero()
{
    SetBlack();
    m_flags = kIndexValid;
}

void CColor::ResetToBlackIndexOne()
{
    StoreColor(0, 0, 0, 255);
    m_paletteIndex = 1;
    m_flags = kIndexValid;
}

uint8_t CColor::GetPaletteIndex() const
{
    if (m_flags & kIndexValid)
        return m_paletteIndex;
    uint8_t index = 0;
    if (m_flags & kIndexFromTable) {
        index = g_inverseColorTable15.FindNearest(m_red, m_green, m_blue, 0, 256);
    } else {
        CPaletteTable* palette = GetCurrentPaletteRef();
        if (palette->IsEmpty() && s_displayPaletteGetter)
            palette = s_displayPaletteGetter();
        if (palette)
            index = palette->FindNearest(m_red, m_green, m_blue, 1, 256);
    }
    m_paletteIndex = index;
    m_flags |= kIndexValid;
    return index;
}
