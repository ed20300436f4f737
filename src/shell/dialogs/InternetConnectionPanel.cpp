#include "shell/dialogs/InternetConnectionPanel.h"

#include "foundation/ConfigFile.h"
#include "foundation/VersionText.h"
#include "foundation/Win32Services.h"
#include "graphics/Font.h"
#include "online/AutoSizedButton.h"
#include "online/InternetConnectionState.h"
#include "online/InternetTransfer.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/JToggleButton.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <algorithm>
#include <string>

CLocalizedString g_connectToInternetText("Connect to the Internet");
CLocalizedString g_alreadyConnectedText("I'm &Already Connected");
CLocalizedString g_helpMeConnectText("&Help Me Connect");
CLocalizedString g_connectBackText("&Back");
CLocalizedString g_dialServiceText("&Dial My Internet Service");
CLocalizedString g_imConnectedText("I'm Connected");
CLocalizedString g_alwaysConnectedText("I'm Always Connected (Don't Ask Again)");
CLocalizedString g_operationNotSupportedText("Operation Not Supported");
CLocalizedString g_transferLibraryMissingText(
    "This feature needs the transfer library libcurl, which could not be loaded.  Please install it (on Debian "
    "and Ubuntu the package libcurl4) and try again.");
CLocalizedString g_minimizeText("Minimize %s");
CLocalizedString g_connectHelpText(
    "Pressing the Dial button below will attempt to connect to the Internet.  After you are connected to the "
    "Internet, press the \"I'm Connected\" button.\n\nIf the Dial button does not successfully start your Internet "
    "connection:\n\n 1) Minimize Vantorel by clicking the button in the upper right corner of the screen\n 2) Connect "
    "to the Internet as you normally would\n 3) Return to Vantorel by choosing its window, \"Vantorel\", in your "
    "desktop's task bar or window list\n 4) Press the \"I'm Connected\" button to continue.\n\n");

namespace {

constexpr const char* kSection = "Options";
constexpr int32_t kWrapWidth = 500;
// The glyph the theme font shows as a minimise mark.
constexpr const char* kMinimizeGlyph = "_";

// The text wrapped to 500 pixels when it is wider. Line breaks at its end are left out: they
// would only add empty lines below it (the help text ends with two), making the panel taller
// than the screen.
CSharedString WrapTo500(CFont* font, const char* text)
{
    std::string shown = font && font->GetTextBlockWidth(text) > kWrapWidth ? font->WrapText(text, kWrapWidth).CStr()
                                                                            : text;
    while (!shown.empty() && shown.back() == '\n')
        shown.pop_back();
    return CSharedString(shown.c_str());
}

class CMinimizeAction : public CCallback
{
public:
    void Invoke() override { BringDesktopToFront(); }
};

} // namespace

CInternetConnectionPanel::CInternetConnectionPanel(CJWindow* parent, const char* message, CCallback* action,
                                                   bool noMinimizeButton)
    : CJWindow(parent, g_connectToInternetText.CStr()), m_action(action), m_minimizeButtonDone(noMinimizeButton)
{
    if (TakeFirstConnectionQuestion()) {
        if (ReadConfigInt(g_configFile.GetPath(), kSection, kAlwaysConnectedKey, 0) != 0)
            SetInternetConnected();
    }
    m_message = WrapTo500(m_font, message ? message : "");

    m_label = new CJLabel(this, m_message.CStr());
    // Room for the longer help text, so that the panel keeps its size in either mode.
    if (m_font) {
        const CSharedString help = WrapTo500(m_font, g_connectHelpText.CStr());
        const int32_t margin = 2 + 2 * m_label->GetRowSpacing();
        const int32_t spacing = (m_font->GetLineHeight() / 5) * 2;
        m_label->SetSize(std::max(m_label->GetWidth(), m_font->GetTextBlockWidth(help) + margin),
                         std::max(m_label->GetHeight(), m_font->GetTextBlockHeight(help, spacing) + margin));
    }
    AddChild(m_label, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);

    m_alwaysToggle = new CJToggleButton(this, g_alwaysConnectedText.CStr(), nullptr);
    m_alwaysToggle->SetChecked(ReadConfigInt(g_configFile.GetPath(), kSection, kAlwaysConnectedKey, 0) != 0);
    AddChild(m_alwaysToggle, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    // The answers in one row under the toggle, so that the panel with the help text still fits
    // the screen; the dial button takes the help button's place while help shows.
    m_connectedButton = MakeAutoSizedButton(this, g_alreadyConnectedText.CStr());
    AddChild(m_connectedButton, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_helpButton = MakeAutoSizedButton(this, g_helpMeConnectText.CStr());
    AddChild(m_helpButton, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_backButton = MakeAutoSizedButton(this, g_connectBackText.CStr());
    AddChild(m_backButton, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    LayOutButtonRow(m_connectedButton, m_backButton, 0);
    m_dialButton = MakeAutoSizedButton(this, g_dialServiceText.CStr());
    m_dialButton->SetEnabled(false);
    m_dialButton->Show(false, false);
    AddChild(m_dialButton, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    LayOutAnswers();

    if (!CInternetTransfer::GetInstance().IsAvailable()) {
        auto* box = new CJMessageWindow(g_operationNotSupportedText.CStr(), g_transferLibraryMissingText.CStr(), this);
        box->SetModal(true);
        AddChildOnTop(box, kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
        m_blockingMessage.Watch(box);
        m_blocked = true;
        m_finished = true;
        m_connectedButton->SetEnabled(false);
        return;
    }
    m_connectedButton->SetEnabled(IsActionEnabled());
}

CInternetConnectionPanel::~CInternetConnectionPanel() = default;

void CInternetConnectionPanel::SetAction(CCallback* action)
{
    m_action.reset(action);
}

bool CInternetConnectionPanel::IsActionEnabled() const
{
    return m_action && (!m_action->ControlsEnabled() || m_action->IsAvailable());
}

void CInternetConnectionPanel::AddMinimizeButton()
{
    m_minimizeButtonDone = true;
    CJWindow* parent = GetParent();
    CJButton* button = MakeAutoSizedButton(parent, kMinimizeGlyph, new CMinimizeAction);
    CSharedString tip(g_minimizeText.GetFormat());
    CSharedString product;
    GetProductName(product);
    tip.SubstituteStringArg(product);
    button->SetToolTipText(tip.CStr(), -1);
    button->SetSize(20, 20);
    button->SetTabStop(false);
    // Behind the panel, so that Enter (which the dialog offers its front child first) still
    // answers the question rather than minimising the game.
    parent->AddChild(button, kPlaceTopRightOverCaption, nullptr, 2, 2, kPlacePixelOffsets | kPlaceNoGrow);
    button->SetX(button->GetRect().m_left - 20);
}

void CInternetConnectionPanel::Finish()
{
    m_finished = true;
    if (m_helpMode)
        ShowQuestion();
    m_connectedButton->SetEnabled(false);
    m_helpButton->SetEnabled(false);
}

void CInternetConnectionPanel::Update(float seconds)
{
    CWindowWatch self(this);
    if (!m_minimizeButtonDone && GetParent())
        AddMinimizeButton();
    if (IsInternetConnectionLost()) {
        ClearInternetConnectionLost();
        m_finished = m_blocked;
        if (!m_blocked) {
            m_connectedButton->SetEnabled(true);
            m_helpButton->SetEnabled(true);
        }
    }
    if (IsInternetConnected() && !m_finished) {
        Finish();
        if (m_action)
            m_action->Invoke();
        return;
    }
    if (m_blocked) {
        CJWindow* box = m_blockingMessage.Get();
        if (box && box->GetParent() == this)
            ActivateChild(box);
        else if (!box && GetParent())
            GetParent()->RequestClose();
    }
    if (!self.IsAlive())
        return;
    // An answered question keeps its answer button disabled until a lost connection reopens it.
    if (!m_blocked && !m_finished)
        m_connectedButton->SetEnabled(IsActionEnabled());
    CJWindow::Update(seconds);
}

void CInternetConnectionPanel::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && sender == m_alwaysToggle && (code == 0 || code == 1)) {
        WriteConfigInt(g_configFile.GetPath(), kSection, kAlwaysConnectedKey, m_alwaysToggle->IsChecked() ? 1 : 0);
        return;
    }
    if (m_finished && sender != m_backButton)
        return;
    if (!m_blocked && code == 0 && sender) {
        if (sender == m_connectedButton) {
            SetInternetConnected();
            Finish();
            if (m_action)
                m_action->Invoke();
            return;
        }
        if (sender == m_backButton) {
            if (!m_helpMode) {
                if (CJWindow* parent = GetParent())
                    parent->RequestClose();
            } else {
                ShowQuestion();
            }
            return;
        }
        if (sender == m_helpButton) {
            ShowHelp();
            return;
        }
        if (sender == m_dialButton) {
            CInternetTransfer::GetInstance().Autodial();
            return;
        }
    }
    CJWindow::OnCommand(sender, code);
}

void CInternetConnectionPanel::LayOutAnswers()
{
    CJButton* middle = m_helpMode ? m_dialButton : m_helpButton;
    CJButton* row[3] = {m_connectedButton, middle, m_backButton};
    int32_t widest = 0, total = 0;
    for (CJButton* button : row) {
        AutoSizeButton(button);
        widest = std::max(widest, button->GetWidth());
        total += button->GetWidth();
    }
    const int32_t room = GetWidth() - 2 * m_spacing;
    // One width for all when the widest text leaves room for it; else each its own width and an
    // equal share of what is left, so that no text is cut.
    const bool equal = 3 * widest <= room;
    const int32_t share = equal ? 0 : std::max(0, (room - total) / 3);
    int32_t rowWidth = 2 * m_spacing;
    for (CJButton* button : row)
        rowWidth += equal ? widest : button->GetWidth() + share;
    int32_t left = (GetWidth() - rowWidth) / 2;
    const int32_t top = m_connectedButton->GetRect().m_top;
    for (CJButton* button : row) {
        const int32_t width = equal ? widest : button->GetWidth() + share;
        button->SetRectXYWH(left, top, width, button->GetHeight());
        left += width + m_spacing;
    }
    // The hidden one of help and dial keeps the place, for the mode that shows it.
    (m_helpMode ? m_helpButton : m_dialButton)->SetRect(middle->GetRect());
}

void CInternetConnectionPanel::ShowQuestion()
{
    m_helpMode = false;
    m_label->SetText(m_message.CStr());
    m_connectedButton->SetText(g_alreadyConnectedText.CStr());
    m_helpButton->SetEnabled(true);
    m_helpButton->Show(true, false);
    m_dialButton->SetEnabled(false);
    m_dialButton->Show(false, false);
    LayOutAnswers();
}

void CInternetConnectionPanel::ShowHelp()
{
    m_helpMode = true;
    m_label->SetText(WrapTo500(m_font, g_connectHelpText.CStr()).CStr());
    m_connectedButton->SetText(g_imConnectedText.CStr());
    m_helpButton->SetEnabled(false);
    m_helpButton->Show(false, false);
    m_dialButton->SetEnabled(true);
    m_dialButton->Show(true, false);
    LayOutAnswers();
}
