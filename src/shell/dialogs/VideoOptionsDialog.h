#pragma once
// The "Configure Video" dialog: a "General" page with the brightness slider and an "Info" page
// with the pixel format (16-bit displays), the back buffers and "Fix Colors", which swaps the
// reading of 16-bit pixels between 5-6-5 and 5-5-5. Changes apply at once and are written to the
// settings file; the application is told through a gamma-changed message so that it redraws.
//
// The rule a caller must know: it works on the process's display frame; without one the slider
// and "Fix Colors" only write the settings.
#include "ui/controls/JDialog.h"

class CJButton;
class CJLabel;
class CJSlider;
class CJTabControl;
class CScreenFrame;

class CVideoOptionsDialog : public CJDialog
{
public:
    // Positions 0 .. 100 cover the brightness 1.0 .. 1.5.
    static constexpr uint32_t kBrightnessPositions = 101;

    explicit CVideoOptionsDialog(CJWindow* parent);
    ~CVideoOptionsDialog() override;

    void OnCommand(CJWindow* sender, int32_t code) override;

    CJSlider* GetBrightnessSlider() const { return m_slider; }
    CJButton* GetFixColorsButton() const { return m_fixColors; }
    CJTabControl* GetTabs() const { return m_tabs; }
    CJWindow* GetGeneralPage() const { return m_general; }
    CJWindow* GetInfoPage() const { return m_info; }
    // Null on displays that are not 16-bit.
    CJLabel* GetPixelFormatReadout() const { return m_pixelFormat; }
    CJLabel* GetBackBuffersLabel() const { return m_backBuffersLabel; }
    CJLabel* GetBackBuffersReadout() const { return m_backBuffers; }
    CJButton* GetDoneButton() const { return m_done; }

    // The slider's position for a brightness and back.
    static int32_t BrightnessToPosition(float brightness);
    static float PositionToBrightness(int32_t position);

protected:
    // After a derived dialog added controls to a page: the tabs fit their pages again and
    // " &Done " goes back below them.
    void RefitPages();

private:
    void RefreshPixelFormat();
    void FixColors();

    CJLabel* m_brightnessLabel = nullptr;
    CJSlider* m_slider = nullptr;
    CJButton* m_fixColors = nullptr;
    CJTabControl* m_tabs = nullptr;
    CJWindow* m_general = nullptr;
    CJWindow* m_info = nullptr;
    CJLabel* m_backBuffersLabel = nullptr;
    CJLabel* m_backBuffers = nullptr;
    CJLabel* m_pixelFormatLabel = nullptr;
    CJLabel* m_pixelFormat = nullptr;
    CJButton* m_done = nullptr;
};

// Sends the application the gamma-changed message with the brightness, 0 after a change of colour
// mode (nothing without an application).
void SendChangedGamma(float brightness);
// Opens the dialog modally and centred over the parent; answers it.
CVideoOptionsDialog* OpenVideoOptionsDialog(CJWindow* parent);
