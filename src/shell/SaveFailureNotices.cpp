#include "shell/SaveFailureNotices.h"

#include "foundation/LocalizedString.h"
#include "foundation/Win32Services.h"
#include "ui/JWindow.h"

#include <cstring>

namespace {

const CLocalizedString g_caption("Statistics Not Saved");
const CLocalizedString g_fileNotWritten("The file \"%s\" could not be written: %s.",
                                        "The file's name, then the system's reason");

} // namespace

void CSaveFailureNotices::Add(const CLocalizedString& whatIsLost, const char* fileName, int error)
{
    if (!m_toldFiles.insert(fileName ? fileName : "").second)
        return;
    const CSharedString text = FormatText(whatIsLost, fileName, error);
    if (m_closed)
        TellNow(text);
    else
        m_pending.push_back(text);
}

void CSaveFailureNotices::ShowPending(CJWindow* screen)
{
    std::vector<CSharedString> pending;
    pending.swap(m_pending);
    for (const CSharedString& text : pending) {
        if (screen)
            screen->ShowMessageText(g_caption.CStr(), text.CStr());
        else
            TellNow(text);
    }
}

void CSaveFailureNotices::Close()
{
    m_closed = true;
    ShowPending(nullptr);
}

CSharedString CSaveFailureNotices::FormatText(const CLocalizedString& whatIsLost, const char* fileName, int error)
{
    CSharedString reason;
    reason.Format(g_fileNotWritten.GetFormat(), fileName ? fileName : "", std::strerror(error));
    CSharedString text;
    text.Format("%s  %s", whatIsLost.CStr(), reason.CStr());
    return text;
}

void CSaveFailureNotices::TellNow(const CSharedString& text)
{
    ShowPlainMessageBox(g_caption.CStr(), text.CStr());
}
