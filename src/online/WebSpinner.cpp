#include "online/WebSpinner.h"

#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "online/AutoSizedButton.h"
#include "online/InternetTransfer.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/UiKeys.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <string>

CLocalizedString g_unableToConnectText("Unable to Connect to Server");
CLocalizedString g_cancelText("Cancel");

namespace {

constexpr const char* kSpinnerName = "Interface/WebSpinner";

} // namespace

CWebSpinner::CWebSpinner(const char* message, CCallback* completion, CJWindow* parent, const char* title,
                         CInternetTransfer* transfer)
    : CJTitledWindow(parent, title),
      m_completion(completion),
      m_transfer(transfer ? *transfer : CInternetTransfer::GetInstance()),
      m_spinner(CSequenceCollection::GetInstance().FindSequence(kSpinnerName)),
      m_opener(parent)
{
    const std::string text = std::string(message ? message : "").substr(0, kMaxMessageLength);
    AddChild(new CJLabel(this, text.c_str()), kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);

    // A stand-in as large as the spinner's first frame reserves its place under the message.
    CFrame* first = m_spinner ? m_spinner->GetFrame(0) : nullptr;
    auto* place = new CJWindow(this, nullptr);
    place->SetSize(first ? first->GetWidth() : 0, first ? first->GetHeight() : 0);
    AddChild(place, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    const CIntRect& rect = place->GetRect();
    m_spinnerCentre = {(rect.m_left + rect.m_right) / 2, (rect.m_top + rect.m_bottom) / 2};

    // Below the stand-in, which goes only then: placed below the message, the button would stand
    // where the spinner turns.
    m_cancelButton = MakeAutoSizedButton(this, g_cancelText.CStr());
    AddChild(m_cancelButton, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    RemoveChild(place);
    delete place;
    if (parent)
        Place(kPlaceCentred, parent, kDefaultOffset, kDefaultOffset, 0);
}

CWebSpinner::~CWebSpinner() = default;

void CWebSpinner::Update(float seconds)
{
    m_runningTime += seconds;
    if (CJWindow* parent = GetParent(); parent && parent->GetModalWindow() != this)
        parent->ActivateChild(this);
    if (!m_transfer.IsIdle()) {
        CJTitledWindow::Update(seconds);
        return;
    }
    EndWait();
}

void CWebSpinner::EndWait()
{
    CWindowWatch self(this);
    if (!m_transfer.Succeeded()) {
        if (CJWindow* opener = m_opener) {
            auto* box = new CJMessageWindow(GetText(), g_unableToConnectText.CStr(), opener);
            opener->OpenModalWindow(box, kPlaceCentred);
        }
    } else if (m_completion) {
        // Taken out first: it runs once, and it may close this dialog.
        std::unique_ptr<CCallback> completion = std::move(m_completion);
        completion->Invoke();
    }
    if (self.IsAlive())
        Close();
}

void CWebSpinner::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && sender == m_cancelButton && code == 0) {
        m_transfer.Cancel();
        return;
    }
    CJTitledWindow::OnCommand(sender, code);
}

void CWebSpinner::Draw(COffsetClippedProxyFrame* frame)
{
    CWindowWatch self(this);
    CJTitledWindow::Draw(frame);
    if (!self.IsAlive() || !frame || !m_spinner || m_spinner->GetFrameCount() == 0)
        return;
    const float rate = m_spinner->GetFramesPerSecond();
    const uint32_t step = rate > 0.0f ? static_cast<uint32_t>(m_runningTime * rate) : 0;
    if (CFrame* image = m_spinner->GetFrame(step % m_spinner->GetFrameCount()))
        frame->DrawFrameAt(image, m_spinnerCentre.m_x, m_spinnerCentre.m_y, m_spinner->GetBlitter());
}

bool CWebSpinner::OnKey(int32_t key)
{
    if (key == uikey::kEscape && m_cancelButton && m_cancelButton->IsEnabled()) {
        m_cancelButton->Activate();
        return true;
    }
    return CJTitledWindow::OnKey(key);
}
