#include "shell/SpriteWindow.h"

#include "game/sprites/Sprite.h"
#include "graphics/OffsetClippedProxyFrame.h"

SpriteWindow::SpriteWindow(CJWindow* parent, CSprite* sprite) : CJWindow(parent, "~SpriteWindow")
{
    SetSprite(sprite);
}

SpriteWindow::~SpriteWindow()
{
    delete m_sprite;
}

void SpriteWindow::SetSprite(CSprite* sprite)
{
    if (sprite == m_sprite)
        return;
    delete m_sprite;
    m_sprite = sprite;
    if (!m_sprite)
        return;
    CIntRect bounds;
    m_sprite->GetBoundingRect(bounds);
    m_sprite->SetPosition(CFloatPoint{static_cast<float>(-bounds.m_left), static_cast<float>(-bounds.m_top)});
    SetSize(bounds.m_right - bounds.m_left, bounds.m_bottom - bounds.m_top);
}

void SpriteWindow::Update(float seconds)
{
    if (m_sprite)
        m_sprite->Update();
    CJWindow::Update(seconds);
}

void SpriteWindow::Draw(COffsetClippedProxyFrame* frame)
{
    if (m_sprite)
        m_sprite->Draw(frame);
    CJWindow::Draw(frame);
}
