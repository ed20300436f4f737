#pragma once
// The version check: a dialog listing the modules, one row each with name, version and status.
// Without a fetch it lists the installed modules. With one it first downloads the maker's module
// database (through the redirect address) behind the wait dialog, then compares: a newer build or
// a module not installed gets a button that opens its download address in the web browser.
//
// The rule a caller must know: open the window modally on the screen window (or let a dialog hand
// itself over to it); with a fetch the wait dialog opens beside it and keeps itself in front.
#include "foundation/LocalizedString.h"
#include "online/ModuleRows.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JDialog.h"

#include <memory>
#include <vector>

class CCallback;
class CDownloadableModuleList;
class CInternetTransfer;
class CJButton;
class CVirtualFile;

extern CLocalizedString g_versionCheckUrlText;

class CVersionCheckWindow : public CJDialog
{
public:
    // Content larger than this scrolls.
    static constexpr int32_t kMaxTableWidth = 500;
    static constexpr int32_t kMaxTableHeight = 300;

    // transfer null: the process's.
    CVersionCheckWindow(CJWindow* parent, bool fetch, CInternetTransfer* transfer = nullptr);
    // Cancels the download when it has not been read yet.
    ~CVersionCheckWindow() override;

    // While waiting: closes once the transfer is over and the wait dialog has gone unanswered
    // (cancelled or failed), that is when this window is the parent's modal window again.
    void Update(float seconds) override;
    // "Close" closes the window.
    void OnCommand(CJWindow* sender, int32_t code) override;

    // Builds the rows (once): from the download with a fetch, else from the installed modules.
    // A download that is not a module database shows a message instead, and the window closes.
    void BuildList();
    bool IsBuilt() const { return m_built; }
    bool IsFetching() const { return m_fetch; }
    const std::vector<CModuleRow>& GetRows() const { return m_rows; }
    // The button of a row (header row 0 excluded: row i of GetRows), null for a row without one.
    CJButton* GetRowButton(size_t i) const { return i < m_rowButtons.size() ? m_rowButtons[i] : nullptr; }
    CJWindow* GetTable() const { return m_table; }
    CJButton* GetCloseCommandButton() const { return m_closeButton; }

private:
    void LayOutTable(const std::vector<std::vector<CJWindow*>>& cells);
    void ShowFailure();

    bool m_fetch;
    bool m_built = false;
    CInternetTransfer& m_transfer;
    std::unique_ptr<CVirtualFile> m_download;
    CWindowWatch m_wait{nullptr};
    CJButton* m_closeButton = nullptr;
    CJWindow* m_table = nullptr;
    std::vector<CModuleRow> m_rows;
    std::vector<CJButton*> m_rowButtons;
};

// The command of the menus: opens a version-check window, modal and centred, in place of the
// window (a dialog hands itself over; any other window gets it on top). The command owns nothing
// but the flag and the window.
CCallback* CreateVersionCheckCommand(bool fetch, CJWindow* window);
