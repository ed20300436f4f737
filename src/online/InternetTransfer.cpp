#include "online/InternetTransfer.h"

#include "foundation/VersionText.h"
#include "foundation/VirtualFile.h"
#include "online/InternetConnectionState.h"
#include "online/UrlText.h"
#include "platform/Http.h"

namespace {

constexpr long kMaxRedirects = 5;
// The module database is small; a larger answer is not one of ours.
constexpr uint32_t kMaxBodyBytes = 1u << 20;

} // namespace

CLocalizedString g_redirectUrlText("", "ReDirect Url");

bool CInternetTransfer::StoreBytes(CVirtualFile* destination, const char* data, size_t n)
{
    return !destination || (n <= UINT32_MAX && destination->Write(data, static_cast<uint32_t>(n)) == n);
}

CInternetTransfer& CInternetTransfer::GetInstance()
{
    static CInternetTransfer s_instance;
    return s_instance;
}

CInternetTransfer::CInternetTransfer() = default;

CInternetTransfer::~CInternetTransfer()
{
    m_transfer.Cancel();
}

bool CInternetTransfer::IsAvailable()
{
    return platform::IsHttpSupported();
}

bool CInternetTransfer::GetConnectedState(bool* connected, CSharedString* text)
{
    if (connected)
        *connected = false;
    if (text)
        text->Clear();
    return false;
}

bool CInternetTransfer::NeedsDialUp()
{
    return false;
}

bool CInternetTransfer::Autodial()
{
    SetInternetConnectionLost();
    return false;
}

platform::HttpRequest CInternetTransfer::MakeRequest(const char* url, bool post, const char* form) const
{
    platform::HttpRequest request;
    request.url = url ? url : "";
    request.userAgent = FormatProductVersionText().CStr();
    request.headers = {"Pragma: no-cache", "Cache-Control: no-cache"};
    if (post) {
        request.post = true;
        request.body = form ? form : "";
        request.headers.push_back("Accept: */*");
        request.headers.push_back("Content-Type: application/x-www-form-urlencoded");
    }
    request.maxRedirects = kMaxRedirects;
    request.maxBodyBytes = kMaxBodyBytes;
    request.silenceSeconds = m_silenceSeconds;
    return request;
}

bool CInternetTransfer::RunSync(const platform::HttpRequest& request, CVirtualFile* destination,
                                CInternetSecurityInfo* security)
{
    if (security)
        *security = CInternetSecurityInfo();
    platform::HttpTransfer transfer;
    auto store = [destination](const char* data, size_t n) { return StoreBytes(destination, data, n); };
    if (transfer.Start(request, store, nullptr))
        while (transfer.Poll(100)) {
        }
    if (!transfer.Succeeded())
        SetInternetConnectionLost();
    return transfer.Succeeded();
}

bool CInternetTransfer::DownloadSync(const char* url, CVirtualFile* destination, bool direct,
                                     CInternetSecurityInfo* security)
{
    const CSharedString address = direct ? CSharedString(url) : BuildRedirectUrl(url);
    return RunSync(MakeRequest(address.CStr(), false, nullptr), destination, security);
}

bool CInternetTransfer::PostSync(const char* host, int port, bool secure, const char* path, const char* form,
                                 CVirtualFile* destination, CInternetSecurityInfo* security)
{
    const CSharedString address = MakeHttpUrl(host, port, secure, path);
    return RunSync(MakeRequest(address.CStr(), true, form), destination, security);
}

bool CInternetTransfer::Download(const char* url, CVirtualFile* destination, bool direct,
                                 CInternetSecurityInfo* security)
{
    if (m_running)
        return false;
    m_isRetry = false;
    m_destinationStart = destination ? destination->GetPosition() : 0;
    const CSharedString address = direct ? CSharedString(url) : BuildRedirectUrl(url);
    Begin(MakeRequest(address.CStr(), false, nullptr), destination, security);
    return true;
}

bool CInternetTransfer::Post(const char* host, int port, bool secure, const char* path, const char* form,
                             CVirtualFile* destination, CInternetSecurityInfo* security)
{
    if (m_running)
        return false;
    m_isRetry = false;
    m_destinationStart = destination ? destination->GetPosition() : 0;
    const CSharedString address = MakeHttpUrl(host, port, secure, path);
    Begin(MakeRequest(address.CStr(), true, form), destination, security);
    return true;
}

bool CInternetTransfer::IsIdle()
{
    if (m_running)
        PollStep(false);
    return !m_running;
}

void CInternetTransfer::Cancel()
{
    if (m_running)
        PollStep(true);
}

bool CInternetTransfer::Succeeded()
{
    return m_succeeded;
}

void CInternetTransfer::AppendFormField(CSharedString& form, const char* name, const char* value)
{
    ::AppendFormField(form, name, value);
}

bool CInternetTransfer::HasReadFileEx()
{
    return true;
}

CSharedString CInternetTransfer::BuildRedirectUrl(const char* url)
{
    if (g_redirectUrlText.IsEmpty())
        return CSharedString(url);
    CSharedString address;
    address.Format("%sdest_url=%s&handel=", g_redirectUrlText.CStr(), ::EscapeUrl(url).CStr());
    return address;
}

CSharedString CInternetTransfer::EscapeUrl(const char* text)
{
    return ::EscapeUrl(text);
}

CSharedString CInternetTransfer::UnescapeUrl(const char* text)
{
    return ::UnescapeUrl(text);
}
