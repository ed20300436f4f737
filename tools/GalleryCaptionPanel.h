#pragma once
// A gallery panel drawn by its theme's caption part, as a titled window is, with room for the
// caption above its children.
#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JThemeCaptionPart.h"
#include "ui/JWindow.h"
#include "ui/SkinTheme.h"

#include <memory>

class CGalleryCaptionPanel : public CJWindow
{
public:
    CGalleryCaptionPanel(CJWindow* parent, const char* title)
        : CJWindow(parent, title), m_caption(GetTheme() ? GetTheme()->CreateCaptionPart(this) : nullptr)
    {
    }
    int32_t GetCaptionHeight() const override
    {
        return (GetFont() ? GetFont()->GetLineHeight() : 0) + 4 * GetFontUnit() + 3;
    }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        if (m_caption)
            m_caption->Draw(frame);
        CJWindow::Draw(frame);
    }

private:
    std::unique_ptr<CJThemeCaptionPart> m_caption;
};
