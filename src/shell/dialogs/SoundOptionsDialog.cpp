#include "shell/dialogs/SoundOptionsDialog.h"

#include "objects/DataNames.h"
#include "shell/dialogs/DialogButtons.h"
#include "app/ApplicationBase.h"
#include "foundation/LocalizedString.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "sound/SoundOptions.h"
#include "sound/SoundSystem.h"
#include "ui/JCheckButton.h"
#include "ui/JSlider.h"
#include "ui/JToggleButton.h"
#include "ui/controls/JLabel.h"

namespace {

CLocalizedString s_title("Sound Options");
CLocalizedString s_masterText("&Master Volume");
CLocalizedString s_effectsText("S&fx Volume", "sound effects volume");
CLocalizedString s_musicText("M&usic Volume");
CLocalizedString s_stereoLabel("&Stereo", "stereo/monophonic selection");
CLocalizedString s_mixingLabel("Sound Mi&xing", "Sound mixing quality selection");
CLocalizedString s_stereoText("Stereo", "Stereophonic");
CLocalizedString s_monoText("Mono", "monophonic");
CLocalizedString s_bestText("Best", "more accurate, but more sluggish");
CLocalizedString s_fasterText("Faster", "less accurate, but less sluggish");
CLocalizedString s_muteText(dataname::picture::kMute);
CLocalizedString s_doneText("&DONE");

constexpr int32_t kLabelColumnUnits = 125;
constexpr int32_t kDoneOffsetUnits = 8;

const char* const kMuteKeys[] = {kMasterMuteKey, kEffectsMuteKey, kMusicMuteKey};

// The interface image "Mute" of the frame list; null when the data set has none or it did not
// load (the list hands out an empty frame then).
CFrame* FindMuteImage()
{
    CFrameCollection& frames = CFrameCollection::GetInstance();
    const int index = frames.FindIndexByName(dataname::picture::kMute, -1);
    auto* image = index < 0 ? nullptr : dynamic_cast<CFrame*>(frames.GetItem(static_cast<uint32_t>(index)));
    return image && image->GetWidth() > 0 && image->GetHeight() > 0 ? image : nullptr;
}

void SetMusicVolume(int volume)
{
    if (!g_application)
        return;
    g_application->SetMusicVolume(volume);
    g_application->ApplyMusicVolume();
}

} // namespace

CSoundOptionsDialog::CSoundOptionsDialog(CJWindow* parent) : CJDialog(parent, s_title)
{
    AddRow(kMaster, s_masterText.CStr(), ReadSoundSetting(kMasterMuteKey, 0) != 0,
           VolumeToSliderPosition(ReadSoundSetting(kMasterVolumeKey, kDefaultMasterVolume)));
    AddRow(kEffects, s_effectsText.CStr(), ReadSoundSetting(kEffectsMuteKey, 0) != 0,
           EffectsScaleToSliderPosition(ReadSoundSettingFloat(kEffectsVolumeKey, kDefaultEffectsScale)));
    AddRow(kMusic, s_musicText.CStr(), ReadSoundSetting(kMusicMuteKey, 0) != 0,
           VolumeToSliderPosition(ReadSoundSetting(kMusicVolumeKey, kDefaultMusicVolume)));

    CSoundSystem* sound = CSoundSystem::GetInstance();
    AddChoiceRow(s_stereoLabel.CStr(), s_stereoText.CStr(), s_monoText.CStr(), sound->IsStereo(), m_stereo, m_mono);
    AddChoiceRow(s_mixingLabel.CStr(), s_bestText.CStr(), s_fasterText.CStr(),
                 sound->GetMaxVoices() != kFasterMixingChannels, m_best, m_faster);

    m_done = SizedButton(CJButton::ConstructFromString(this, s_doneText, nullptr));
    AddChild(m_done, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDoneOffsetUnits, 0);
    m_defaultButton = m_done;
    m_cancelButton = m_done;
}

CSoundOptionsDialog::~CSoundOptionsDialog() = default;

void CSoundOptionsDialog::AddRow(Row row, const char* label, bool muted, int32_t position)
{
    m_label[row] = new CJLabel(this, label);
    m_label[row]->SetWidth(kLabelColumnUnits * GetFontUnit());
    if (row == kMaster)
        AddChild(m_label[row], kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    else
        AddChild(m_label[row], kPlaceBelow, m_label[row - 1], kDefaultOffset, kDefaultOffset, 0);

    m_mute[row] = new CJToggleButton(this, s_muteText.CStr(), nullptr);
    if (CFrame* image = FindMuteImage())
        m_mute[row]->SetImage(image, false);
    m_mute[row]->SetChecked(muted ? 1 : 0);
    AddChild(m_mute[row], kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);

    m_slider[row] = new CJSlider(this, kVolumeSliderPositions, 0);
    m_slider[row]->SetValue(position, true);
    AddChild(m_slider[row], kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
}

void CSoundOptionsDialog::AddChoiceRow(const char* label, const char* first, const char* second, bool firstChecked,
                                       CJButton*& firstButton, CJButton*& secondButton)
{
    CJWindow* previousLabel = GetBackChild();
    while (previousLabel && !dynamic_cast<CJLabel*>(previousLabel))
        previousLabel = previousLabel->GetPrevSibling();
    auto* text = new CJLabel(this, label);
    text->SetWidth(kLabelColumnUnits * GetFontUnit());
    AddChild(text, kPlaceBelow, previousLabel, kDefaultOffset, kDefaultOffset, 0);

    firstButton = SizedButton(new CJCheckButton(this, first, nullptr));
    AddChild(firstButton, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    secondButton = SizedButton(new CJCheckButton(this, second, firstButton));
    AddChild(secondButton, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    (firstChecked ? firstButton : secondButton)->SetChecked(1);
    // The pair ends where the slider column ends.
    const CJWindow* slider = m_slider[kMaster];
    firstButton->StretchRun(secondButton, slider->GetRect().m_right - firstButton->GetRect().m_left);
}

void CSoundOptionsDialog::OnMuteClicked(Row row)
{
    const bool muted = m_mute[row]->IsChecked();
    WriteSoundSetting(kMuteKeys[row], muted ? 1 : 0);
    const int32_t position = m_slider[row]->GetValue();
    CSoundSystem* sound = CSoundSystem::GetInstance();
    switch (row) {
    case kMaster:
        sound->SetMasterVolume(muted ? CSoundSystem::kSilentVolume : SliderPositionToVolume(position));
        break;
    case kEffects:
        sound->SetEffectsScale(muted ? 0.0f : SliderPositionToEffectsScale(position));
        break;
    default:
        SetMusicVolume(muted ? CSoundSystem::kSilentVolume : SliderPositionToVolume(position));
        break;
    }
}

void CSoundOptionsDialog::OnSliderMoved(Row row)
{
    const int32_t position = m_slider[row]->GetValue();
    CSoundSystem* sound = CSoundSystem::GetInstance();
    switch (row) {
    case kMaster:
        sound->SetMasterVolume(SliderPositionToVolume(position));
        WriteSoundSetting(kMasterVolumeKey, SliderPositionToVolume(position));
        break;
    case kEffects:
        sound->SetEffectsScale(SliderPositionToEffectsScale(position));
        WriteSoundSettingFloat(kEffectsVolumeKey, SliderPositionToEffectsScale(position));
        break;
    default:
        WriteSoundSetting(kMusicVolumeKey, SliderPositionToVolume(position));
        SetMusicVolume(SliderPositionToVolume(position));
        break;
    }
    WriteSoundSetting(kMuteKeys[row], 0);
    m_mute[row]->SetChecked(0);
}

void CSoundOptionsDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && sender == m_done && code == kCommandClicked) {
        Close();
        return;
    }
    CSoundSystem* sound = CSoundSystem::GetInstance();
    if (sender && code == kCommandClicked) {
        if (sender == m_stereo || sender == m_mono) {
            sound->SetStereo(sender == m_stereo);
            WriteSoundSetting(kStereoKey, sender == m_stereo ? 1 : 0);
        } else if (sender == m_best || sender == m_faster) {
            const uint32_t channels = sender == m_best ? kBestMixingChannels : kFasterMixingChannels;
            WriteSoundSetting(kMixingChannelsKey, static_cast<int>(channels));
            sound->SetMaxVoices(channels);
        }
    }
    for (int row = 0; sender && row < kRowCount; ++row) {
        if (sender == m_mute[row] && code == kCommandClicked)
            OnMuteClicked(static_cast<Row>(row));
        else if (sender == m_slider[row] && code == kCommandValueChanged)
            OnSliderMoved(static_cast<Row>(row));
    }
    CJDialog::OnCommand(sender, code);
}

CSoundOptionsDialog* OpenSoundOptionsDialog(CJWindow* parent)
{
    auto* dialog = new CSoundOptionsDialog(parent);
    parent->OpenModalWindow(dialog, kPlaceCentred);
    return dialog;
}
