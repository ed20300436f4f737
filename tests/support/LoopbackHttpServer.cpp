#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr size_t kMaxHead = 64 * 1024;

const char* ReasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

bool WaitReadable(int socket, int milliseconds)
{
    pollfd p{socket, POLLIN, 0};
    return poll(&p, 1, milliseconds) > 0;
}

} // namespace

std::string HttpExchange::Header(std::string_view name) const
{
    size_t line = head.find("\r\n");
    while (line != std::string::npos && line + 2 < head.size()) {
        const size_t start = line + 2;
        const size_t end = head.find("\r\n", start);
        const size_t colon = head.find(':', start);
        if (colon != std::string::npos && colon < end && colon - start == name.size() &&
            strncasecmp(head.c_str() + start, std::string(name).c_str(), name.size()) == 0) {
            size_t value = colon + 1;
            while (value < end && head[value] == ' ')
                ++value;
            return head.substr(value, end - value);
        }
        line = end;
    }
    return {};
}

bool HttpExchange::Send(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t n = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool HttpExchange::WaitForClose(int milliseconds) const
{
    char sink[4096];
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (WaitReadable(socket, 20) && recv(socket, sink, sizeof sink, 0) <= 0)
            return true;
    }
    return false;
}

std::string HttpAnswer(int status, std::string_view body, std::string_view extraHeaders)
{
    std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + ReasonOf(status) + "\r\n";
    answer += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n";
    answer += extraHeaders;
    answer += "\r\n";
    answer += body;
    return answer;
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler, bool keepRequests)
    : m_handler(std::move(handler)), m_keepRequests(keepRequests)
{
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_listener, 16) != 0 || getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        std::abort();
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Run(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_stop = true;
    m_thread.join();
    close(m_listener);
}

std::string LoopbackHttpServer::Url(std::string_view path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
}

std::vector<HttpExchange> LoopbackHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

size_t LoopbackHttpServer::RequestCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests.size();
}

void LoopbackHttpServer::Run()
{
    while (!m_stop) {
        if (!WaitReadable(m_listener, 20))
            continue;
        const int client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) {
            m_serving = true;
            Serve(client);
            close(client);
            ++m_served;
            m_serving = false;
        }
    }
}

void LoopbackHttpServer::Serve(int socket)
{
    HttpExchange exchange;
    exchange.socket = socket;
    std::string bytes;
    char chunk[4096];
    size_t headEnd = std::string::npos;
    while ((headEnd = bytes.find("\r\n\r\n")) == std::string::npos && bytes.size() < kMaxHead) {
        if (!WaitReadable(socket, 5000))
            return;
        const ssize_t n = recv(socket, chunk, sizeof chunk, 0);
        if (n <= 0)
            return;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    if (headEnd == std::string::npos)
        return;
    exchange.head = bytes.substr(0, headEnd + 2);
    exchange.body = bytes.substr(headEnd + 4);
    const size_t firstBlank = exchange.head.find(' ');
    const size_t secondBlank = exchange.head.find(' ', firstBlank + 1);
    exchange.method = exchange.head.substr(0, firstBlank);
    exchange.path = exchange.head.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    const size_t contentLength = std::strtoul(exchange.Header("Content-Length").c_str(), nullptr, 10);
    while (exchange.body.size() < contentLength && WaitReadable(socket, 5000)) {
        const ssize_t n = recv(socket, chunk, sizeof chunk, 0);
        if (n <= 0)
            break;
        exchange.body.append(chunk, static_cast<size_t>(n));
    }
    if (m_keepRequests) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(exchange);
        m_requests.back().socket = -1;
    }
    m_handler(exchange);
    // Let the client read everything before the socket closes, or it may see a reset instead.
    shutdown(socket, SHUT_WR);
    exchange.WaitForClose(2000);
}

} // namespace testsupport
