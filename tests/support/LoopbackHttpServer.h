#pragma once
// A small HTTP server on 127.0.0.1, on a port the system chooses, for transfer tests and fuzz
// targets. One thread accepts connections one after another, reads each request (its head, and a
// body of its Content-Length) and hands it to the handler, which writes whatever bytes it likes;
// the connection is then closed. Needs nothing but POSIX sockets.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace testsupport {

struct HttpExchange
{
    std::string method;
    std::string path;
    std::string head; // request line and header lines
    std::string body;
    int socket = -1;  // -1 in the copies kept by the server

    // The value of the first header of that name (any case), or empty.
    std::string Header(std::string_view name) const;
    // Writes every byte; false when the client has gone.
    bool Send(std::string_view bytes) const;
    // Waits until the client closes its end (what it sends is dropped); false when the time passed.
    bool WaitForClose(int milliseconds) const;
};

// A whole answer with Content-Length and "Connection: close"; extra header lines end in CR LF.
std::string HttpAnswer(int status, std::string_view body, std::string_view extraHeaders = {});

class LoopbackHttpServer
{
public:
    using Handler = std::function<void(HttpExchange& exchange)>;

    // keepRequests false keeps no copies of the requests (Requests() stays empty), so that a
    // server serving without end holds no more memory after a request than before it.
    explicit LoopbackHttpServer(Handler handler, bool keepRequests = true);
    // Stops accepting; waits for the handler running, if any.
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(std::string_view path) const;
    std::vector<HttpExchange> Requests() const;
    size_t RequestCount() const;
    // Connections served to their end: read, answered, closed, and everything the server took for
    // them given back.
    size_t ServedCount() const { return m_served.load(); }
    // Whether a connection is being served now.
    bool IsServing() const { return m_serving.load(); }

private:
    void Run();
    void Serve(int socket);

    Handler m_handler;
    int m_listener = -1;
    int m_port = 0;
    bool m_keepRequests;
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_served{0};
    std::atomic<bool> m_serving{false};
    mutable std::mutex m_mutex;
    std::vector<HttpExchange> m_requests;
    std::thread m_thread;
};

} // namespace testsupport
