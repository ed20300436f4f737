#include "ui/JTabControl.h"

#include "app/Keyboard.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "platform/KeyTable.h"
#include "sound/SoundList.h"
#include "ui/WindowWatch.h"

#include <algorithm>

namespace {

constexpr int32_t kKeyTab = 9;
constexpr float kInactiveTabOpacity = 0.8f;

bool IsEitherDown(int left, int right)
{
    return g_keyboard.IsKeyDown(left) || g_keyboard.IsKeyDown(right);
}

CIntRect Intersect(const CIntRect& a, const CIntRect& b)
{
    return {std::max(a.m_left, b.m_left), std::max(a.m_top, b.m_top), std::min(a.m_right, b.m_right),
            std::min(a.m_bottom, b.m_bottom)};
}

} // namespace

CJTabControl::CJTabControl(CJWindow* parent) : CJWindow(parent, "~CJTabControl")
{
    m_outerMargin = 0;
    SetTabStop(true);
    SetShowTabs(true);
}

void CJTabControl::ForgetDeletedPages()
{
    const auto isChild = [this](const CJWindow* page) {
        for (const CJWindow* child = GetFrontChild(); child; child = child->GetNextSibling())
            if (child == page)
                return true;
        return false;
    };
    const size_t before = m_pages.size();
    CJWindow* current = m_current < m_pages.size() && isChild(m_pages[m_current]) ? m_pages[m_current] : nullptr;
    std::erase_if(m_pages, [&](const CJWindow* page) { return !isChild(page); });
    if (m_pages.size() == before)
        return;
    if (current) {
        m_current = static_cast<uint32_t>(std::find(m_pages.begin(), m_pages.end(), current) - m_pages.begin());
    } else {
        // The page that takes the place of a deleted current page shows.
        m_current = std::min<uint32_t>(m_current, m_pages.empty() ? 0 : GetPageCount() - 1);
        if (CJWindow* page = GetPage(m_current))
            page->Show(true, false);
    }
    LayOutTabs();
}

int32_t CJTabControl::AddPage(CJWindow* page)
{
    if (!page)
        return -1;
    ForgetDeletedPages();
    CWindowWatch self(this);
    CWindowWatch watch(page);
    AddChild(page, kPlaceTopLeftSpaced, nullptr, 0, m_stripHeight, kPlacePixelOffsets);
    if (!self.IsAlive() || !watch.IsAlive() || page->GetParent() != this)
        return -1;
    // Only one page shows: the one shown so far gives way to the new one.
    if (CJWindow* shown = GetPage(m_current))
        shown->Show(false, false);
    m_pages.push_back(page);
    m_current = GetPageCount() - 1;
    page->Show(true, false);
    LayOutTabs();
    return static_cast<int32_t>(m_current);
}

void CJTabControl::SetShowTabs(bool show)
{
    m_showTabs = show;
    const CFont* font = GetFont();
    m_stripHeight = show ? (font ? font->GetLineHeight() : 0) + 2 + 2 * GetRowSpacing() : 0;
    SetRect(m_rect);
}

void CJTabControl::LayOutTabs()
{
    m_tabs.clear();
    m_overlap = 0;
    if (!m_showTabs)
        return;
    const CFont* font = GetFont();
    int64_t x = 0;
    for (const CJWindow* page : m_pages) {
        const int64_t title = font ? font->GetTextWidth(page->GetText()) : 0;
        const int64_t right = x + title + 2 * GetRowSpacing() + 2;
        m_tabs.push_back({ClampToInt(x), 0, ClampToInt(right), m_stripHeight});
        x = right;
    }
    // Tabs wider together than the control share the excess, so that the last ends at the edge.
    const int64_t count = static_cast<int64_t>(m_tabs.size());
    const int64_t excess = count ? static_cast<int64_t>(m_tabs.back().m_right) - GetWidth() : 0;
    if (excess <= 0 || GetWidth() <= 0 || count < 2)
        return;
    m_overlap = static_cast<uint32_t>(std::min<int64_t>(excess / (count - 1), UINT32_MAX));
    for (int64_t i = 1; i < count; ++i)
        m_tabs[i].Offset(-ClampToInt(excess * i / (count - 1)), 0);
}

void CJTabControl::SetRect(const CIntRect& rect)
{
    CWindowWatch self(this);
    CJWindow::SetRect(rect);
    if (!self.IsAlive())
        return;
    ForgetDeletedPages();
    LayOutTabs();
    const int32_t height = std::max(GetHeight(), m_stripHeight);
    for (CJWindow* page : m_pages)
        page->SetRect({0, m_stripHeight, GetWidth(), height});
}

void CJTabControl::SelectPage(uint32_t index, bool quiet)
{
    ForgetDeletedPages();
    SwitchTo(index, !quiet);
}

void CJTabControl::SwitchTo(uint32_t index, bool withSound)
{
    if (index == m_current || index >= m_pages.size())
        return;
    if (withSound)
        CSoundList::GetInstance().PlaySound(kSwitchSound);
    CJWindow* old = GetPage(m_current);
    CJWindow* page = m_pages[index];
    m_current = index;
    CWindowWatch self(this);
    page->Show(true, false);
    if (self.IsAlive())
        ActivateChild(page);
    if (self.IsAlive() && old && old != page)
        old->Show(false, false);
}

void CJTabControl::FitPages()
{
    for (CJWindow* child = GetFrontChild(); child; child = child->GetNextSibling())
        GrowToFitChild(child, kDefaultOffset);
}

bool CJTabControl::OnMouseDown(int32_t button, const CIntPoint& point)
{
    ForgetDeletedPages();
    if (m_showTabs && button == 0) {
        const CIntPoint local{ClampToInt(static_cast<int64_t>(point.m_x) - m_screenRect.m_left + GetScrollX()),
                              ClampToInt(static_cast<int64_t>(point.m_y) - m_screenRect.m_top + GetScrollY())};
        if (local.m_y >= 0 && local.m_y < m_stripHeight)
            for (size_t i = m_tabs.size(); i-- > 0;) {
                const CIntRect& tab = m_tabs[i];
                if (local.m_x >= tab.m_left && local.m_x < tab.m_right && local.m_y >= tab.m_top &&
                    local.m_y < tab.m_bottom) {
                    SwitchTo(static_cast<uint32_t>(i), true);
                    return true;
                }
            }
    }
    return CJWindow::OnMouseDown(button, point);
}

bool CJTabControl::OnKey(int32_t key)
{
    ForgetDeletedPages();
    const bool ctrl = IsEitherDown(platform::kKeyLeftCtrl, platform::kKeyRightCtrl);
    if (!m_showTabs || key != kKeyTab || !ctrl || m_pages.empty())
        return CJWindow::OnKey(key);
    const uint32_t count = GetPageCount();
    const bool back = IsEitherDown(platform::kKeyLeftShift, platform::kKeyRightShift);
    SwitchTo(back ? (m_current + count - 1) % count : (m_current + 1) % count, true);
    return true;
}

void CJTabControl::DrawTab(COffsetClippedProxyFrame* frame, uint32_t index)
{
    const bool current = index == m_current;
    CIntRect tab = m_tabs[index];
    int32_t titleX = tab.m_left + GetRowSpacing() + 1 + (current ? 1 : 0);
    if (!current) {
        tab.m_top += 1;
        titleX = std::max(0, titleX - static_cast<int32_t>(std::min<uint32_t>(m_overlap, INT32_MAX)));
        if (index + 1 < m_tabs.size())
            tab.m_right = m_tabs[index + 1].m_left;
        if (index == m_current + 1)
            tab.m_left = m_tabs[m_current].m_right;
    }
    CIntRect bounds;
    frame->GetBounds(bounds);
    const CIntRect clip = Intersect(bounds, tab);
    if (clip.IsEmpty())
        return;
    const CIntRect savedClip = frame->GetClipRect();
    const float savedOpacity = g_transparentMaskBlitter.GetOpacity();
    frame->SetClipRect(clip);
    if (!current)
        g_transparentMaskBlitter.SetOpacity(kInactiveTabOpacity);
    DrawBevel(GetFont(), frame, tab, true, 1 | 2 | 4, 0);
    if (const CFont* font = GetFont())
        font->DrawText(frame, titleX, tab.m_top + GetRowSpacing() + 1, m_pages[index]->GetText());
    g_transparentMaskBlitter.SetOpacity(savedOpacity);
    frame->SetTargetClipRect(savedClip);
}

void CJTabControl::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    ForgetDeletedPages();
    for (uint32_t i = 0; i < m_tabs.size(); ++i)
        DrawTab(frame, i);
    CWindowWatch self(this);
    CJWindow::Draw(frame);
    if (!self.IsAlive())
        return;

    // The page's frame, open where the current tab meets it.
    const CFont* font = GetFont();
    const int32_t width = GetWidth(), height = GetHeight();
    const CIntRect area{0, m_stripHeight, width, height};
    DrawBevel(font, frame, area, true, 1 | 4 | 8, 1);
    if (m_current >= m_tabs.size()) {
        DrawBevel(font, frame, area, true, 2, 1);
        return;
    }
    const CIntRect& tab = m_tabs[m_current];
    if (m_current > 0)
        DrawBevel(font, frame, {0, m_stripHeight, tab.m_left, height}, true, 2, 1);
    DrawBevel(font, frame, {tab.m_right, m_stripHeight, width, height}, true, 2, 1);
}
