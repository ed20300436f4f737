#include "shell/dialogs/BackgroundOptionsDialog.h"

#include "foundation/LocalizedString.h"
#include "objects/ValueNameList.h"
#include "shell/BackgroundDetail.h"
#include "ui/JDropDownBox.h"
#include "ui/JListBox.h"
#include "ui/controls/JLabel.h"

namespace {

CLocalizedString s_backgroundText("Background:");
CLocalizedString s_noBackgroundText("No Background Image");
CLocalizedString s_stillBackgroundText("Still Background Image");
CLocalizedString s_animatedBackgroundText("Animated Background");

constexpr uint32_t kWidthLimit = 999999;

} // namespace

CValueNameList& CBackgroundOptionsDialog::GetBackgroundNames()
{
    static CValueNameList s_names;
    return s_names;
}

CBackgroundOptionsDialog::CBackgroundOptionsDialog(CJWindow* parent) : CVideoOptionsDialog(parent)
{
    CValueNameList& names = GetBackgroundNames();
    if (names.GetCount() == 0) {
        names.Add(s_noBackgroundText.CStr(), 0);
        names.Add(s_stillBackgroundText.CStr(), 1);
        names.Add(s_animatedBackgroundText.CStr(), 2);
    }
    CJWindow* page = GetGeneralPage();
    page->AddChild(CJLabel::ConstructFromString(page, s_backgroundText), kPlaceBelowPreviousRightAligned, nullptr,
                   kDefaultOffset, kDefaultOffset, 0);
    m_choice = new CJDropDownBox(page, &names, kWidthLimit);
    page->AddChild(m_choice, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_choice->SelectItemById(static_cast<uint32_t>(GetGameBackgroundDetailLevel()), true);
    RefitPages();
}

void CBackgroundOptionsDialog::OnCommand(CJWindow* sender, int32_t code)
{
    // The box passes its shown list's notifications on as they are.
    if (sender && (sender == m_choice || sender == m_choice->GetShownList()) && code == kCommandValueChanged)
        SetGameBackgroundDetailLevel(static_cast<int>(m_choice->GetSelectedId()));
    CVideoOptionsDialog::OnCommand(sender, code);
}

CBackgroundOptionsDialog* OpenBackgroundOptionsDialog(CJWindow* parent)
{
    auto* dialog = new CBackgroundOptionsDialog(parent);
    parent->OpenModalWindow(dialog, kPlaceCentred);
    return dialog;
}
