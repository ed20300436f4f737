// The message windows a window opens.
#include "ui/JWindow.h"

#include "ui/controls/JMessageWindow.h"

CJMessageWindow* CJWindow::ShowMessage(CJWindow* owner, const CSharedString& caption, const CSharedString& text)
{
    auto* message = new CJMessageWindow(owner, caption, text, nullptr, nullptr, nullptr);
    OpenModalWindow(message, kPlaceCentred);
    return message;
}

CJMessageWindow* CJWindow::ShowMessageText(const char* caption, const char* text)
{
    return ShowMessage(this, CSharedString(caption ? caption : ""), CSharedString(text ? text : ""));
}
