#pragma once
// Page windows stacked under a strip of tabs: one page shows at a time, chosen by a click on its
// tab or by Ctrl+Tab and Ctrl+Shift+Tab. Tabs wider together than the control overlap evenly so
// that the last one ends at the right edge. The options and statistics dialogs use it.
//
// The rule a caller must know: pages are added with AddPage (never AddChild), which makes the
// control their parent and the new page the current one; the page's text is its tab's title.
#include "ui/JWindow.h"
#include "objects/DataNames.h"

#include <vector>

class CJTabControl : public CJWindow
{
public:
    static constexpr const char* kSwitchSound = dataname::sound::kButtonSwitch;

    explicit CJTabControl(CJWindow* parent);

    // The tabs, the shown page, and the page's frame open toward the current tab.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // A left press on a tab switches to its page (taken even for the current tab).
    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    // Ctrl+Tab: the next page, Ctrl+Shift+Tab: the previous one, both wrapping.
    bool OnKey(int32_t key) override;
    // The tabs are laid out again and every page fills the area under the strip.
    void SetRect(const CIntRect& rect) override;

    // Appends the page, links it, hides the page shown so far and makes the new one current;
    // answers its index (-1 for a null page).
    int32_t AddPage(CJWindow* page);
    // Nothing for the current page or an index past the end; quiet plays no sound.
    void SelectPage(uint32_t index, bool quiet);
    // A hidden strip gives the pages the whole control.
    void SetShowTabs(bool show);
    // The first child whose text is the name; null when none.
    CJWindow* FindPageByName(const char* name) const { return FindChildByName(name); }
    // Grows so that every child fits.
    void FitPages();

    uint32_t GetPageCount() const { return static_cast<uint32_t>(m_pages.size()); }
    CJWindow* GetPage(uint32_t index) const { return index < m_pages.size() ? m_pages[index] : nullptr; }
    uint32_t GetCurrentPage() const { return m_current; }
    int32_t GetStripHeight() const { return m_stripHeight; }
    uint32_t GetTabOverlap() const { return m_overlap; }
    // Empty while the strip is hidden.
    const std::vector<CIntRect>& GetTabRects() const { return m_tabs; }

private:
    void LayOutTabs();
    void SwitchTo(uint32_t index, bool withSound);
    void DrawTab(COffsetClippedProxyFrame* frame, uint32_t index);
    // Pages deleted by another hand leave the list.
    void ForgetDeletedPages();

    bool m_showTabs = true;
    std::vector<CJWindow*> m_pages;
    std::vector<CIntRect> m_tabs;
    int32_t m_stripHeight = 0;
    uint32_t m_current = 0;
    uint32_t m_overlap = 0;
};
