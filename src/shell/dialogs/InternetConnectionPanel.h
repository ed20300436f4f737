#pragma once
// The question asked before every online operation: is this computer connected to the Internet?
// The player confirms (once per run, or for good with "I'm Always Connected"), or asks for help
// first; the answer then runs the panel's action, which does the online work. When the transfer
// library is missing the panel only says so, and its parent closes once that message is gone.
//
// The rule a caller must know: the panel owns its action and runs it at most once per answer;
// a transfer that later loses the connection makes an open panel ask again.
#include "foundation/LocalizedString.h"
#include "foundation/SharedString.h"
#include "ui/JWindow.h"
#include "ui/WindowWatch.h"

#include <memory>

class CCallback;
class CJButton;
class CJLabel;
class CJToggleButton;

extern CLocalizedString g_connectToInternetText;

class CInternetConnectionPanel : public CJWindow
{
public:
    // The configuration key that answers the question for good.
    static constexpr const char* kAlwaysConnectedKey = "Always Connected";

    // action may be null (set later with SetAction). Unless noMinimizeButton, the first update
    // puts a button in the parent's top-right corner that minimises the game.
    CInternetConnectionPanel(CJWindow* parent, const char* message, CCallback* action, bool noMinimizeButton);
    ~CInternetConnectionPanel() override;

    // Deletes the old action and keeps the new one.
    void SetAction(CCallback* action);

    void Update(float seconds) override;
    void OnCommand(CJWindow* sender, int32_t code) override;

    CJButton* GetConnectedButton() const { return m_connectedButton; }
    CJButton* GetBackButton() const { return m_backButton; }
    CJButton* GetHelpButton() const { return m_helpButton; }
    CJButton* GetDialButton() const { return m_dialButton; }
    CJToggleButton* GetAlwaysConnectedToggle() const { return m_alwaysToggle; }
    CJLabel* GetLabel() const { return m_label; }
    bool IsFinished() const { return m_finished; }
    bool IsInHelpMode() const { return m_helpMode; }
    // The "Operation Not Supported" message while it is open.
    CJWindow* GetBlockingMessage() const { return m_blockingMessage.Get(); }

private:
    bool IsActionEnabled() const;
    void AddMinimizeButton();
    void Finish();
    void ShowQuestion();
    void ShowHelp();
    // The answers the mode shows, in one row under the toggle, each wide enough for its text.
    void LayOutAnswers();

    std::unique_ptr<CCallback> m_action;
    CSharedString m_message;
    CWindowWatch m_blockingMessage{nullptr};
    bool m_blocked = false;
    CJLabel* m_label = nullptr;
    CJToggleButton* m_alwaysToggle = nullptr;
    CJButton* m_connectedButton = nullptr;
    CJButton* m_helpButton = nullptr;
    CJButton* m_backButton = nullptr;
    CJButton* m_dialButton = nullptr;
    bool m_finished = false;
    bool m_helpMode = false;
    bool m_minimizeButtonDone;
};
