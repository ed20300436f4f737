// The game's dialogs moved by queued pointer events: a muted "Mute" button unlike one at rest,
// brightness offered only where it acts, nothing lit behind a modal window, texts that fit.
#include "DepthRun.h"
#include "graphics/Font.h"
#include "shell/OptionsMenu.h"
#include "shell/dialogs/BackgroundOptionsDialog.h"
#include "shell/dialogs/InternetConnectionDialog.h"
#include "shell/dialogs/InternetConnectionPanel.h"
#include "shell/dialogs/SoundOptionsDialog.h"
#include "ui/AlphaSkinBorder.h"
#include "ui/AlphaSkinData.h"
#include "ui/JSlider.h"
#include "ui/JToggleButton.h"
#include "ui/JWindowAlphaTheme.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JMessageWindow.h"

#ifdef VANTOREL_DATA_DIR
namespace {

using platform::EventType;

class DialogLooks : public DepthRun
{
protected:
    template <class T>
    T* Top() const
    {
        return dynamic_cast<T*>(m_game->GetScreenWindow()->GetModalWindow());
    }
    void Mouse(EventType type, int32_t x, int32_t y)
    {
        Queue(platform::Event::Mouse(type, x, y, platform::kMouseLeft));
        Step(2);
    }
    // The thumb taken by its middle and let go at x.
    void Drag(CJSlider* slider, int32_t x)
    {
        const CIntRect& r = slider->GetScreenRect();
        const int32_t from = r.m_left + slider->GetThumbX() + slider->GetThumbWidth() / 2, y = r.m_top + 5;
        for (auto [type, at] : {std::pair{EventType::MouseMove, from}, std::pair{EventType::MouseDown, from},
                                std::pair{EventType::MouseMove, x}, std::pair{EventType::MouseUp, x}})
            Mouse(type, at, y);
    }
    COptionsMenu* OpenOptions(uint32_t depth)
    {
        Start(depth);
        Step(300);
        Click(CMainMenuWindow::GetOpen()->GetButton(2)->GetScreenRect());
        return Top<COptionsMenu>();
    }
};

TEST_F(DialogLooks, MuteButtonsAndTheBrightnessRowAtEveryDepth)
{
    for (uint32_t depth : {16u, 24u, 32u, 8u}) {
        COptionsMenu* options = OpenOptions(depth);
        Click(options->GetSoundButton()->GetScreenRect());
        CSoundOptionsDialog* sound = Top<CSoundOptionsDialog>();
        CJToggleButton* master = sound->GetMute(CSoundOptionsDialog::kMaster);
        Click(master->GetScreenRect());
        Mouse(EventType::MouseMove, 2, 2);
        ASSERT_TRUE(master->IsChecked());
        // Most of the muted button's face differs plainly from the face of one at rest.
        const std::vector<uint32_t> muted = Shown(master->GetScreenRect()),
                                    rest = Shown(sound->GetMute(CSoundOptionsDialog::kEffects)->GetScreenRect());
        size_t plain = 0;
        for (size_t i = 0; i < muted.size(); ++i)
            plain += std::abs(int(muted[i] >> 16 & 255) - int(rest[i] >> 16 & 255)) > 40;
        EXPECT_GT(plain, muted.size() / 2) << depth;
        Click(master->GetScreenRect());
        Click(sound->GetDone()->GetScreenRect());
        // Brightness acts at 8 and 16 bits only; elsewhere its slider takes no drag.
        Click(options->GetVideoButton()->GetScreenRect());
        CJSlider* brightness = Top<CBackgroundOptionsDialog>()->GetBrightnessSlider();
        const bool acts = depth == 8 || depth == 16;
        for (auto [x, value] : {std::pair{639, acts ? 100 : 0}, std::pair{0, 0}}) {
            Drag(brightness, x);
            EXPECT_EQ(brightness->GetValue(), value) << depth;
        }
    }
}

TEST_F(DialogLooks, NothingLightsBehindAModalWindow)
{
    // "Play Game" behind a message stays dark under the pointer; once the message is gone it lights.
    Start(16);
    Step(300);
    CMenuButton* play = CMainMenuWindow::GetOpen()->GetButton(0);
    CJMessageWindow* message = m_game->GetScreenWindow()->ShowMessageText("Game Suspended", "Suspended.");
    Mouse(EventType::MouseMove, play->GetScreenRect().m_left + 20, play->GetScreenRect().m_top + 10);
    EXPECT_FALSE(play->IsHovered());
    Click(message->GetOkButton()->GetScreenRect());
    Mouse(EventType::MouseMove, play->GetScreenRect().m_left + 21, play->GetScreenRect().m_top + 11);
    EXPECT_TRUE(play->IsHovered());

    // A button under the pointer when a message opens shows its face at rest behind a message
    // (compared right of where the pointer is drawn), however the pointer moves over it.
    Click(CMainMenuWindow::GetOpen()->GetButton(2)->GetScreenRect());
    const CIntRect r = Top<COptionsMenu>()->GetSoundButton()->GetScreenRect();
    const CIntRect face{r.m_left + 24, r.m_top, r.m_right, r.m_bottom};
    std::vector<uint32_t> rest;
    for (CIntPoint at : {CIntPoint{2, 2}, CIntPoint{r.m_left + 4, r.m_top + 4}}) {
        Mouse(EventType::MouseMove, at.m_x, at.m_y);
        message = m_game->GetScreenWindow()->ShowMessageText("Game Suspended", "Suspended.");
        for (int x : {0, 2}) {
            Mouse(EventType::MouseMove, at.m_x + x, at.m_y + x);
            EXPECT_EQ(rest.empty() ? (rest = Shown(face)) : Shown(face), rest) << at.m_x + x;
        }
        Click(message->GetOkButton()->GetScreenRect());
    }
}

TEST_F(DialogLooks, ButtonTextsAndTitlesFit)
{
    Click(OpenOptions(16)->GetUpdatesButton()->GetScreenRect());
    CInternetConnectionPanel* panel = Top<CInternetConnectionDialog>()->GetPanel();
    // The question's answers, then the help's (its button pressed as a player presses it).
    for (CJButton* middle : {panel->GetHelpButton(), panel->GetDialButton()}) {
        if (middle == panel->GetDialButton())
            Click(panel->GetHelpButton()->GetScreenRect());
        for (CJButton* button : {panel->GetConnectedButton(), middle, panel->GetBackButton()})
            EXPECT_LE(button->GetFont()->GetTextWidth(button->GetText()) + 2, button->GetWidth()) << button->GetText();
    }
    // The version check's title clear of the caption's corner highlights (the close button's widest).
    auto* message =
        new CJMessageWindow("Getting Version Info From Server", "Unable to Connect", m_game->GetScreenWindow());
    m_game->GetScreenWindow()->OpenModalWindow(message, kPlaceCentred);
    CAlphaSkinData* skin = dynamic_cast<CJWindowAlphaTheme&>(*message->GetTheme()).GetOptions();
    const CFrame* glow = dynamic_cast<CAlphaSkinBorder&>(*skin->GetWindowBorder())
                             .GetHighlightImage(CAlphaSkinBorder::kSpecialTopRightHighlight);
    EXPECT_LE(skin->GetHeadingFont()->GetTextWidth(message->GetText()) - 2 * glow->GetLeft(), message->GetWidth());
}

} // namespace
#endif
