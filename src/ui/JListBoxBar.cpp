// The list box's own vertical scroll bar and the layout that decides how many rows show.
#include "ui/JListBox.h"

#include "ui/JScrollBar.h"

#include <algorithm>

CJScrollBar* CJListBox::CreateScrollBar()
{
    return new CJScrollBar(this, true);
}

int32_t CJListBox::GetBarWidth() const
{
    return m_bar && m_bar->IsVisible() ? m_bar->GetWidth() : 0;
}

void CJListBox::DeleteScrollBar()
{
    CJScrollBar* bar = m_bar;
    m_bar = nullptr;
    delete bar;
}

void CJListBox::UpdateScrollBar()
{
    const uint32_t count = GetRowCount();
    const bool needed = !m_externalBar && m_visibleRows < count && count > 1 && m_visibleRows > 1;
    if (!needed) {
        DeleteScrollBar();
        return;
    }
    if (!m_bar) {
        m_bar = CreateScrollBar();
        if (!m_bar)
            return;
        // The bar takes the right edge of the list's own rect.
        const int32_t width = m_bar->GetWidth();
        m_bar->SetRect({GetWidth() - width, 0, GetWidth(), GetHeight()});
        AddChild(m_bar, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    }
    const int32_t height = GetRowHeight();
    m_bar->SetRange(0.0f, static_cast<float>(GetMaxScroll()));
    m_bar->SetLineStep(static_cast<float>(height));
    m_bar->SetPageStep(static_cast<float>(GetHeight()));
    m_bar->SetBarPosition(static_cast<float>(m_scrollPosition), true);
}

void CJListBox::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && sender == m_bar && code == kCommandValueChanged) {
        const auto position = static_cast<int32_t>(m_bar->GetBarPosition() + 0.5f);
        m_scrollPosition = m_scrollTarget = std::clamp(position, 0, GetMaxScroll());
        return;
    }
    CJWindow::OnCommand(sender, code);
}

void CJListBox::SetRect(const CIntRect& rect)
{
    CJWindow::SetRect(rect);
    if (!m_layoutEnabled)
        return;
    const int32_t rows = std::max(0, GetViewHeight() / GetRowHeight());
    m_maxVisibleRows = static_cast<uint32_t>(rows);
    RefreshVisibleRows();
    if (m_bar) {
        const int32_t width = m_bar->GetWidth();
        m_bar->SetRect({GetWidth() - width, 0, GetWidth(), GetHeight()});
    }
    UpdateScrollBar();
}
