#include "shell/dialogs/PlayerDialog.h"

#include "foundation/LocalizedString.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "shell/Game.h"
#include "shell/SpriteWindow.h"
#include "shell/dialogs/DialogButton.h"
#include "shell/dialogs/SelectPlayerDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"

namespace {

CLocalizedString s_newPlayerName("New Player", "The name a new player profile starts with");
CLocalizedString s_name("Name:");
CLocalizedString s_save("Save");
CLocalizedString s_cancel("Cancel");
CLocalizedString s_newProfileNotSaved("The new player profile was not saved.");
CLocalizedString s_changedProfileNotSaved("The changes to the player profile were not saved.");
constexpr int32_t kSaveOffset = 6;

} // namespace

CPlayerDialog::CPlayerDialog(CJWindow* parent, const char* caption, CStats* stats, CPlayerStats* profile)
    : CJDialog(parent, caption), m_stats(stats), m_profile(profile)
{
    if (!m_profile) {
        m_profile = new CPlayerStats;
        m_profile->SetPropertiesToDefaults();
        m_profile->SetName(s_newPlayerName.CStr());
        m_ownsProfile = true;
        m_returnToSelect = true;
    }
    m_shipStyle = m_profile->GetShipStyle();
    auto* label = new CJLabel(this, s_name.CStr());
    AddChild(label, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_name = new CJEditField(this, m_profile->GetName().CStr());
    m_name->SetWidth(kNameWidth);
    AddChild(m_name, kPlaceRightOfPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_preview = new SpriteWindow(this, MakePreviewSprite());
    AddChild(m_preview, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_next = new CJButton(this, ">", nullptr);
    AddChild(m_next, kPlaceRightOf, m_preview, kDefaultOffset, kDefaultOffset, 0);
    m_previous = new CJButton(this, "<", nullptr);
    AddChild(m_previous, kPlaceLeftOf, m_preview, kDefaultOffset, kDefaultOffset, 0);
    for (CJButton* arrow : {m_next, m_previous})
        arrow->SetY(m_preview->GetRect().m_bottom - arrow->GetHeight());
    m_save = MakeDialogButton(this, s_save.CStr());
    AddChild(m_save, kPlaceBelow, m_preview, kDefaultOffset, kSaveOffset, 0);
    m_cancel = MakeDialogButton(this, s_cancel.CStr());
    AddChild(m_cancel, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    LayOutButtonRow(m_save, m_cancel, 0);
    ActivateChild(m_name);
    m_defaultButton = m_save;
    m_cancelButton = m_cancel;
}

CPlayerDialog::~CPlayerDialog()
{
    if (m_ownsProfile)
        delete m_profile;
}

CSprite* CPlayerDialog::MakePreviewSprite() const
{
    // No control set: the preview never follows the mouse, fires or serves into the playfield.
    auto* sprite = new CAnimatedSprite;
    auto* ship = new CShipAI(sprite, nullptr, m_shipStyle);
    sprite->AddAI(ship);
    ship->Update(sprite, 0);
    return sprite;
}

void CPlayerDialog::ChangeStyle(bool next)
{
    if (next)
        m_shipStyle = m_shipStyle + 1 >= kStyleCount ? 0 : m_shipStyle + 1;
    else
        m_shipStyle = m_shipStyle == 0 ? kStyleCount - 1 : m_shipStyle - 1;
    m_preview->SetSprite(MakePreviewSprite());
}

void CPlayerDialog::Save()
{
    m_profile->SetName(m_name->GetText());
    m_profile->SetShipStyle(m_shipStyle);
    CStats* stats = m_stats;
    if (!stats)
        return;
    const bool created = m_ownsProfile;
    if (created) {
        stats->AddPlayer(m_profile);
        m_ownsProfile = false;
    }
    const bool saved = stats->Save();
    TellStatsSaveOutcome(*stats, saved, created ? s_newProfileNotSaved : s_changedProfileNotSaved);
}

void CPlayerDialog::Leave()
{
    if (m_returnToSelect)
        ReplaceWithNow(new CSelectPlayerDialog(GetParent()), true);
    else
        RequestClose();
}

void CPlayerDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (sender == m_next || sender == m_previous) {
        ChangeStyle(sender == m_next);
    } else if (sender == m_save) {
        Save();
        Leave();
    } else if (sender == m_cancel) {
        Leave();
    } else {
        CJDialog::OnCommand(sender, code);
    }
}
