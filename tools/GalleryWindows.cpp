#include "GalleryWindows.h"

#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/WindowToolkitState.h"

int32_t GalleryLineHeight(const CJWindow* window)
{
    return window->GetFont() ? window->GetFont()->GetLineHeight() : 0;
}

void GalleryAdd(CJWindow* parent, CJWindow* child, int32_t placement)
{
    parent->AddChild(child, placement, nullptr, kDefaultOffset, kDefaultOffset, 0);
}

void CGalleryPage::Draw(COffsetClippedProxyFrame* frame)
{
    FillWithTexture(frame, GetBackgroundTexture(), {0, 0, GetWidth(), GetHeight()}, 0, 0);
    DrawText(frame, GetWidth() / 2, 6, kJustifyCentre);
    CJWindow::Draw(frame);
}

void CGalleryPanel::Draw(COffsetClippedProxyFrame* frame)
{
    const int32_t w = GetWidth(), h = GetHeight(), unit = GetFontUnit();
    FillWithTexture(frame, GetBackgroundTexture(), {0, 0, w, h}, m_rect.m_left, m_rect.m_top);
    DrawBevel(GetFont(), frame, {0, 0, w, h}, true, 15, 0);
    CWindowToolkitState& toolkit = CWindowToolkitState::Get();
    CFrame* tile = toolkit.GetTexture(IsActive() ? CWindowToolkitState::kWindowTitleTile
                                                 : CWindowToolkitState::kInactiveWindowTitleTile);
    FillWithTexture(frame, tile, {3, 3, w - 3, GalleryLineHeight(this) + 4 * unit}, 0, 0);
    DrawText(frame, w / 2, 2 * unit + 1, kJustifyCentre);
    CJWindow::Draw(frame);
}

void OpenGalleryPage(CJWindow* screen, CJWindow* page)
{
    page->SetRect(screen->GetRect());
    screen->AddChild(page, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
}
