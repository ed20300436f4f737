// The asynchronous request of the internet transfer: started by Download or Post, driven one step
// per IsIdle or Cancel on the main thread, fed by the status events the platform's transfer
// reports into the queue.
#include "foundation/VirtualFile.h"
#include "online/InternetConnectionState.h"
#include "online/InternetTransfer.h"

#include <algorithm>
#include <cstring>

namespace {

using Kind = platform::HttpEventKind;

CLocalizedString g_resolvingText("Resolving name %s");
CLocalizedString g_resolvedText("Resolved name %s");
CLocalizedString g_connectingText("Connecting to Server %s");
CLocalizedString g_connectedText("Connected to Server %s");
CLocalizedString g_sendingText("Sending Request");
CLocalizedString g_sentText("Request Sent");
CLocalizedString g_receivingText("Receiving Response");
CLocalizedString g_receivedText("Response Received ( %u Bytes )");
CLocalizedString g_closingText("Closing Connection to Server");
CLocalizedString g_closedText("Connection Closed");
CLocalizedString g_handleCreatedText("Creating Handle %s");
CLocalizedString g_handleClosingText("Handle Closing");
CLocalizedString g_redirectedText("Redirected to %s");
CLocalizedString g_transferCompleteText("Transfer Complete");

const CLocalizedString* GetStatusFormat(uint32_t status)
{
    switch (static_cast<Kind>(status)) {
    case Kind::HandleCreated: return &g_handleCreatedText;
    case Kind::Resolving: return &g_resolvingText;
    case Kind::Resolved: return &g_resolvedText;
    case Kind::Connecting: return &g_connectingText;
    case Kind::Connected: return &g_connectedText;
    case Kind::SendingRequest: return &g_sendingText;
    case Kind::RequestSent: return &g_sentText;
    case Kind::ReceivingResponse: return &g_receivingText;
    case Kind::ResponseReceived: return &g_receivedText;
    case Kind::Redirected: return &g_redirectedText;
    case Kind::Complete: return &g_sentText;
    case Kind::HandleClosing: return &g_handleClosingText;
    case Kind::ClosingConnection: return &g_closingText;
    case Kind::ConnectionClosed: return &g_closedText;
    }
    return nullptr;
}

} // namespace

void CInternetTransfer::Begin(const platform::HttpRequest& request, CVirtualFile* destination,
                              CInternetSecurityInfo* security)
{
    m_request = request;
    m_destination = destination;
    m_security = security;
    if (security)
        *security = CInternetSecurityInfo();
    m_stepIssued = false;
    m_succeeded = false;
    m_running = true;
    m_statusText.Clear();
    m_queue.TakeAll(); // what the last request reported while it closed
    PollStep(false);
}

void CInternetTransfer::PollStep(bool cancel)
{
    DrainStatusEvents();
    if (!m_stepIssued) {
        m_stepIssued = true;
        m_queue.ClearRedirects();
        CVirtualFile* destination = m_destination;
        auto store = [destination](const char* data, size_t n) { return StoreBytes(destination, data, n); };
        auto report = [this](const platform::HttpEvent& event) { OnStatus(event); };
        if (!m_transfer.Start(m_request, store, report)) {
            End(false);
            return;
        }
    } else if (cancel) {
        m_transfer.Cancel();
    } else {
        m_transfer.Poll(0);
    }
    DrainStatusEvents(); // so that the text tells what this step did
    if (!m_transfer.IsRunning())
        End(m_transfer.Succeeded());
}

void CInternetTransfer::End(bool succeeded)
{
    m_running = false;
    m_succeeded = succeeded;
    if (succeeded) {
        SetInternetConnected();
        return;
    }
    SetInternetConnectionLost();
    // A request that failed after a redirect is tried once more, straight at the last address,
    // into the destination as it was before the first attempt.
    CSharedString address;
    if (m_isRetry || m_queue.GetRedirectCount(&address) == 0)
        return;
    m_isRetry = true;
    if (m_destination && m_destination->GetPosition() != m_destinationStart) {
        m_destination->Seek(static_cast<uint32_t>(m_destinationStart));
        m_destination->SetSize(static_cast<uint32_t>(m_destinationStart));
    }
    Begin(MakeRequest(address.CStr(), false, nullptr), m_destination, m_security);
}

void CInternetTransfer::OnStatus(const platform::HttpEvent& event)
{
    const auto status = static_cast<uint32_t>(event.kind);
    if (event.kind == Kind::Redirected)
        m_queue.RecordRedirect(event.text.c_str());
    if (event.kind == Kind::ResponseReceived)
        m_queue.Push(status, &event.bytes, sizeof event.bytes);
    else
        m_queue.Push(status, event.text.c_str(), static_cast<uint32_t>(event.text.size()));
}

void CInternetTransfer::DrainStatusEvents()
{
    for (const CInternetStatusQueue::SEvent& event : m_queue.TakeAll()) {
        const CLocalizedString* format = GetStatusFormat(event.m_status);
        if (!format)
            continue;
        if (static_cast<Kind>(event.m_status) == Kind::ResponseReceived) {
            uint32_t bytes = 0;
            std::memcpy(&bytes, event.m_info, std::min<size_t>(event.m_length, sizeof bytes));
            m_statusText.Format(format->GetFormat(), bytes);
        } else {
            const std::string info(reinterpret_cast<const char*>(event.m_info), event.m_length);
            m_statusText.Format(format->GetFormat(), info.c_str());
        }
    }
}

void CInternetTransfer::GetStatusText(CSharedString& text)
{
    if (m_running)
        text = m_statusText;
    else
        text = g_transferCompleteText;
}
