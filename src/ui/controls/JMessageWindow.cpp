#include "ui/controls/JMessageWindow.h"

#include "foundation/LocalizedString.h"
#include "graphics/Font.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"
#include "ui/UiKeys.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JLabel.h"

#include <string>

namespace {

CLocalizedString g_okText("OK", "The button of a message window");

// A button sized to its text by its theme part.
CJButton* MakeButton(CJWindow* parent, const char* text, CCallback* action)
{
    auto* button = new CJButton(parent, text, nullptr);
    if (CJThemeButtonPart* part = button->GetThemePart())
        part->AutoSize();
    if (action)
        button->SetAction(action);
    return button;
}

} // namespace

CJMessageWindow::CJMessageWindow(const char* caption, const char* text, CJWindow* parent)
    : CJTitledWindow(parent, caption)
{
    SetUpMessage(text, nullptr, nullptr, nullptr);
}

CJMessageWindow::CJMessageWindow(CJWindow* parent, const CSharedString& caption, const CSharedString& text,
                                 CJWindow* openIn, const CSharedString* buttonText, CCallback* action)
    : CJTitledWindow(parent, caption)
{
    SetUpMessage(text.CStr(), buttonText ? buttonText->CStr() : nullptr, action, openIn);
}

void CJMessageWindow::SetUpMessage(const char* text, const char* buttonText, CCallback* action, CJWindow* openIn)
{
    SetModal(true);
    CSharedString shown = text ? text : "";
    if (m_font && m_font->GetTextBlockWidth(shown) > kWrapWidth) {
        // The wrapped text ends its last line with a newline too, which would add an empty line.
        std::string wrapped = m_font->WrapText(shown.CStr(), kWrapWidth).CStr();
        while (!wrapped.empty() && wrapped.back() == '\n')
            wrapped.pop_back();
        shown = wrapped.c_str();
    }
    m_label = new CJLabel(this, shown.CStr());
    AddChild(m_label, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_okButton = MakeButton(this, buttonText ? buttonText : g_okText.CStr(), action);
    AddChild(m_okButton, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_okButton->SetShortcutKey(uikey::kEnter);
    if (openIn) {
        openIn->AddChildOnTop(this, kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
        openIn->ActivateChild(this);
    }
}

bool CJMessageWindow::OnKey(int32_t key)
{
    CWindowWatch self(this);
    if (CJTitledWindow::OnKey(key))
        return true;
    if (!self.IsAlive())
        return false;
    if (HandleShortcut(key))
        return true;
    if (!self.IsAlive() || (key != uikey::kEnter && key != uikey::kEscape))
        return false;
    OnCommand(m_okButton, kCommandClicked);
    return true;
}

void CJMessageWindow::OnCommand(CJWindow* sender, int32_t code)
{
    if (code == kCommandClicked && sender) {
        Close();
        return;
    }
    CJTitledWindow::OnCommand(sender, code);
}

CJButton* CJMessageWindow::AddButton(const CSharedString& text, CCallback* action)
{
    CJButton* button = MakeButton(this, text.CStr(), action);
    AddChild(button, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    // The row runs through the siblings from the OK button toward the back: the text must not
    // stand among them (focusing the OK button may have turned the ring).
    if (m_label)
        SendChildToBack(m_label);
    LayOutButtonRow(m_okButton, button, 0);
    return button;
}
