#pragma once
// Telling the player that a statistics save failed: what was not kept, the file and the system's
// reason, under the caption "Statistics Not Saved", once per run of failed saves of each file (a
// full disk would otherwise raise one window per save): a save of the file that succeeds ends the
// run, so its next failure is told again. While the game runs, a notice opens as the game's message
// window at the next update, so it stands over whatever that step opened (the statistics dialog
// of a finished game, the main menu after a suspend). Once the game closes no window of its own
// can show it any more: it goes to the system's message box (and stderr) at once.
#include "foundation/SharedString.h"

#include <set>
#include <string>
#include <vector>

class CJWindow;
class CLocalizedString;

class CSaveFailureNotices
{
public:
    // The failure of a save of the named file; whatIsLost is the sentence telling what was not
    // kept ("Your finished game was not saved."), error the errno value.
    void Add(const CLocalizedString& whatIsLost, const char* fileName, int error);
    // A save of the named file succeeded.
    void NoteSaved(const char* fileName) { m_toldFiles.erase(fileName ? fileName : ""); }
    // Opens the notices waiting for a window as message windows over the screen; without a screen
    // they go out as after Close.
    void ShowPending(CJWindow* screen);
    // The game is closing: notices waiting and later ones are told through the system's box.
    void Close();
    // Whether a failure of the file was told (or waits to be) since its last successful save.
    bool WasTold(const char* fileName) const { return m_toldFiles.count(fileName) > 0; }

private:
    // The notice's text: the sentence, then the file and the reason.
    static CSharedString FormatText(const CLocalizedString& whatIsLost, const char* fileName, int error);
    static void TellNow(const CSharedString& text);

    std::set<std::string> m_toldFiles;
    std::vector<CSharedString> m_pending;
    bool m_closed = false;
};
