// The video and background options dialogs on a headless display: the brightness slider's scale,
// "Fix Colors" there and back, the Info page at 8 bits, and the background choice.
#include "OptionsDialogTestSupport.h"
#include "graphics/ScreenFrame.h"
#include "objects/ValueNameList.h"
#include "shell/BackgroundDetail.h"
#include "shell/dialogs/BackgroundOptionsDialog.h"
#include "ui/JButton.h"
#include "ui/JDropDownBox.h"
#include "ui/JSlider.h"
#include "ui/JTabControl.h"
#include "ui/controls/JLabel.h"

#include <cstdlib>

namespace {

class VideoOptionsDialog : public OptionsDialogTest
{
protected:
    void SetMode(int32_t depth)
    {
        int32_t width = 640, height = 480;
        ASSERT_TRUE(m_display.SetDisplayMode(width, height, depth, depth));
    }
    float StoredBrightness() { return std::strtof(Stored("Screen Brightness").c_str(), nullptr); }

    CScreenFrame m_display;
};

TEST_F(VideoOptionsDialog, TheSliderScalesTheBrightnessAndOpensAtTheStoredOne)
{
    SetMode(16);
    const struct
    {
        int32_t position;
        float brightness;
    } cases[] = {{40, 1.2f}, {0, 1.0f}, {100, 1.5f}, {1, 1.005f}};
    CVideoOptionsDialog* dialog = OpenVideoOptionsDialog(m_screen.get());
    for (const auto& c : cases) {
        dialog->GetBrightnessSlider()->SetValue(c.position, false);
        EXPECT_FLOAT_EQ(m_display.GetBrightness(), c.brightness) << c.position;
        EXPECT_NEAR(StoredBrightness(), c.brightness, 1e-5f) << c.position;
    }
    dialog->Close();
    m_display.SetBrightness(1.5f);
    dialog = OpenVideoOptionsDialog(m_screen.get());
    EXPECT_EQ(dialog->GetBrightnessSlider()->GetValue(), 100);
    EXPECT_EQ(dialog->GetTabs()->GetCurrentPage(), 0u);
}

TEST_F(VideoOptionsDialog, FixColorsTwiceRestoresTheKeyTheFlagAndTheReadout)
{
    SetMode(16);
    const bool was565 = m_display.Is565();
    const std::string key = Stored("Use Legacy Color Mode2");
    CVideoOptionsDialog* dialog = OpenVideoOptionsDialog(m_screen.get());
    ASSERT_NE(dialog->GetPixelFormatReadout(), nullptr);
    const std::string readout = dialog->GetPixelFormatReadout()->GetText();
    EXPECT_EQ(readout, was565 ? "565" : "555");

    dialog->GetFixColorsButton()->Click();
    EXPECT_NE(m_display.Is565(), was565);
    EXPECT_NE(Stored("Use Legacy Color Mode2"), key);
    EXPECT_EQ(std::string(dialog->GetPixelFormatReadout()->GetText()),
              std::string(was565 ? "555" : "565") + " Legacy Mode");

    dialog->GetFixColorsButton()->Click();
    EXPECT_EQ(m_display.Is565(), was565);
    EXPECT_EQ(Stored("Use Legacy Color Mode2"), key);
    EXPECT_EQ(dialog->GetPixelFormatReadout()->GetText(), readout);
}

TEST_F(VideoOptionsDialog, AtEightBitsTheBackBuffersStartTheInfoPage)
{
    SetMode(8);
    CVideoOptionsDialog* dialog = OpenVideoOptionsDialog(m_screen.get());
    EXPECT_EQ(dialog->GetPixelFormatReadout(), nullptr);
    const CIntRect& label = dialog->GetBackBuffersLabel()->GetRect();
    for (CJWindow* child = dialog->GetInfoPage()->GetFrontChild(); child; child = child->GetNextSibling())
        EXPECT_GE(child->GetRect().m_top, label.m_top) << child->GetText();
    const std::string readout = dialog->GetBackBuffersReadout()->GetText();
    EXPECT_NE(readout.find(" In "), std::string::npos) << readout;
    EXPECT_EQ(readout.substr(0, readout.find(' ')), std::to_string(m_display.GetBackBufferCount()));
}

TEST_F(VideoOptionsDialog, TheBackgroundChoiceIsListedOnceAndAppliesAtOnce)
{
    SetMode(16);
    WriteSettings("Background Detail Level=1\r\n");
    CBackgroundOptionsDialog* dialog = OpenBackgroundOptionsDialog(m_screen.get());
    EXPECT_EQ(dialog->GetBackgroundChoice()->GetSelectedId(), 1u);
    dialog->Close();
    dialog = OpenBackgroundOptionsDialog(m_screen.get());
    const CValueNameList& names = CBackgroundOptionsDialog::GetBackgroundNames();
    ASSERT_EQ(names.GetCount(), 3u);
    EXPECT_STREQ(names.GetItemName(0), "No Background Image");
    EXPECT_STREQ(names.GetItemName(1), "Still Background Image");
    EXPECT_STREQ(names.GetItemName(2), "Animated Background");

    dialog->GetBackgroundChoice()->SelectItemById(2);
    EXPECT_EQ(GetGameBackgroundDetailLevel(), 2);
    EXPECT_EQ(Stored("Background Detail Level"), "2");
    EXPECT_TRUE(dialog->IsVisible());
    // The tabs grew for the new row, and " &Done " stays below them.
    EXPECT_LE(dialog->GetTabs()->GetRect().m_bottom, dialog->GetDoneButton()->GetRect().m_top);
    dialog->GetBrightnessSlider()->SetValue(40, false);
    EXPECT_FLOAT_EQ(m_display.GetBrightness(), 1.2f);
}

} // namespace
