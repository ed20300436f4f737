#pragma once
// "New Game Options": the difficulty (four radio buttons) and the starting point, one button per
// checkpoint of every round set in a scrolling holder, one row per set. A checkpoint the current
// player has not reached is dimmed and only explains why; any other starts the game. The game's
// background stays blank while the dialog exists.
//
// The rule a caller must know: starting discards the dialogs stacked underneath and closes this
// one before the game starts.
#include "ui/controls/JDialog.h"

#include <vector>

class CJButton;
class CJCheckButton;
class CRoundButton;

class CNewGameOptionsDialog : public CJDialog
{
public:
    static constexpr uint32_t kDifficultyCount = 4;
    static constexpr int32_t kHolderHeight = 330;
    static constexpr int32_t kHolderExtraWidth = 20;
    static constexpr int32_t kHolderSpacing = 2;
    static constexpr int32_t kShownY = 32;
    // The screen's height when the dialog is made without one, and the least room the dialog
    // leaves below itself there.
    static constexpr int32_t kPageHeight = 480;
    static constexpr int32_t kBottomGap = 16;

    explicit CNewGameOptionsDialog(CJWindow* parent);
    ~CNewGameOptionsDialog() override;

    void OnCommand(CJWindow* sender, int32_t code) override;
    // Stores the choices in the current profile and starts the game from the chosen checkpoint.
    // This object is gone when it returns.
    void StartGame();

    CJCheckButton* GetDifficultyButton(uint32_t difficulty) const { return m_difficulty[difficulty]; }
    const std::vector<CRoundButton*>& GetRoundButtons() const { return m_roundButtons; }
    CJWindow* GetHolder() const { return m_holder; }

private:
    // The buttons in their holder, which is kHolderHeight high unless the dialog would then not
    // fit on the page (the screen window it is made for).
    void AddRoundButtons(const CJWindow* page);
    void FitOnPage(const CJWindow* page, CJWindow* frame);
    void OnRoundButton(CJWindow* sender);

    CJCheckButton* m_difficulty[kDifficultyCount] = {};
    std::vector<CRoundButton*> m_roundButtons;
    uint32_t m_chosenSet = 0;
    uint32_t m_chosenCheckPoint = 0;
    CJWindow* m_holder = nullptr;
};
