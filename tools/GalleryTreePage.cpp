#include "GalleryTreePage.h"

#include "GalleryWindows.h"

#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/WindowToolkitState.h"

#include <cstring>
#include <iterator>

namespace {

// A box showing one bevel, named inside.
class CGalleryBevel : public CJWindow
{
public:
    CGalleryBevel(CJWindow* parent, const char* name, bool raised, uint32_t sides, int32_t style)
        : CJWindow(parent, name), m_raised(raised), m_sides(sides), m_style(style)
    {
        SetRect({0, 0, 120, 3 * GalleryLineHeight(this)});
    }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        DrawBevel(GetFont(), frame, {0, 0, GetWidth(), GetHeight()}, m_raised, m_sides, m_style);
        DrawText(frame, GetWidth() / 2, GalleryLineHeight(this), kJustifyCentre);
    }

private:
    bool m_raised;
    uint32_t m_sides;
    int32_t m_style;
};

// One line of text (symbol texts included) in a box of the given width.
class CGalleryLabel : public CJWindow
{
public:
    CGalleryLabel(CJWindow* parent, const char* text, int32_t width, int32_t justification)
        : CJWindow(parent, text), m_justification(justification)
    {
        SetRect({0, 0, width, GalleryLineHeight(this) + GetRowSpacing() + 1});
    }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        const int32_t x = m_justification == kJustifyLeft ? 0 : m_justification == kJustifyCentre ? GetWidth() / 2 : GetWidth();
        // The symbol texts are drawn about their point, the others from their top line.
        const bool symbol = std::strlen(GetText()) == 2 && std::strchr("/\\>", GetText()[0]);
        DrawText(frame, x, symbol ? GetHeight() / 2 : 0, m_justification);
    }

private:
    int32_t m_justification;
};

// A tab stop: a sunken field with its text; its parent draws the focus frame around it. Under the
// pointer it shows its tooltip.
class CGalleryField : public CJWindow
{
public:
    CGalleryField(CJWindow* parent, const char* text, const char* tooltip) : CJWindow(parent, text), m_tooltip(tooltip)
    {
        SetTabStop(true);
        SetRect({0, 0, 90, GalleryLineHeight(this) + 4 * GetFontUnit() + GetRowSpacing()});
    }
    bool OnHover(const CIntPoint&) override
    {
        ShowTooltipUnderlined(0, m_tooltip, -1, -1);
        return true;
    }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        frame->FillRect({0, 0, GetWidth(), GetHeight()}, GetBackgroundColor());
        DrawBevel(GetFont(), frame, {0, 0, GetWidth(), GetHeight()}, false, 15, 1);
        DrawText(frame, 2 * GetFontUnit() + 2, 2 * GetFontUnit(), kJustifyLeft);
    }

private:
    const char* m_tooltip;
};

CJWindow* MakeBevelPanel(CJWindow* root)
{
    auto* panel = new CGalleryPanel(root, "Bevels", true);
    // Two columns: each row starts below the first box of the row above.
    CJWindow* rowStart = nullptr;
    const struct
    {
        const char* name;
        bool raised;
        uint32_t sides;
        int32_t style;
    } boxes[] = {{"Raised", true, 15, 0},       {"Sunken", false, 15, 0}, {"Strong", true, 15, 1},
                 {"Deep", false, 15, 1},        {"Top, left", true, 3, 1}, {"Right, bottom", false, 12, 1}};
    for (size_t i = 0; i < std::size(boxes); ++i) {
        auto* box = new CGalleryBevel(panel, boxes[i].name, boxes[i].raised, boxes[i].sides, boxes[i].style);
        if (i % 2)
            GalleryAdd(panel, box, kPlaceRightOfPrevious);
        else
            panel->AddChild(box, rowStart ? kPlaceBelow : kPlaceTopLeft, rowStart, kDefaultOffset, kDefaultOffset, 0);
        if (i % 2 == 0)
            rowStart = box;
    }
    return panel;
}

CJWindow* MakeTextPanel(CJWindow* root)
{
    auto* panel = new CGalleryPanel(root, "Text", true);
    const int32_t width = 180;
    GalleryAdd(panel, new CGalleryLabel(panel, "&Save the round", width, kJustifyLeft), kPlaceTopLeft);
    GalleryAdd(panel, new CGalleryLabel(panel, "E&xit to the menu", width, kJustifyCentre), kPlaceBelowPrevious);
    GalleryAdd(panel, new CGalleryLabel(panel, "Run: a&bc&d", width, kJustifyRight), kPlaceBelowPrevious);
    auto* disabled = new CGalleryLabel(panel, "&Disabled, dimmed", width, kJustifyLeft);
    disabled->SetEnabled(false);
    GalleryAdd(panel, disabled, kPlaceBelowPrevious);
    GalleryAdd(panel, new CGalleryLabel(panel, "/\\", 12, kJustifyCentre), kPlaceBelowPrevious);
    GalleryAdd(panel, new CGalleryLabel(panel, "\\/", 12, kJustifyCentre), kPlaceRightOfPrevious);
    GalleryAdd(panel, new CGalleryLabel(panel, "><", 12, kJustifyCentre), kPlaceRightOfPrevious);
    return panel;
}

CJWindow* MakeFocusPanel(CJWindow* root)
{
    auto* panel = new CGalleryPanel(root, "Focus (Tab, Alt+letter)", true);
    GalleryAdd(panel, new CGalleryField(panel, "&First", "First field (Alt+F)"), kPlaceTopLeft);
    GalleryAdd(panel, new CGalleryField(panel, "&Second", "Second field (Alt+S)"), kPlaceRightOfPrevious);
    GalleryAdd(panel, new CGalleryField(panel, "&Third", "Third field (Alt+T)"), kPlaceRightOfPrevious);
    return panel;
}

CJWindow* MakeInactivePanel(CJWindow* root)
{
    auto* panel = new CGalleryPanel(root, "Inactive", false);
    GalleryAdd(panel, new CGalleryLabel(panel, "Inactive textures", 150, kJustifyLeft), kPlaceTopLeft);
    return panel;
}

} // namespace

void OpenGalleryTreePage(CJWindow* screen)
{
    auto* page = new CGalleryPage(screen, "Window tree");
    OpenGalleryPage(screen, page);
    const int32_t top = 3 * GalleryLineHeight(page);
    CJWindow* bevels = MakeBevelPanel(page);
    page->AddChild(bevels, kPlaceTopLeft, nullptr, kDefaultOffset, top, kPlaceNoGrow | kPlacePixelOffsets);
    page->AddChild(MakeTextPanel(page), kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    CJWindow* focusPanel = MakeFocusPanel(page);
    page->AddChild(focusPanel, kPlaceBelow, bevels, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    page->AddChild(MakeInactivePanel(page), kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset,
                   kPlaceNoGrow);
    // The first field has the focus, and its frame shows as if moved there from the keyboard.
    screen->ActivateChild(page);
    page->ActivateChild(focusPanel);
    CWindowToolkitState::Get().keyboardNavigation = true;
}
