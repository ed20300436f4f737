#include "platform/HttpTransfer.h"

#include "platform/CurlApi.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

using namespace curl;

struct HttpTransfer::State
{
    const Api* api = nullptr;
    Multi* multi = nullptr;
    Easy* easy = nullptr;
    Slist* headers = nullptr;
    HttpRequest request;
    BodySink body;
    EventSink events;
    bool running = false;
    bool succeeded = false;
    long status = 0;
    long answerStatus = 0;    // of the answer whose headers are arriving
    std::string location;     // its Location header
    uint32_t received = 0;
    std::string error;
    char errorBuffer[kErrorBufferSize] = {};

    void Emit(HttpEventKind kind, std::string text = {}, uint32_t bytes = 0)
    {
        if (events)
            events(HttpEvent{kind, std::move(text), bytes});
    }

    // A part of the address made of base and, when given, an address relative to it; empty when
    // the library cannot take them apart.
    std::string UrlPart(const char* base, const char* relative, int part)
    {
        std::string result;
        Url* url = api->urlNew();
        if (!url)
            return result;
        char* text = nullptr;
        if (base && api->urlSet(url, kUrlPartWhole, base, 0) == 0 &&
            (!relative || api->urlSet(url, kUrlPartWhole, relative, 0) == 0) &&
            api->urlGet(url, part, &text, 0) == 0 && text) {
            result = text;
        }
        if (text)
            api->free(text);
        api->urlCleanup(url);
        return result;
    }

    void Cleanup()
    {
        if (easy || multi)
            Emit(HttpEventKind::HandleClosing);
        if (multi && easy)
            api->multiRemoveHandle(multi, easy);
        if (easy)
            api->easyCleanup(easy);
        if (multi)
            api->multiCleanup(multi); // closes the connections it kept, through OnCloseSocket
        if (headers)
            api->slistFreeAll(headers);
        easy = multi = headers = nullptr;
        running = false;
    }

    void Finish(int result)
    {
        long code = 0;
        api->easyGetinfo(easy, kInfoResponseCode, &code);
        status = code;
        succeeded = result == 0 && code >= 200 && code <= 299;
        if (error.empty() && result != 0)
            error = errorBuffer[0] ? errorBuffer : api->easyStrerror(result);
        else if (error.empty() && !succeeded)
            error = "HTTP status " + std::to_string(code);
        Emit(HttpEventKind::Complete);
        Cleanup();
    }
};

namespace {

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto& s = *static_cast<HttpTransfer::State*>(user);
    const size_t n = size * count;
    long code = 0;
    s.api->easyGetinfo(s.easy, kInfoResponseCode, &code);
    if (code < 200 || code > 299) {
        s.error = "HTTP status " + std::to_string(code);
        return 0;
    }
    if (n > s.request.maxBodyBytes - s.received) {
        s.error = "the answer is longer than " + std::to_string(s.request.maxBodyBytes) + " bytes";
        return 0;
    }
    s.received += static_cast<uint32_t>(n);
    s.Emit(HttpEventKind::ResponseReceived, {}, static_cast<uint32_t>(n));
    if (s.body && !s.body(data, n)) {
        s.error = "the received bytes could not be stored";
        return 0;
    }
    return n;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto& s = *static_cast<HttpTransfer::State*>(user);
    const size_t n = size * count;
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    if (line.compare(0, 5, "HTTP/") == 0) {
        const size_t blank = line.find(' ');
        s.answerStatus = blank == std::string::npos ? 0 : std::atol(line.c_str() + blank + 1);
        s.location.clear();
        s.Emit(HttpEventKind::RequestSent);
        s.Emit(HttpEventKind::ReceivingResponse);
    } else if (line.empty()) {
        if (s.answerStatus >= 300 && s.answerStatus <= 399 && !s.location.empty()) {
            char* current = nullptr;
            s.api->easyGetinfo(s.easy, kInfoEffectiveUrl, &current);
            std::string target = s.UrlPart(current, s.location.c_str(), kUrlPartWhole);
            s.Emit(HttpEventKind::Redirected, target.empty() ? s.location : target);
        }
    } else if (strncasecmp(line.c_str(), "Location:", 9) == 0) {
        size_t start = 9;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
            ++start;
        s.location = line.substr(start);
    }
    return n;
}

std::string AddressText(const SocketAddress* address)
{
    sockaddr_storage storage{};
    std::memcpy(&storage, address->addr, std::min<size_t>(address->addrlen, sizeof storage));
    char text[INET6_ADDRSTRLEN] = {};
    if (storage.ss_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(&storage)->sin_addr, text, sizeof text);
    else if (storage.ss_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6*>(&storage)->sin6_addr, text, sizeof text);
    return text;
}

// We open and close the sockets ourselves only to report these steps; sockets are not inherited
// by programs the game starts.
int OnOpenSocket(void* user, int, SocketAddress* address)
{
    auto& s = *static_cast<HttpTransfer::State*>(user);
    const std::string text = AddressText(address);
    s.Emit(HttpEventKind::Resolved, text);
    s.Emit(HttpEventKind::Connecting, text);
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

int OnCloseSocket(void* user, int socket)
{
    auto& s = *static_cast<HttpTransfer::State*>(user);
    s.Emit(HttpEventKind::ClosingConnection);
    ::close(socket);
    s.Emit(HttpEventKind::ConnectionClosed);
    return 0;
}

int OnPrerequest(void* user, char* remoteIp, char*, int, int)
{
    auto& s = *static_cast<HttpTransfer::State*>(user);
    s.Emit(HttpEventKind::Connected, remoteIp ? remoteIp : "");
    s.Emit(HttpEventKind::SendingRequest);
    return 0;
}

// Every option the request needs; false when one that matters is refused.
bool SetOptions(HttpTransfer::State& s)
{
    const Api& a = *s.api;
    Easy* e = s.easy;
    const HttpRequest& r = s.request;
    void* user = &s;
    for (const std::string& line : r.headers)
        if (!(s.headers = a.slistAppend(s.headers, line.c_str())))
            return false;
    if (r.post && !(s.headers = a.slistAppend(s.headers, "Expect:"))) // no wait for "100 Continue"
        return false;
    // Options newer than some libraries (protocol lists, the pre-request hook) may be refused.
    a.easySetopt(e, kOptProtocols, "http,https");
    a.easySetopt(e, kOptRedirectProtocols, "http,https");
    a.easySetopt(e, kOptPrereqFunction, static_cast<PrereqFunction>(OnPrerequest));
    a.easySetopt(e, kOptPrereqData, user);
    int failed = a.easySetopt(e, kOptUrl, r.url.c_str());
    failed |= a.easySetopt(e, kOptErrorBuffer, s.errorBuffer);
    failed |= a.easySetopt(e, kOptWriteFunction, static_cast<WriteFunction>(OnBody));
    failed |= a.easySetopt(e, kOptWriteData, user);
    failed |= a.easySetopt(e, kOptHeaderFunction, static_cast<WriteFunction>(OnHeader));
    failed |= a.easySetopt(e, kOptHeaderData, user);
    failed |= a.easySetopt(e, kOptOpenSocketFunction, static_cast<OpenSocketFunction>(OnOpenSocket));
    failed |= a.easySetopt(e, kOptOpenSocketData, user);
    failed |= a.easySetopt(e, kOptCloseSocketFunction, static_cast<CloseSocketFunction>(OnCloseSocket));
    failed |= a.easySetopt(e, kOptCloseSocketData, user);
    failed |= a.easySetopt(e, kOptNoSignal, 1L);
    failed |= a.easySetopt(e, kOptFollowLocation, 1L);
    failed |= a.easySetopt(e, kOptMaxRedirects, r.maxRedirects);
    failed |= a.easySetopt(e, kOptFailOnError, 1L);
    failed |= a.easySetopt(e, kOptMaxFileSize, static_cast<long>(r.maxBodyBytes));
    failed |= a.easySetopt(e, kOptConnectTimeout, r.silenceSeconds);
    failed |= a.easySetopt(e, kOptLowSpeedLimit, 1L);
    failed |= a.easySetopt(e, kOptLowSpeedTime, r.silenceSeconds);
    if (!r.userAgent.empty())
        failed |= a.easySetopt(e, kOptUserAgent, r.userAgent.c_str());
    if (s.headers)
        failed |= a.easySetopt(e, kOptHttpHeader, s.headers);
    if (r.post) {
        failed |= a.easySetopt(e, kOptPost, 1L);
        failed |= a.easySetopt(e, kOptPostFieldSize, static_cast<long>(r.body.size()));
        failed |= a.easySetopt(e, kOptPostFields, r.body.data());
    }
    return failed == 0;
}

} // namespace

HttpTransfer::HttpTransfer() : m_state(std::make_unique<State>()) {}

HttpTransfer::~HttpTransfer()
{
    Cancel();
}

bool HttpTransfer::Start(const HttpRequest& request, BodySink body, EventSink events)
{
    Cancel();
    State& s = *m_state;
    s.request = request;
    s.body = std::move(body);
    s.events = std::move(events);
    s.succeeded = false;
    s.status = s.answerStatus = 0;
    s.received = 0;
    s.location.clear();
    s.error.clear();
    s.errorBuffer[0] = '\0';
    s.api = &GetApi();
    if (!s.api->loaded) {
        s.error = "the transfer library is not available";
        return false;
    }
    s.multi = s.api->multiInit();
    s.easy = s.api->easyInit();
    if (!s.multi || !s.easy || !SetOptions(s) || s.api->multiAddHandle(s.multi, s.easy) != 0) {
        s.error = "the request could not be set up";
        s.Cleanup();
        return false;
    }
    s.running = true;
    char handle[32];
    std::snprintf(handle, sizeof handle, "(%p)", s.easy);
    s.Emit(HttpEventKind::HandleCreated, handle);
    s.Emit(HttpEventKind::Resolving, s.UrlPart(s.request.url.c_str(), nullptr, kUrlPartHost));
    Poll(0);
    return true;
}

bool HttpTransfer::Poll(int waitMilliseconds)
{
    State& s = *m_state;
    if (!s.running)
        return false;
    int running = 0;
    int rc = s.api->multiPerform(s.multi, &running);
    if (rc == 0 && running && waitMilliseconds > 0) {
        s.api->multiPoll(s.multi, nullptr, 0, waitMilliseconds, nullptr);
        rc = s.api->multiPerform(s.multi, &running);
    }
    if (rc != 0) {
        s.error = "the transfer library failed";
        s.Finish(-1);
        return false;
    }
    int left = 0;
    while (Message* message = s.api->multiInfoRead(s.multi, &left)) {
        if (message->msg == kMessageDone) {
            s.Finish(message->data.result);
            break;
        }
    }
    return s.running;
}

void HttpTransfer::Cancel()
{
    State& s = *m_state;
    if (!s.running)
        return;
    s.succeeded = false;
    s.error = "cancelled";
    s.Cleanup();
}

bool HttpTransfer::IsRunning() const
{
    return m_state->running;
}

bool HttpTransfer::Succeeded() const
{
    return m_state->succeeded;
}

long HttpTransfer::GetStatus() const
{
    return m_state->status;
}

const std::string& HttpTransfer::GetError() const
{
    return m_state->error;
}

} // namespace platform
