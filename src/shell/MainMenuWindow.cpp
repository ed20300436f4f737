#include "shell/MainMenuWindow.h"

#include "foundation/Win32Services.h"
#include "shell/Game.h"
#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"

#include <algorithm>

namespace {

constexpr int32_t kFirstButtonX = 357;
constexpr int32_t kFirstButtonY = 27;
// A "Normal" game from the first round.
constexpr uint32_t kNormal = 1;
constexpr uint32_t kFirstRound = 0;

CMainMenuWindow* s_open = nullptr;

CJButton* MakeButton(CJWindow* parent, const char* text)
{
    auto* button = new CJButton(parent, text, nullptr);
    if (CJThemeButtonPart* part = button->GetThemePart())
        part->AutoSize();
    return button;
}

} // namespace

CMainMenuWindow::CMainMenuWindow() : CJDialog(nullptr, "")
{
    SetRectXYWH(0, 0, kWidth, kHeight);
    m_play = MakeButton(this, "&Play Game");
    AddChild(m_play, kPlaceTopLeftSpaced, nullptr, kFirstButtonX, kFirstButtonY, kPlacePixelOffsets | kPlaceNoGrow);
    m_exit = MakeButton(this, "E&xit Game");
    AddChild(m_exit, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    // The buttons from the first to the last as wide as the widest.
    const int32_t width = std::max(m_play->GetWidth(), m_exit->GetWidth());
    for (CJButton* button : {m_play, m_exit})
        button->SetSize(width, button->GetHeight());
    ActivateChild(m_play);
    m_defaultButton = m_play;
    s_open = this;
}

CMainMenuWindow::~CMainMenuWindow()
{
    if (s_open == this)
        s_open = nullptr;
}

void CMainMenuWindow::Update(float seconds)
{
    if (m_rebuildRequested) {
        ReplaceWithNow(new CMainMenuWindow, false);
        return;
    }
    CJDialog::Update(seconds);
}

void CMainMenuWindow::Draw(COffsetClippedProxyFrame* frame)
{
    CJWindow::Draw(frame);
}

void CMainMenuWindow::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (sender == m_play) {
        CGame* game = GetGame();
        CJDialog::Close();
        if (game)
            game->StartNewGame(kNormal, kFirstRound);
    } else if (sender == m_exit) {
        CJDialog::Close();
        CloseMainWindow();
    }
}

void CMainMenuWindow::CloseOpen()
{
    if (s_open)
        s_open->CJDialog::Close();
}

CMainMenuWindow* CMainMenuWindow::GetOpen()
{
    return s_open;
}

void CMainMenuWindow::RequestRebuild()
{
    if (s_open)
        s_open->m_rebuildRequested = true;
}
