#include "shell/dialogs/VideoOptionsDialog.h"

#include "shell/dialogs/DialogButtons.h"
#include "app/ApplicationBase.h"
#include "foundation/ConfigFile.h"
#include "foundation/LocalizedString.h"
#include "graphics/ScreenFrame.h"
#include "objects/ChangedGammaMessage.h"
#include "ui/JButton.h"
#include "ui/JSlider.h"
#include "ui/JTabControl.h"
#include "ui/controls/JLabel.h"

#include <cstdio>

namespace {

CLocalizedString s_title("Configure Video");
CLocalizedString s_generalText("General");
CLocalizedString s_infoText("Info");
CLocalizedString s_brightnessText("   &Brightness:");
CLocalizedString s_pixelFormatText("Pixel Format:");
CLocalizedString s_backBuffersText("Back Buffers:");
CLocalizedString s_videoMemoryText("In Video memory");
CLocalizedString s_systemMemoryText("In System memory");
CLocalizedString s_doneText(" &Done ");
CLocalizedString s_fixColorsText("Fix Colors");
// Registered for translators; no control shows them.
CLocalizedString s_colorsText("&Colors:");
CLocalizedString s_resolutionText("&Resolution:");
CLocalizedString s_colorsChangeTitle("Number of Colors Change");
CLocalizedString s_colorsChangeText(
    "The change to the number of colors will not take\neffect until next time the game is restarted.");

constexpr const char* kBrightnessKey = "Screen Brightness";
constexpr const char* kLegacyColorKey = "Use Legacy Color Mode2";
constexpr int32_t kDoneOffsetUnits = 6;

int ReadSetting(const char* key, int defaultValue)
{
    return ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), key, defaultValue);
}

} // namespace

void SendChangedGamma(float brightness)
{
    CChangedGammaMessage message(brightness);
    if (g_application)
        g_application->HandleMessage(&message);
}

int32_t CVideoOptionsDialog::BrightnessToPosition(float brightness)
{
    return static_cast<int32_t>((brightness - 1.0f) * 200.0f);
}

float CVideoOptionsDialog::PositionToBrightness(int32_t position)
{
    return static_cast<float>(position) * 0.5f * 0.01f + 1.0f;
}

CVideoOptionsDialog::CVideoOptionsDialog(CJWindow* parent) : CJDialog(parent, s_title)
{
    AddCloseButton();
    CScreenFrame* display = CScreenFrame::GetDisplayFrame();
    m_tabs = new CJTabControl(this);
    m_general = CJWindow::ConstructFromString(m_tabs, s_generalText);
    m_info = CJWindow::ConstructFromString(m_tabs, s_infoText);
    m_tabs->AddPage(m_general);
    m_tabs->AddPage(m_info);

    m_brightnessLabel = CJLabel::ConstructFromString(m_general, s_brightnessText);
    m_general->AddChild(m_brightnessLabel, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_slider = new CJSlider(m_general, kBrightnessPositions, 0);
    m_slider->SetValue(BrightnessToPosition(display ? display->GetBrightness() : 1.0f), true);
    m_slider->SetWidth(m_brightnessLabel->GetWidth());
    m_general->AddChild(m_slider, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    // Brightness acts through the palette at 8 bits and the blits at 16; at 24 and 32 bits it
    // would change nothing the player sees, so the row is offered dimmed.
    const bool brightnessActs = !display || display->GetBitsPerPixel() == 8 || display->GetBitsPerPixel() == 16;
    m_brightnessLabel->SetEnabled(brightnessActs);
    m_slider->SetEnabled(brightnessActs);

    if (display && display->GetBitsPerPixel() == 16) {
        m_pixelFormatLabel = CJLabel::ConstructFromString(m_info, s_pixelFormatText);
        m_info->AddChild(m_pixelFormatLabel, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
        m_pixelFormat = new CJLabel(m_info, "xxxxxxxxx");
        m_info->AddChild(m_pixelFormat, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
        RefreshPixelFormat();
    }
    m_backBuffersLabel = CJLabel::ConstructFromString(m_info, s_backBuffersText);
    if (m_pixelFormatLabel)
        m_info->AddChild(m_backBuffersLabel, kPlaceBelowRightAligned, m_pixelFormatLabel, kDefaultOffset,
                         kDefaultOffset, 0);
    else
        m_info->AddChild(m_backBuffersLabel, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    char text[128];
    std::snprintf(text, sizeof text, "%d %s", display ? static_cast<int>(display->GetBackBufferCount()) : 0,
                  display && display->IsInVideoMemory() ? s_videoMemoryText.CStr() : s_systemMemoryText.CStr());
    m_backBuffers = new CJLabel(m_info, text);
    m_info->AddChild(m_backBuffers, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_fixColors = SizedButton(CJButton::ConstructFromString(m_info, s_fixColorsText, nullptr));
    m_info->AddChild(m_fixColors, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);

    m_tabs->FitPages();
    AddChild(m_tabs, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_tabs->SelectPage(0, true);
    m_done = SizedButton(CJButton::ConstructFromString(this, s_doneText, nullptr));
    AddChild(m_done, kPlaceBelowCentred, m_tabs, 0, kDoneOffsetUnits, 0);
    m_defaultButton = m_done;
    m_cancelButton = m_done;
}

CVideoOptionsDialog::~CVideoOptionsDialog() = default;

void CVideoOptionsDialog::RefitPages()
{
    m_tabs->FitPages();
    m_done->Place(kPlaceBelowCentred, m_tabs, 0, kDoneOffsetUnits, 0);
}

void CVideoOptionsDialog::RefreshPixelFormat()
{
    CScreenFrame* display = CScreenFrame::GetDisplayFrame();
    if (!m_pixelFormat || !display)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "%s%s", display->Is565() ? "565" : "555",
                  ReadSetting(kLegacyColorKey, 0) ? " Legacy Mode" : "");
    m_pixelFormat->SetText(text);
}

void CVideoOptionsDialog::FixColors()
{
    WriteConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), kLegacyColorKey,
                   ReadSetting(kLegacyColorKey, 0) ? 0 : 1);
    if (CScreenFrame* display = CScreenFrame::GetDisplayFrame())
        display->SetIs565(!display->Is565());
    SendChangedGamma(0.0f);
    RefreshPixelFormat();
}

void CVideoOptionsDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && code == kCommandClicked) {
        if (sender == m_done) {
            Close();
            return;
        }
        if (sender == m_fixColors) {
            FixColors();
            return;
        }
    }
    if (sender && sender == m_slider && code == kCommandValueChanged) {
        const float brightness = PositionToBrightness(m_slider->GetValue());
        WriteConfigFloat(g_configFile.GetPath(), g_configFile.GetSection(), kBrightnessKey, brightness);
        if (CScreenFrame* display = CScreenFrame::GetDisplayFrame())
            display->SetBrightness(brightness);
        SendChangedGamma(brightness);
    }
    CJDialog::OnCommand(sender, code);
}

CVideoOptionsDialog* OpenVideoOptionsDialog(CJWindow* parent)
{
    auto* dialog = new CVideoOptionsDialog(parent);
    parent->OpenModalWindow(dialog, kPlaceCentred);
    return dialog;
}
