#pragma once
// One HTTP or HTTPS request run step by step on the caller's thread, so that a frame loop can
// poll it while a dialog animates: Start, then Poll until it answers false. Redirects are
// followed. The request succeeds only when it completes with a final status of 200-299; the body
// of any other answer never reaches the body sink. Every callback runs inside Start, Poll or
// Cancel, on the caller's thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct HttpRequest
{
    std::string url;                  // http:// or https:// only
    bool post = false;
    std::string body;                 // sent with a POST
    std::vector<std::string> headers; // extra header lines, "Name: value"
    std::string userAgent;
    long maxRedirects = 5;
    uint32_t maxBodyBytes = 1u << 20;
    long silenceSeconds = 15;         // fails when the server stays silent this long
};

// What a running request reports, in the order it happens.
enum class HttpEventKind
{
    HandleCreated,     // text: the request's handle
    Resolving,         // text: the host name
    Resolved,          // text: the address found
    Connecting,        // text: the address
    Connected,         // text: the address
    SendingRequest,
    RequestSent,
    ReceivingResponse,
    ResponseReceived,  // bytes: the count just received
    Redirected,        // text: the new address, absolute
    Complete,
    HandleClosing,
    ClosingConnection,
    ConnectionClosed,
};

struct HttpEvent
{
    HttpEventKind kind;
    std::string text;
    uint32_t bytes = 0;
};

class HttpTransfer
{
public:
    // Receives the body as it arrives; false stops the request, which then fails.
    using BodySink = std::function<bool(const char* data, size_t n)>;
    using EventSink = std::function<void(const HttpEvent& event)>;

    HttpTransfer();
    // Stops a request that still runs.
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Starts the request (either sink may be empty) and runs what is ready at once. False, with
    // the request ended and failed, when the library is missing or the request cannot be set up.
    bool Start(const HttpRequest& request, BodySink body, EventSink events);
    // Runs what is ready, waiting at most waitMilliseconds for the network; true while the
    // request still runs.
    bool Poll(int waitMilliseconds = 0);
    // Ends a running request as failed.
    void Cancel();

    bool IsRunning() const;
    // The request ended complete with a final status of 200-299.
    bool Succeeded() const;
    // The last HTTP status received (0 before any).
    long GetStatus() const;
    // Why the request failed; empty while it runs or when it succeeded.
    const std::string& GetError() const;

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace platform
