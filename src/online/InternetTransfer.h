#pragma once
// The program's only HTTP client: downloads an address into a virtual file, or posts a form,
// either at once (the call returns when the transfer is over) or as a request the caller polls
// once per frame with IsIdle while a wait dialog spins. It runs over the platform's HTTP
// transfer, which loads its library at run time: without it the program still runs and every
// request fails at once.
//
// Main thread only. One asynchronous request runs at a time; every failure sets the
// connection-lost flag (InternetConnectionState.h) and nothing is shown to the player here.
#include "foundation/LocalizedString.h"
#include "foundation/SharedString.h"
#include "online/InternetStatusQueue.h"
#include "platform/HttpTransfer.h"

#include <cstdint>

class CVirtualFile;

// What a caller may ask to learn of a secure answer's certificate. Nothing here can query it, so
// a record that is asked for is only cleared.
struct CInternetSecurityInfo
{
    uint32_t m_keyBits = 0;
    CSharedString m_issuer;
    CSharedString m_subject;
};

// The base of the redirect address that downloads go through unless they are direct; empty (the
// default) means every download is direct.
extern CLocalizedString g_redirectUrlText;

class CInternetTransfer
{
public:
    static CInternetTransfer& GetInstance();

    CInternetTransfer();
    // Cancels a running request.
    virtual ~CInternetTransfer();
    CInternetTransfer(const CInternetTransfer&) = delete;
    CInternetTransfer& operator=(const CInternetTransfer&) = delete;

    // The transfer library could be loaded with every entry point.
    virtual bool IsAvailable();
    // The system's connection state cannot be asked here: false, with connected false and the
    // text (when given) emptied.
    virtual bool GetConnectedState(bool* connected, CSharedString* text);
    // Nothing here can dial: false.
    virtual bool NeedsDialUp();
    // Nothing here can dial: sets the connection-lost flag and answers false.
    virtual bool Autodial();

    // Downloads the address (through BuildRedirectUrl unless direct) into the destination (null:
    // the body is dropped), appending at its position. False when the library is missing, the
    // server cannot be reached or stays silent, the final status is not 200-299, the body is over
    // 1 MiB or cannot be written; the destination may then hold part of the body.
    virtual bool DownloadSync(const char* url, CVirtualFile* destination, bool direct,
                              CInternetSecurityInfo* security);
    // Posts the form ("application/x-www-form-urlencoded") to the path on the host; port -1 means
    // 443 when secure, else 80. The answer's body goes to the destination. Fails as DownloadSync.
    virtual bool PostSync(const char* host, int port, bool secure, const char* path, const char* form,
                          CVirtualFile* destination, CInternetSecurityInfo* security);

    // Start an asynchronous request that IsIdle then drives. False, with nothing started, while
    // another request runs. A request that cannot start ends at once as failed (IsIdle true).
    virtual bool Download(const char* url, CVirtualFile* destination, bool direct, CInternetSecurityInfo* security);
    virtual bool Post(const char* host, int port, bool secure, const char* path, const char* form,
                      CVirtualFile* destination, CInternetSecurityInfo* security);
    // Runs one step of the running request without waiting; true when none runs (any more).
    virtual bool IsIdle();
    // "Transfer Complete" when idle, else the text of the last status event.
    virtual void GetStatusText(CSharedString& text);
    // Ends a running request as failed.
    virtual void Cancel();
    // Whether the last asynchronous request succeeded.
    virtual bool Succeeded();

    virtual void AppendFormField(CSharedString& form, const char* name, const char* value);
    // The platform's transfer always sends "Pragma: no-cache": true.
    virtual bool HasReadFileEx();
    // "<base>dest_url=<escaped url>&handel=" with the base g_redirectUrlText; the address itself
    // when the base is empty.
    virtual CSharedString BuildRedirectUrl(const char* url);
    virtual CSharedString EscapeUrl(const char* text);
    virtual CSharedString UnescapeUrl(const char* text);

    // How long a server may stay silent before a request fails (15 s).
    void SetSilenceTimeout(long seconds) { m_silenceSeconds = seconds; }

private:
    platform::HttpRequest MakeRequest(const char* url, bool post, const char* form) const;
    bool RunSync(const platform::HttpRequest& request, CVirtualFile* destination, CInternetSecurityInfo* security);
    void Begin(const platform::HttpRequest& request, CVirtualFile* destination, CInternetSecurityInfo* security);
    void PollStep(bool cancel);
    void End(bool succeeded);
    void OnStatus(const platform::HttpEvent& event);
    void DrainStatusEvents();
    // Appends to the destination (none: dropped); false on a short write.
    static bool StoreBytes(CVirtualFile* destination, const char* data, size_t n);

    // Declared before the transfer, whose clean-up still reports into it.
    CInternetStatusQueue m_queue;
    platform::HttpTransfer m_transfer;
    platform::HttpRequest m_request;
    CSharedString m_statusText;
    CVirtualFile* m_destination = nullptr;
    int32_t m_destinationStart = 0;
    CInternetSecurityInfo* m_security = nullptr;
    long m_silenceSeconds = 15;
    bool m_running = false;
    bool m_stepIssued = false;
    bool m_succeeded = false;
    bool m_isRetry = false;
};
