#pragma once
// The wait dialog of an asynchronous transfer: a small modal titled window with a message, a
// spinner and "Cancel". Each update polls the transfer; once it is over the dialog runs the
// caller's completion action (success) or shows "Unable to Connect to Server" over the window
// that opened it (any failure, a cancel included), then closes.
//
// The rule a caller must know: start the transfer first, then open the dialog modally, centred,
// on its parent; the completion action runs at most once, from the dialog's update.
#include "foundation/LocalizedString.h"
#include "graphics/IntRect.h"
#include "ui/controls/JTitledWindow.h"

#include <memory>

class CCallback;
class CInternetTransfer;
class CJButton;
class CSequence;

extern CLocalizedString g_unableToConnectText;

class CWebSpinner : public CJTitledWindow
{
public:
    // Messages longer than this are cut.
    static constexpr int kMaxMessageLength = 500;

    // The dialog owns the completion action (null: nothing runs). transfer null: the process's.
    CWebSpinner(const char* message, CCallback* completion, CJWindow* parent, const char* title,
                CInternetTransfer* transfer = nullptr);
    ~CWebSpinner() override;

    // Keeps this dialog in front of its parent, polls the transfer and ends the wait.
    void Update(float seconds) override;
    // "Cancel" cancels the transfer; the next update then ends the wait.
    void OnCommand(CJWindow* sender, int32_t code) override;
    // The titled window, then the spinner's frame for the running time on the spinner's centre.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // Escape presses "Cancel" while it is enabled.
    bool OnKey(int32_t key) override;

    CJButton* GetCancelButton() const { return m_cancelButton; }
    const CIntPoint& GetSpinnerCentre() const { return m_spinnerCentre; }
    // Null when the data set has no spinner.
    CSequence* GetSpinner() const { return m_spinner; }

private:
    void EndWait();

    std::unique_ptr<CCallback> m_completion;
    CInternetTransfer& m_transfer;
    CSequence* m_spinner = nullptr;
    CIntPoint m_spinnerCentre;
    CJButton* m_cancelButton = nullptr;
    CJWindow* m_opener;
    float m_runningTime = 0.0f;
};
