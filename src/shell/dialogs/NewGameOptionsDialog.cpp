#include "shell/dialogs/NewGameOptionsDialog.h"

#include "foundation/LocalizedString.h"
#include "game/Playfield.h"
#include "shell/Game.h"
#include "shell/dialogs/CheckPointList.h"
#include "shell/dialogs/RoundButton.h"
#include "shell/stats/Stats.h"
#include "ui/JCheckButton.h"
#include "ui/JSeparator.h"
#include "ui/controls/JLabel.h"

#include <algorithm>

namespace {

CLocalizedString s_caption("New Game Options");
CLocalizedString s_difficulty("&Difficulty:");
CLocalizedString s_easy("Easy");
CLocalizedString s_normal("Normal");
CLocalizedString s_hard("Hard");
CLocalizedString s_insane("Insane");
CLocalizedString s_instruction("Click on the image of the round you would like to start from");
CLocalizedString s_lockedCaption("Round not enabled yet");
CLocalizedString s_lockedText("You cannot start from that round because you have not progressed that far in the game.  "
                              "Each time you beat a set of ten rounds, you earn the right to start future games at "
                              "the beginning of the next set of rounds.");
constexpr uint32_t kNormal = 1;

CPlayerStats* CurrentPlayer()
{
    CStats* stats = GetStats();
    return stats ? stats->GetCurrentPlayer() : nullptr;
}

} // namespace

CNewGameOptionsDialog::CNewGameOptionsDialog(CJWindow* parent) : CJDialog(parent, s_caption)
{
    if (CGame* game = GetGame())
        game->RequestBlankBackground(true);
    AddCloseButton();
    auto* label = new CJLabel(this, s_difficulty.CStr());
    AddChild(label, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    const CLocalizedString* names[kDifficultyCount] = {&s_easy, &s_normal, &s_hard, &s_insane};
    for (uint32_t i = 0; i < kDifficultyCount; ++i) {
        m_difficulty[i] = new CJCheckButton(this, *names[i], i == 0 ? nullptr : m_difficulty[i - 1]);
        AddChild(m_difficulty[i], kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    }
    CPlayerStats* player = CurrentPlayer();
    const uint32_t last = player ? player->GetLastDifficulty() : kNormal;
    if (last < kDifficultyCount)
        m_difficulty[last]->SetChecked(1);
    auto* instruction = new CJLabel(this, s_instruction.CStr());
    AddChild(instruction, kPlaceBelow, label, kDefaultOffset, kDefaultOffset, 0);
    AddRoundButtons(parent);
    m_cancelButton = GetCloseButton();
}

CNewGameOptionsDialog::~CNewGameOptionsDialog()
{
    if (CGame* game = GetGame())
        game->RequestBlankBackground(false);
}

void CNewGameOptionsDialog::AddRoundButtons(const CJWindow* page)
{
    m_holder = new CJWindow(this, "~StartingLevelButtonHolder");
    m_holder->SetSpacing(0);
    CPlayerStats* player = CurrentPlayer();
    CRoundButton* remembered = nullptr;
    CRoundButton* firstOfSet = nullptr;
    CRoundButton* previous = nullptr;
    uint32_t previousSet = 0;
    for (const CheckPointEntry& entry : ListCheckPoints()) {
        const bool unlocked = (entry.set == 0 && entry.checkPoint == 0) ||
                              (player && player->HasReachedCheckPoint(entry.set, entry.checkPoint));
        auto* button = new CRoundButton(m_holder, entry.set, entry.roundNumber, entry.image, !unlocked);
        m_roundButtons.push_back(button);
        if (!previous) {
            m_holder->AddChild(button, kPlaceTopLeft, nullptr, 0, 0, kPlacePixelOffsets);
            firstOfSet = button;
        } else if (entry.set != previousSet) {
            m_holder->AddChild(button, kPlaceBelow, firstOfSet, 0, kHolderSpacing, kPlacePixelOffsets);
            firstOfSet = button;
            // The second row, and with it every later one, starts one button further right.
            if (entry.set == 1)
                button->SetX(button->GetRect().m_right + kHolderSpacing);
        } else {
            m_holder->AddChild(button, kPlaceRightOf, previous, kHolderSpacing, 0, kPlacePixelOffsets);
        }
        previous = button;
        previousSet = entry.set;
        if (player && entry.set == player->GetLastRoundSet() && entry.checkPoint == player->GetLastCheckPoint())
            remembered = button;
    }
    m_holder->SetContentSize(m_holder->GetWidth(), m_holder->GetHeight());
    m_holder->SetSize(m_holder->GetWidth() + kHolderExtraWidth, kHolderHeight);
    m_holder->EnableScrollBars(true);
    auto* frame = new CJSeparator(this, 1, 1);
    frame->SetSpacing(0);
    frame->AddChild(m_holder, kPlaceTopLeft, nullptr, kHolderSpacing, kHolderSpacing, kPlacePixelOffsets);
    AddChild(frame, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    FitOnPage(page, frame);
    if (remembered) {
        m_defaultButton = remembered;
        ActivateChild(frame);
        m_holder->ActivateChild(remembered);
    }
}

void CNewGameOptionsDialog::FitOnPage(const CJWindow* page, CJWindow* frame)
{
    // The holder's height was chosen for other fonts: with taller rows above it the dialog, shown
    // at kShownY, would run off the screen's bottom. It gives up what is too much, keeping a row
    // of buttons in view (it scrolls the rest), so that the dialog ends kBottomGap above the bottom.
    const int32_t pageHeight = page && page->GetHeight() > 0 ? page->GetHeight() : kPageHeight;
    const int32_t excess = GetHeight() - (pageHeight - kShownY - kBottomGap);
    const int32_t row = m_roundButtons.empty() ? 0 : m_roundButtons.front()->GetHeight() + 2 * kHolderSpacing;
    const int32_t cut = std::min(excess, m_holder->GetHeight() - row);
    if (cut <= 0)
        return;
    m_holder->SetHeight(m_holder->GetHeight() - cut);
    frame->SetHeight(frame->GetHeight() - cut);
    SetHeight(GetHeight() - cut);
}

void CNewGameOptionsDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code == kCommandFirstShown) {
        SetY(kShownY);
        return;
    }
    if (code == kCommandClicked && sender && sender->GetParent() == m_holder) {
        OnRoundButton(sender);
        return;
    }
    CJDialog::OnCommand(sender, code);
}

void CNewGameOptionsDialog::OnRoundButton(CJWindow* sender)
{
    const std::vector<CheckPointEntry> entries = ListCheckPoints();
    for (uint32_t i = 0; i < m_roundButtons.size() && i < entries.size(); ++i) {
        if (m_roundButtons[i] != sender)
            continue;
        if (m_roundButtons[i]->ShowsDisabledLook()) {
            ShowMessage(this, s_lockedCaption, s_lockedText);
            return;
        }
        m_chosenSet = entries[i].set;
        m_chosenCheckPoint = entries[i].checkPoint;
        StartGame();
        return;
    }
}

void CNewGameOptionsDialog::StartGame()
{
    uint32_t difficulty = kNormal;
    for (uint32_t i = 0; i < kDifficultyCount; ++i)
        if (m_difficulty[i]->IsChecked())
            difficulty = i;
    CPlayerStats* player = CurrentPlayer();
    if (player) {
        player->SetLastRoundSet(m_chosenSet);
        player->SetLastCheckPoint(m_chosenCheckPoint);
    }
    uint32_t roundNumber = 0;
    for (const CheckPointEntry& entry : ListCheckPoints())
        if (entry.set == m_chosenSet && entry.checkPoint == m_chosenCheckPoint)
            roundNumber = entry.roundNumber;
    const uint32_t round = CPlayfield::ToAbsoluteRound(m_chosenSet, roundNumber);
    // From here on only locals: closing deletes this dialog.
    DiscardStack();
    Close();
    if (player)
        player->SetLastDifficulty(difficulty);
    if (CGame* game = GetGame())
        game->StartNewGame(difficulty, round);
}
