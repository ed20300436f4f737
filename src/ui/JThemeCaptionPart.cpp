#include "ui/JThemeCaptionPart.h"

#include "graphics/Font.h"
#include "ui/JWindow.h"

int32_t CJThemeCaptionPart::GetTitleWidth() const
{
    const CFont* font = m_window->GetFont();
    return font && *m_window->GetText() ? font->GetTextWidth(m_window->GetText()) + 3 : 0;
}
