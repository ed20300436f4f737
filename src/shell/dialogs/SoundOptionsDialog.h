#pragma once
// The "Sound Options" dialog: master, effects and music volume rows (label, "Mute" toggle,
// slider), Stereo/Mono and Best/Faster, and "&DONE". Every change is applied to the sound system
// or the application's music volume at once and written to the settings file.
//
// The rule a caller must know: open it modally (OpenSoundOptionsDialog); it closes itself.
#include "ui/controls/JDialog.h"

class CJButton;
class CJSlider;
class CJToggleButton;

class CSoundOptionsDialog : public CJDialog
{
public:
    enum Row
    {
        kMaster,
        kEffects,
        kMusic,
        kRowCount
    };

    explicit CSoundOptionsDialog(CJWindow* parent);
    ~CSoundOptionsDialog() override;

    void OnCommand(CJWindow* sender, int32_t code) override;

    CJToggleButton* GetMute(Row row) const { return m_mute[row]; }
    CJSlider* GetSlider(Row row) const { return m_slider[row]; }
    CJButton* GetStereo() const { return m_stereo; }
    CJButton* GetMono() const { return m_mono; }
    CJButton* GetBest() const { return m_best; }
    CJButton* GetFaster() const { return m_faster; }
    CJButton* GetDone() const { return m_done; }

private:
    // Label, mute toggle and slider of one row, below the row before.
    void AddRow(Row row, const char* label, bool muted, int32_t position);
    // A pair of radio check buttons beside a label, stretched to end where the sliders end.
    void AddChoiceRow(const char* label, const char* first, const char* second, bool firstChecked,
                      CJButton*& firstButton, CJButton*& secondButton);
    void OnMuteClicked(Row row);
    void OnSliderMoved(Row row);

    CJWindow* m_label[kRowCount] = {};
    CJToggleButton* m_mute[kRowCount] = {};
    CJSlider* m_slider[kRowCount] = {};
    CJButton* m_stereo = nullptr;
    CJButton* m_mono = nullptr;
    CJButton* m_best = nullptr;
    CJButton* m_faster = nullptr;
    CJButton* m_done = nullptr;
};

// Opens the dialog modally and centred over the parent; answers it.
CSoundOptionsDialog* OpenSoundOptionsDialog(CJWindow* parent);
