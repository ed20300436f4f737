#include "GalleryControlsPage.h"

#include "GalleryWindows.h"
#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JHeader.h"
#include "ui/JScrollBar.h"
#include "ui/JSlider.h"
#include "ui/JTabControl.h"

#include <string>

namespace {

// A map larger than its window: a grid with the coordinates of every cell, scrolled by the
// window's automatic bars.
class CGalleryMap : public CJWindow
{
public:
    static constexpr int32_t kCell = 80;

    explicit CGalleryMap(CJWindow* parent) : CJWindow(parent, "Map")
    {
        SetRect({0, 0, 300, 200});
        EnableScrollBars(true);
        SetContentSize(12 * kCell, 9 * kCell);
        m_paper.ConstructRgba(24, 40, 72, 255);
        m_ink.ConstructRgba(90, 130, 190, 255);
    }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        const int32_t width = GetContentWidth(), height = GetContentHeight();
        frame->FillRect({0, 0, width, height}, m_paper);
        for (int32_t x = 0; x <= width; x += kCell)
            frame->FillRect({x, 0, x + 1, height}, m_ink);
        for (int32_t y = 0; y <= height; y += kCell)
            frame->FillRect({0, y, width, y + 1}, m_ink);
        if (const CFont* font = GetFont())
            for (int32_t y = 0; y < height; y += kCell)
                for (int32_t x = 0; x < width; x += kCell) {
                    const std::string name = std::to_string(x / kCell) + "," + std::to_string(y / kCell);
                    font->DrawText(frame, x + kCell / 2, y + kCell / 3, name.c_str(), kJustifyCentre);
                }
        CJWindow::Draw(frame);
    }

private:
    CColor m_paper;
    CColor m_ink;
};

// A slider with its value written beside it.
class CGallerySliderRow : public CJWindow
{
public:
    CGallerySliderRow(CJWindow* parent, const char* name, uint32_t count) : CJWindow(parent, name)
    {
        m_slider = new CJSlider(this, count, 0);
        AddChild(m_slider, kPlaceTopLeft, nullptr, 0, 0, kPlacePixelOffsets | kPlaceNoMargin);
        SetSize(m_slider->GetWidth() + 150, m_slider->GetHeight());
    }
    CJSlider* GetSlider() const { return m_slider; }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        CJWindow::Draw(frame);
        if (const CFont* font = GetFont()) {
            const std::string text = std::string(GetText()) + ": " + std::to_string(m_slider->GetValue());
            font->DrawText(frame, m_slider->GetWidth() + 8, (GetHeight() - font->GetLineHeight()) / 2, text.c_str());
        }
    }

private:
    CJSlider* m_slider;
};

CJWindow* MakeSliderPage()
{
    auto* page = new CJWindow(nullptr, "Sliders");
    auto* volume = new CGallerySliderRow(page, "Volume", 101);
    volume->GetSlider()->SetValue(70, true);
    GalleryAdd(page, volume, kPlaceTopLeft);
    auto* detail = new CGallerySliderRow(page, "Detail", 5);
    detail->GetSlider()->SetValue(2, true);
    GalleryAdd(page, detail, kPlaceBelowPrevious);
    GalleryAdd(page, new CGallerySliderRow(page, "Single", 1), kPlaceBelowPrevious);

    auto* header = new CJHeader(page);
    header->SetSize(420, header->GetHeight());
    header->AddColumn(160, nullptr, kJustifyLeft, 1, 0, "Player");
    header->AddColumn(100, nullptr, kJustifyRight, 0, 1, "Score");
    header->AddColumn(80, nullptr, kJustifyCentre, 0, 0, "Round");
    header->SetTotalWidth(420);
    GalleryAdd(page, header, kPlaceBelowPrevious);
    return page;
}

CJWindow* MakeScrollingPage()
{
    auto* page = new CJWindow(nullptr, "Scrolling");
    auto* map = new CGalleryMap(page);
    GalleryAdd(page, map, kPlaceTopLeft);
    map->SetScrollPosition(CGalleryMap::kCell, CGalleryMap::kCell / 2);
    auto* bar = new CJScrollBar(page, false);
    bar->SetSize(300, CJScrollBar::kThickness);
    bar->SetRange(0, 100);
    bar->SetBarPosition(40, true);
    GalleryAdd(page, bar, kPlaceBelowPrevious);
    return page;
}

} // namespace

void OpenGalleryControlsPage(CJWindow* screen)
{
    auto* page = new CGalleryPage(screen, "Controls (Ctrl+Tab turns the pages)");
    OpenGalleryPage(screen, page);
    auto* panel = new CGalleryPanel(page, "Tabs", true);
    auto* tabs = new CJTabControl(panel);
    tabs->AddPage(MakeSliderPage());
    tabs->AddPage(MakeScrollingPage());
    tabs->AddPage(new CJWindow(nullptr, "An empty page"));
    tabs->SetSize(480, 300);
    tabs->SelectPage(0, true);
    GalleryAdd(panel, tabs, kPlaceTopLeft);
    const int32_t top = 3 * GalleryLineHeight(page);
    page->AddChild(panel, kPlaceTopLeft, nullptr, kDefaultOffset, top, kPlaceNoGrow | kPlacePixelOffsets);
    screen->ActivateChild(page);
    page->ActivateChild(panel);
    panel->ActivateChild(tabs);
}
