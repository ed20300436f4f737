// The page rule: a window of the screen window stays on the 640 x 480 page, however it is placed
// or moved, through the real screen window and real mouse input.
#include "InputTestSupport.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JDialog.h"
#include "ui/controls/JTitledWindow.h"

using namespace uitest;

namespace {

class PageRule : public ScreenInputTest
{
protected:
    CJDialog* OpenDialog(int32_t width, int32_t height, int32_t placement)
    {
        auto* dialog = new CJDialog(nullptr, "Dialog");
        dialog->SetRect({0, 0, width, height});
        m_screen->OpenModalWindow(dialog, placement);
        return dialog;
    }
};

TEST_F(PageRule, PlacementsAndMovesKeepAWindowOnThePage)
{
    const struct
    {
        const char* what;
        CIntRect asked, kept;
    } cases[] = {
        {"on the page", {10, 20, 110, 70}, {10, 20, 110, 70}},
        {"past the bottom", {100, 440, 300, 540}, {100, 380, 300, 480}},
        {"past the right", {600, 10, 700, 50}, {540, 10, 640, 50}},
        {"above and left", {-30, -5, 70, 45}, {0, 0, 100, 50}},
        {"taller than the page: its caption shows", {20, -60, 220, 540}, {20, 0, 220, 600}},
        {"wider and lower", {-10, 470, 700, 490}, {0, 460, 710, 480}},
    };
    CJDialog* dialog = OpenDialog(10, 10, kPlaceTopLeft);
    for (const auto& c : cases) {
        dialog->SetRect(c.asked);
        EXPECT_EQ(dialog->GetRect(), c.kept) << c.what;
        EXPECT_EQ(dialog->GetScreenRect(), c.kept) << c.what;
    }
    // Centred, a dialog taller than the page would put its caption above the screen.
    EXPECT_EQ(OpenDialog(300, 520, kPlaceCentred)->GetRect(), (CIntRect{170, 0, 470, 520}));
    // Inside a dialog the rule does not apply: its controls may lie where the dialog scrolls.
    auto* inner = new CJWindow(dialog, "inner");
    inner->SetRect({-20, 700, 0, 720});
    dialog->AddChild(inner, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    EXPECT_EQ(inner->GetRect(), (CIntRect{-20, 700, 0, 720}));
}

TEST_F(PageRule, DraggingATitledWindowStopsAtTheEdges)
{
    // A titled window (a message, say) drags; a dialog does not.
    auto* dialog = new CJTitledWindow(nullptr, "Message");
    dialog->SetRect({0, 0, 200, 100});
    m_screen->OpenModalWindow(dialog, kPlaceCentred);
    const CIntRect start = dialog->GetScreenRect();
    // Pressed on the caption, dragged far past the bottom-right corner of the screen.
    Step({MoveTo(start.m_left + 50, start.m_top + 5)});
    Step({kPress});
    for (int i = 1; i <= 12; ++i)
        Step({MoveTo(start.m_left + 50 + 40 * i, start.m_top + 5 + 40 * i)});
    Step({kRelease});
    EXPECT_EQ(dialog->GetRect(), (CIntRect{440, 380, 640, 480}));
}

} // namespace
