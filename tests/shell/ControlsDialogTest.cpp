// The controls configuration dialog over the game's own control set and two headless joysticks:
// the device list, CANCEL with and without changes, capturing an input another action held, the
// force-feedback keys, tabs kept at 300 px with scrolling pages, and OK writing the bindings.
#include "OptionsDialogTestSupport.h"
#include "app/PlayerControls.h"
#include "shell/CreatePlayerControls.h"
#include "shell/dialogs/BindingButton.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/LoseChangesDialog.h"
#include "ui/JButton.h"
#include "ui/JTabControl.h"
#include "ui/JToggleButton.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JLabel.h"

#include <memory>
#include <string>

using namespace uitest;

namespace {

constexpr int kSpaceKey = 57, kPauseKey = 69;

class ControlsDialog : public OptionsDialogTest
{
protected:
    void SetUp() override
    {
        OptionsDialogTest::SetUp();
        Joysticks().RemoveAll();
        m_controls.reset(CreatePlayerControls(0));
    }
    void TearDown() override
    {
        m_screen.reset();
        m_controls.reset();
        Joysticks().RemoveAll();
        OptionsDialogTest::TearDown();
    }
    static platform::HeadlessJoysticks& Joysticks() { return platform::GetHeadlessBackend().GetHeadlessJoysticks(); }
    CControlsDialog* Open(CPlayerControls* controls)
    {
        CControlsDialog* dialog = OpenControlsDialog(m_screen.get(), controls);
        m_dialog.Watch(dialog);
        return dialog;
    }
    // The question opened over the dialog, or null.
    CLoseChangesDialog* Question()
    {
        for (CJWindow* w = m_screen->GetFrontChild(); w; w = w->GetNextSibling())
            if (auto* question = dynamic_cast<CLoseChangesDialog*>(w); question && question->IsVisible())
                return question;
        return nullptr;
    }
    std::string LabelOf(CControlsDialog* dialog, int action)
    {
        return dialog->GetBindingButtons()[static_cast<size_t>(action)]->GetLabel()->GetText();
    }

    std::unique_ptr<CPlayerControls> m_controls;
    CWindowWatch m_dialog{nullptr};
};

TEST_F(ControlsDialog, TheDeviceListHoldsTheMouseAndThePresentJoysticks)
{
    platform::JoystickCaps caps;
    caps.name = "Pad A";
    Joysticks().AddDevice(caps);
    caps.name = "Pad B";
    Joysticks().AddDevice(caps);
    Joysticks().SetAnswering(1, false);
    {
        CControlsDialog* dialog = Open(m_controls.get());
        const CValueNameList& devices = dialog->GetDevices();
        ASSERT_EQ(devices.GetCount(), 2u);
        EXPECT_STREQ(devices.GetItemName(0), "0: Mouse");
        EXPECT_STREQ(devices.GetItemName(1), "1: Pad A");
        EXPECT_EQ(devices.GetValue(1), 0u);
        dialog->GetOkButton()->Click();
        EXPECT_FALSE(m_dialog.IsAlive());
    }
    // The joystick that does not answer is listed while it is the current controller.
    m_controls->SelectController(1);
    CControlsDialog* dialog = Open(m_controls.get());
    ASSERT_EQ(dialog->GetDevices().GetCount(), 3u);
    EXPECT_STREQ(dialog->GetDevices().GetItemName(2), "2: Pad B");
}

TEST_F(ControlsDialog, CancelClosesAtOnceWithoutChangesAndAsksAfterOne)
{
    CControlsDialog* dialog = Open(m_controls.get());
    dialog->GetCancelButton()->Click();
    EXPECT_FALSE(m_dialog.IsAlive());
    EXPECT_EQ(Question(), nullptr);

    const CPlayerControls::Binding before = m_controls->GetBinding(kActionShoot);
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        if (!m_dialog.IsAlive())
            dialog = Open(m_controls.get());
        m_controls->SetBinding(kActionShoot, 30, 0, 0, 0);
        dialog->GetCancelButton()->Click();
        ASSERT_TRUE(m_dialog.IsAlive());
        CLoseChangesDialog* question = Question();
        ASSERT_NE(question, nullptr);
        (yes ? question->GetYesButton() : question->GetNoButton())->Click();
        Step();
        EXPECT_EQ(Question(), nullptr);
        EXPECT_EQ(m_dialog.IsAlive(), !yes);
        EXPECT_EQ(m_controls->GetBinding(kActionShoot).key, yes ? before.key : 30);
        EXPECT_EQ(m_controls->GetBinding(kActionShoot).mouseMask, yes ? before.mouseMask : 0u);
    }
}

TEST_F(ControlsDialog, TakingAnotherActionsInputRefreshesBothLabels)
{
    CControlsDialog* dialog = Open(m_controls.get());
    ASSERT_NE(LabelOf(dialog, kActionShoot).find("Space"), std::string::npos) << LabelOf(dialog, kActionShoot);
    ASSERT_EQ(m_controls->GetBinding(kActionTimeout).key, kPauseKey);
    CBindingButton* timeout = dialog->GetBindingButtons()[kActionTimeout];
    timeout->Click();
    ASSERT_TRUE(timeout->IsWaiting());
    EXPECT_FALSE(m_screen->IsInputOn());
    EXPECT_FALSE(timeout->PollCapture());
    Step({Key(EventType::KeyDown, kSpaceKey)});
    EXPECT_FALSE(timeout->PollCapture());
    Step({Key(EventType::KeyUp, kSpaceKey)});
    EXPECT_TRUE(timeout->PollCapture());
    EXPECT_FALSE(timeout->IsWaiting());
    EXPECT_TRUE(m_screen->IsInputOn());
    EXPECT_EQ(m_controls->GetBinding(kActionTimeout).key, kSpaceKey);
    EXPECT_EQ(m_controls->GetBinding(kActionShoot).key, 0);
    EXPECT_EQ(LabelOf(dialog, kActionShoot).find("Space"), std::string::npos) << LabelOf(dialog, kActionShoot);
    EXPECT_NE(LabelOf(dialog, kActionTimeout).find("Space"), std::string::npos) << LabelOf(dialog, kActionTimeout);
    EXPECT_EQ(LabelOf(dialog, kActionTimeout).find("Pause"), std::string::npos) << LabelOf(dialog, kActionTimeout);
}

TEST_F(ControlsDialog, OkWritesTheBindingsThatANewControlSetReadsBack)
{
    CControlsDialog* dialog = Open(m_controls.get());
    m_controls->SetBinding(kActionTimeout, 25, 0, 0, 0);
    dialog->GetOkButton()->Click();
    EXPECT_FALSE(m_dialog.IsAlive());
    const std::unique_ptr<CPlayerControls> reread(CreatePlayerControls(0));
    EXPECT_EQ(reread->GetBinding(kActionTimeout).key, 25);
    EXPECT_EQ(reread->GetBinding(kActionShoot).key, kSpaceKey);
}

TEST_F(ControlsDialog, ForceFeedbackKeysAndTheToggleWithoutADevice)
{
    EXPECT_EQ(std::string(GetForceFeedbackKey(-1).CStr()), "Enable ForceFeedback on Device Mouse");
    EXPECT_EQ(std::string(GetForceFeedbackKey(2).CStr()), "Enable ForceFeedback on Device 2");
    EXPECT_EQ(std::string(GetForceFeedbackKey(0).CStr()), "Enable ForceFeedback on Device 0");
    CControlsDialog* dialog = Open(m_controls.get());
    CJToggleButton* toggle = dialog->GetForceFeedbackToggle();
    EXPECT_FALSE(toggle->IsEnabled());
    EXPECT_FALSE(toggle->IsChecked());
    dialog->OnCommand(toggle, kCommandClicked);
    EXPECT_EQ(Stored("Enable ForceFeedback on Device Mouse"), "(missing)");
}

TEST_F(ControlsDialog, TenGroupsKeepTheTabsAt300PixelsWithScrollingPages)
{
    constexpr int kGroups = 10, kPerGroup = 12;
    CPlayerControls controls(false, 0, -1, kGroups * kPerGroup);
    std::vector<std::string> groups, actions;
    for (int g = 0; g < kGroups; ++g)
        groups.push_back("Group " + std::to_string(g));
    for (int i = 0; i < kGroups * kPerGroup; ++i)
        actions.push_back("Action " + std::to_string(i));
    for (int i = 0; i < kGroups * kPerGroup; ++i)
        controls.DefineAction(i, groups[static_cast<size_t>(i / kPerGroup)].c_str(), actions[static_cast<size_t>(i)].c_str(),
                              CPlayerControls::kOncePerPress, 0, 0, 0);
    CControlsDialog* dialog = Open(&controls);
    CJTabControl* tabs = dialog->GetTabs();
    EXPECT_EQ(tabs->GetPageCount(), static_cast<uint32_t>(kGroups));
    EXPECT_LE(tabs->GetHeight(), CControlsDialog::kMaximumTabHeight);
    for (uint32_t p = 0; p < tabs->GetPageCount(); ++p) {
        CJWindow* page = tabs->GetPage(p);
        EXPECT_GT(page->GetContentHeight(), page->GetHeight()) << p;
        ASSERT_NE(page->GetScrollState(), nullptr);
        EXPECT_TRUE(page->GetScrollState()->m_automaticBars);
    }
    // Every page's buttons share the widest one's width and stand at one left edge.
    CJWindow* page = tabs->GetPage(0);
    const CIntRect& first = dialog->GetBindingButtons()[0]->GetRect();
    for (int i = 1; i < kPerGroup; ++i) {
        EXPECT_EQ(dialog->GetBindingButtons()[static_cast<size_t>(i)]->GetRect().m_left, first.m_left);
        EXPECT_EQ(dialog->GetBindingButtons()[static_cast<size_t>(i)]->GetWidth(), first.GetWidth());
        EXPECT_EQ(dialog->GetBindingButtons()[static_cast<size_t>(i)]->GetParent(), page);
    }
    dialog->GetCancelButton()->Click();
    EXPECT_FALSE(m_dialog.IsAlive());
}

TEST_F(ControlsDialog, ADialogThatGoesWhileAButtonWaitsGivesTheScreenItsInputBack)
{
    CControlsDialog* dialog = Open(m_controls.get());
    const int key = m_controls->GetBinding(kActionShoot).key;
    dialog->GetBindingButtons()[kActionShoot]->Click();
    EXPECT_FALSE(dialog->GetBindingButtons()[kActionShoot]->PollCapture());
    ASSERT_FALSE(m_screen->IsInputOn());
    ASSERT_TRUE(m_controls->IsCapturing());
    dialog->Discard();
    EXPECT_FALSE(m_dialog.IsAlive());
    EXPECT_TRUE(m_screen->IsInputOn());
    // The capture ended with it, the binding as it was: the control sets poll again.
    EXPECT_FALSE(m_controls->IsCapturing());
    EXPECT_EQ(m_controls->GetBinding(kActionShoot).key, key);
}

TEST_F(ControlsDialog, WithoutControlsNothingWaits)
{
    CControlsDialog* dialog = Open(nullptr);
    EXPECT_TRUE(dialog->GetBindingButtons().empty());
    dialog->GetCancelButton()->Click();
    EXPECT_FALSE(m_dialog.IsAlive());
}

} // namespace
