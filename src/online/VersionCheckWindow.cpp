#include "online/VersionCheckWindow.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "online/AutoSizedButton.h"
#include "online/DownloadableModuleList.h"
#include "online/InternetTransfer.h"
#include "online/ModuleInfoCollection.h"
#include "online/WebSpinner.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <algorithm>

CLocalizedString g_versionCheckUrlText("http://www.quorvane.invalid/VersionInfo/VantorelModules.modDB",
                                       "Version Check Url");
CLocalizedString g_versionCheckTitle("Version Check");
CLocalizedString g_versionWaitTitle("Getting Version Info From Server");
CLocalizedString g_versionWaitText(
    "Please Wait...\nDownloading Vantorel module version information from Quorvane's web server.");
CLocalizedString g_versionFailureText(
    "Unable to obtain version information from Quorvane's Server.  Please try again later.");
CLocalizedString g_versionCloseText("Close");
CLocalizedString g_versionNameHeader("Name");
CLocalizedString g_versionVersionHeader("Version");
CLocalizedString g_versionStatusHeader("Status");

namespace {

constexpr int32_t kBarThickness = CJWindowScrollState::kBarThickness;

// The wait dialog's completion: builds the list, unless the window went first.
class CBuildListAction : public CCallback
{
public:
    explicit CBuildListAction(CVersionCheckWindow* window) : m_window(window) {}
    void Invoke() override
    {
        if (auto* window = static_cast<CVersionCheckWindow*>(m_window.Get()))
            window->BuildList();
    }

private:
    CWindowWatch m_window;
};

// A row button's action: the module's download address, through the redirect, in the browser.
class COpenDownloadAction : public CCallback
{
public:
    explicit COpenDownloadAction(const CSharedString& url) : m_url(url) {}
    void Invoke() override { ShellOpen(CInternetTransfer::GetInstance().BuildRedirectUrl(m_url.CStr()).CStr()); }

private:
    CSharedString m_url;
};

class CVersionCheckCommand : public CCallback
{
public:
    CVersionCheckCommand(bool fetch, CJWindow* window) : m_fetch(fetch), m_window(window) {}
    void Invoke() override
    {
        CJWindow* window = m_window.Get();
        if (!window)
            return;
        if (auto* dialog = dynamic_cast<CJDialog*>(window); dialog && dialog->GetParent()) {
            dialog->ReplaceWith(new CVersionCheckWindow(dialog->GetParent(), m_fetch), true);
            return;
        }
        window->OpenModalWindow(new CVersionCheckWindow(window, m_fetch), kPlaceCentred);
    }

private:
    bool m_fetch;
    CWindowWatch m_window;
};

} // namespace

CVersionCheckWindow::CVersionCheckWindow(CJWindow* parent, bool fetch, CInternetTransfer* transfer)
    : CJDialog(parent, g_versionCheckTitle),
      m_fetch(fetch),
      m_transfer(transfer ? *transfer : CInternetTransfer::GetInstance())
{
    m_closeButton = MakeAutoSizedButton(this, g_versionCloseText.CStr());
    m_defaultButton = m_closeButton;
    m_cancelButton = m_closeButton;
    if (!fetch) {
        BuildList();
        return;
    }
    AddChild(m_closeButton, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_download = std::make_unique<CVirtualFile>();
    m_download->AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    m_transfer.Download(g_versionCheckUrlText.CStr(), m_download.get(), false, nullptr);
    if (parent) {
        auto* wait = new CWebSpinner(g_versionWaitText.CStr(), new CBuildListAction(this), parent,
                                     g_versionWaitTitle.CStr(), &m_transfer);
        parent->OpenModalWindow(wait, kPlaceCentred);
        m_wait.Watch(wait);
    }
}

CVersionCheckWindow::~CVersionCheckWindow()
{
    // A download still on its way would write into the memory file that goes with this window.
    if (m_download)
        m_transfer.Cancel();
}

void CVersionCheckWindow::Update(float seconds)
{
    CWindowWatch self(this);
    CJDialog::Update(seconds);
    if (!self.IsAlive() || !m_fetch || m_built)
        return;
    // The wait dialog has gone without building the list: the download failed or was cancelled.
    // Once whatever it showed is answered, this window is the modal one again and goes too.
    CJWindow* parent = GetParent();
    if (!m_wait.IsAlive() && parent && parent->GetModalWindow() == this)
        Close();
}

void CVersionCheckWindow::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && sender == m_closeButton && code == 0) {
        Close();
        return;
    }
    CJDialog::OnCommand(sender, code);
}

void CVersionCheckWindow::BuildList()
{
    if (m_built)
        return;
    m_built = true;
    std::unique_ptr<CDownloadableModuleList> downloaded;
    if (m_fetch) {
        // The memory file goes whatever the download holds.
        std::unique_ptr<CVirtualFile> download = std::move(m_download);
        auto* buffer = download ? static_cast<CFileBuf*>(download->GetStream()) : nullptr;
        downloaded = std::make_unique<CDownloadableModuleList>();
        const bool read = buffer && downloaded->ReadDatabase(buffer->GetData(), buffer->GetSize());
        download.reset();
        if (!read) {
            ShowFailure();
            return;
        }
    }
    m_rows = BuildModuleRows(CModuleInfoCollection::GetInstance(), downloaded.get());

    if (m_closeButton->GetParent() == this)
        RemoveChild(m_closeButton);
    m_table = new CJWindow(this, nullptr);
    std::vector<std::vector<CJWindow*>> cells;
    cells.push_back({new CJLabel(m_table, g_versionNameHeader.CStr()), new CJLabel(m_table, g_versionVersionHeader.CStr()),
                     new CJLabel(m_table, m_fetch ? g_versionStatusHeader.CStr() : "")});
    m_rowButtons.assign(m_rows.size(), nullptr);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const CModuleRow& row = m_rows[i];
        CJWindow* status;
        if (row.HasButton()) {
            CJButton* button = MakeAutoSizedButton(m_table, GetModuleStatusText(row.m_status),
                                                   new COpenDownloadAction(row.m_downloadUrl));
            m_rowButtons[i] = button;
            status = button;
        } else {
            status = new CJLabel(m_table, GetModuleStatusText(row.m_status));
        }
        cells.push_back({new CJLabel(m_table, row.m_name.CStr()), new CJLabel(m_table, row.m_version.CStr()), status});
    }
    LayOutTable(cells);
    AddChild(m_table, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    AddChild(m_closeButton, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    if (CJWindow* parent = GetParent())
        Place(kPlaceCentred, parent, kDefaultOffset, kDefaultOffset, 0);
}

void CVersionCheckWindow::LayOutTable(const std::vector<std::vector<CJWindow*>>& cells)
{
    // Each column as wide as its widest entry, each row as high as its highest.
    const int32_t gap = std::max(GetSpacing(), 4);
    int32_t widths[3] = {0, 0, 0};
    for (const auto& row : cells)
        for (int c = 0; c < 3; ++c)
            widths[c] = std::max(widths[c], row[c]->GetWidth());
    int32_t y = 0;
    for (const auto& row : cells) {
        int32_t height = 0, x = 0;
        for (int c = 0; c < 3; ++c)
            height = std::max(height, row[c]->GetHeight());
        for (int c = 0; c < 3; ++c) {
            CJWindow* cell = row[c];
            cell->SetPosition(x, y + (height - cell->GetHeight()) / 2);
            m_table->AddChild(cell, 0, nullptr, kDefaultOffset, kDefaultOffset, 0);
            x += widths[c] + gap;
        }
        y += height + gap / 2;
    }
    const int32_t width = widths[0] + widths[1] + widths[2] + 2 * gap;
    const int32_t height = std::max(y - gap / 2, 0);
    m_table->SetSize(width, height);
    if (width <= kMaxTableWidth && height <= kMaxTableHeight)
        return;
    // Larger content scrolls: the window keeps to the limits, plus room for each bar it needs.
    const bool horizontal = width > kMaxTableWidth, vertical = height > kMaxTableHeight;
    m_table->SetSize(std::min(width, kMaxTableWidth) + (vertical ? kBarThickness : 0),
                     std::min(height, kMaxTableHeight) + (horizontal ? kBarThickness : 0));
    m_table->SetContentSize(width, height);
    m_table->EnableScrollBars(true);
}

void CVersionCheckWindow::ShowFailure()
{
    if (CJWindow* parent = GetParent()) {
        auto* box = new CJMessageWindow(g_versionCheckTitle.CStr(), g_versionFailureText.CStr(), parent);
        parent->OpenModalWindow(box, kPlaceCentred);
    }
    RequestClose();
}

CCallback* CreateVersionCheckCommand(bool fetch, CJWindow* window)
{
    return new CVersionCheckCommand(fetch, window);
}
