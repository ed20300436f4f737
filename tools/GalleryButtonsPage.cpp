#include "GalleryButtonsPage.h"

#include "GalleryCaptionPanel.h"

#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/Callback.h"
#include "ui/JCheckButton.h"
#include "ui/JThemeButtonPart.h"
#include "ui/JToggleButton.h"
#include "ui/WindowToolkitState.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

int32_t LineHeight(const CJWindow* window)
{
    return window->GetFont() ? window->GetFont()->GetLineHeight() : 0;
}

// The page: the window texture, the panels, and the line that names the last click.
class CGalleryButtonsPage : public CJWindow
{
public:
    explicit CGalleryButtonsPage(CJWindow* screen) : CJWindow(screen, "Buttons") {}
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        FillWithTexture(frame, GetBackgroundTexture(), {0, 0, GetWidth(), GetHeight()}, 0, 0);
        DrawText(frame, GetWidth() / 2, 6, kJustifyCentre);
        CJWindow::Draw(frame);
        const std::string line = "Last click: " + m_lastClick + "    Sound effects byte: " + std::to_string(effects);
        if (CFont* font = GetFont())
            font->DrawText(frame, 12, GetHeight() - 2 * LineHeight(this), line.c_str(), kJustifyLeft);
    }
    void OnCommand(CJWindow* sender, int32_t code) override
    {
        if (sender && code == kCommandClicked)
            m_lastClick = sender->GetText();
    }

    uint8_t effects = 1;

private:
    std::string m_lastClick = "none";
};

// Counts its clicks into the button's text.
class CCountAction : public CCallback
{
public:
    explicit CCountAction(CJButton* button) : m_button(button) {}
    void Invoke() override
    {
        char text[32];
        std::snprintf(text, sizeof text, "&More: %d", ++m_count);
        m_button->SetText(text);
    }

private:
    CJButton* m_button;
    int m_count = 0;
};

// A small picture painted here: a ball over a diagonal gradient.
std::unique_ptr<CFrame> PaintBall(bool grey)
{
    auto frame = std::make_unique<CFrame>();
    constexpr int kSize = 20;
    frame->Create(kSize, kSize, 16);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int dx = x - 10, dy = y - 10;
            const bool ball = dx * dx + dy * dy < 64;
            int r = ball ? 240 - 6 * (dx + dy) : 30 + 3 * (x + y);
            int g = ball ? 120 - 4 * (dx + dy) : 50 + 3 * (x + y);
            int b = ball ? 40 : 90 + 4 * (x + y);
            if (grey)
                r = g = b = (r + g + b) / 3;
            CColor color;
            color.ConstructRgba(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), 255);
            frame->SetPixel(x, y, color);
        }
    return frame;
}

void Add(CJWindow* parent, CJWindow* child, int32_t placement)
{
    parent->AddChild(child, placement, nullptr, kDefaultOffset, kDefaultOffset, 0);
}

// A text button sized by its theme part to its text.
template <class Button = CJButton>
Button* MakeButton(CJWindow* parent, const char* text, CJButton* leader = nullptr)
{
    auto* button = new Button(parent, text, leader);
    if (CJThemeButtonPart* part = button->GetThemePart())
        part->AutoSize();
    return button;
}

// The pictures live as long as the program; the buttons do not own them.
std::unique_ptr<CFrame> s_ball, s_greyBall;

CJWindow* MakePushPanel(CJWindow* page)
{
    auto* panel = new CGalleryCaptionPanel(page, "Push buttons");
    Add(panel, MakeButton(panel, "&Play"), kPlaceTopLeft);
    Add(panel, MakeButton(panel, "&Options"), kPlaceRightOfPrevious);
    auto* locked = MakeButton(panel, "&Locked");
    locked->SetEnabled(false);
    Add(panel, locked, kPlaceRightOfPrevious);
    auto* more = MakeButton(panel, "&More: 000");
    more->SetText("&More: 0");
    more->SetAutoRepeat(true);
    more->SetAction(new CCountAction(more));
    more->SetToolTipText("Hold to repeat", 0);
    panel->AddChild(more, kPlaceBelow, panel->FindChildByName("Play"), kDefaultOffset, kDefaultOffset, 0);
    for (bool disabled : {false, true}) {
        auto* picture = new CJButton(panel, disabled ? "Ball (disabled)" : "&Ball", nullptr);
        picture->SetImage(s_ball.get(), false);
        picture->SetDisabledImage(s_greyBall.get());
        picture->SetEnabled(!disabled);
        Add(panel, picture, kPlaceRightOfPrevious);
    }
    return panel;
}

CJWindow* MakeRadioPanel(CJWindow* page, CJWindow*& start)
{
    auto* panel = new CGalleryCaptionPanel(page, "Difficulty (Tab, Left, Right)");
    start = MakeButton(panel, "&Start");
    Add(panel, start, kPlaceTopLeft);
    CJButton* previous = nullptr;
    CJButton* first = nullptr;
    for (const char* name : {"&Easy", "&Normal", "&Hard", "&Insane"}) {
        auto* member = MakeButton<CJCheckButton>(panel, name, previous);
        Add(panel, member, previous ? kPlaceRightOfPrevious : kPlaceBelowPrevious);
        previous = member;
        if (!first)
            first = member;
    }
    // Checked once the group is whole, so that the checked member is the group's tab stop.
    first->SetChecked(1);
    return panel;
}

CJWindow* MakeTogglePanel(CGalleryButtonsPage* page)
{
    auto* panel = new CGalleryCaptionPanel(page, "Check boxes");
    auto* effects = new CJToggleButton(panel, "Sound &effects", nullptr);
    effects->SetLinkedVariable(&page->effects);
    Add(panel, effects, kPlaceTopLeft);
    Add(panel, new CJToggleButton(panel, "M&usic", nullptr), kPlaceBelowPrevious);
    auto* onRight = new CJToggleButton(panel, "Box on the &right", nullptr);
    onRight->SetBoxOnRight(true);
    Add(panel, onRight, kPlaceBelowPrevious);
    auto* disabled = new CJToggleButton(panel, "Disabled", nullptr);
    disabled->SetChecked(1);
    disabled->SetEnabled(false);
    Add(panel, disabled, kPlaceBelowPrevious);
    return panel;
}

} // namespace

void OpenGalleryButtonsPage(CJWindow* screen)
{
    if (!s_ball) {
        s_ball = PaintBall(false);
        s_greyBall = PaintBall(true);
    }
    auto* page = new CGalleryButtonsPage(screen);
    page->SetRect(screen->GetRect());
    screen->AddChild(page, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    const int32_t top = 3 * LineHeight(page);
    CJWindow* push = MakePushPanel(page);
    page->AddChild(push, kPlaceTopLeft, nullptr, kDefaultOffset, top, kPlaceNoGrow | kPlacePixelOffsets);
    CJWindow* start = nullptr;
    CJWindow* radio = MakeRadioPanel(page, start);
    page->AddChild(radio, kPlaceBelow, push, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    page->AddChild(MakeTogglePanel(page), kPlaceRightOf, radio, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    // The start button has the focus; Tab goes on to the checked member of the group.
    screen->ActivateChild(page);
    page->ActivateChild(radio);
    radio->ActivateChild(start);
}
