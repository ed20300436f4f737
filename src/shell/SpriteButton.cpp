#include "shell/SpriteButton.h"

#include "game/sprites/AnimatedSprite.h"
#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"

namespace {

constexpr int32_t kTextLeft = 100;

} // namespace

CSpriteButton::CSpriteButton(CJWindow* parent, const char* text)
    : CJButton(parent, text, nullptr), m_sprite(std::make_unique<CAnimatedSprite>())
{
}

CSpriteButton::~CSpriteButton() = default;

void CSpriteButton::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    const CIntRect& rect = GetRect();
    const int32_t width = rect.m_right - rect.m_left;
    const int32_t height = rect.m_bottom - rect.m_top;
    m_sprite->SetPosition({static_cast<float>(width / 2), static_cast<float>(height / 2)});
    m_sprite->Draw(frame);
    if (m_textShown)
        if (CFont* font = GetFont())
            DrawText(frame, kTextLeft, (height - font->GetHeight()) / 2 + 1, 0);
    m_flash = false;
    CJWindow::Draw(frame);
}
