// The internet transfer against a loopback server: bodies arrive byte for byte, failures of every
// kind fail and set the connection-lost flag, and requests carry the headers and forms they should.
#include "LoopbackHttpServer.h"
#include "foundation/FileBuf.h"
#include "foundation/VersionText.h"
#include "foundation/VirtualFile.h"
#include "online/InternetConnectionState.h"
#include "online/InternetTransfer.h"
#include "platform/Http.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <map>
#include <thread>

using testsupport::HttpAnswer;
using testsupport::HttpExchange;

namespace {

std::string MakePayload(size_t n)
{
    std::string bytes(n, '\0');
    uint32_t x = 12345;
    for (char& c : bytes)
        c = static_cast<char>((x = x * 1103515245 + 12345) >> 23);
    return bytes;
}

const std::string kPayload = MakePayload(100 * 1024);

std::string Chunked(const std::string& body, size_t piece)
{
    std::string out = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
    for (size_t at = 0; at < body.size(); at += piece) {
        const std::string part = body.substr(at, piece);
        char size[16];
        std::snprintf(size, sizeof size, "%zx\r\n", part.size());
        out += size + part + "\r\n";
    }
    return out + "0\r\n\r\n";
}

void Serve(HttpExchange& x)
{
    const std::string& p = x.path;
    if (p == "/plain" || p == "/headers")
        x.Send(HttpAnswer(200, kPayload));
    else if (p == "/chunked")
        x.Send(Chunked(kPayload, 3000));
    else if (p == "/moved")
        x.Send(HttpAnswer(302, "elsewhere", "Location: /plain\r\n"));
    else if (p == "/loop")
        x.Send(HttpAnswer(302, "", "Location: /loop\r\n"));
    else if (p == "/moved-cut")
        x.Send(HttpAnswer(302, "", "Location: /cut\r\n"));
    else if (p == "/missing")
        x.Send(HttpAnswer(404, "not here"));
    else if (p == "/broken")
        x.Send(HttpAnswer(500, "oops"));
    else if (p == "/choices") // below 400, so only our own check of the status fails it
        x.Send(HttpAnswer(300, "choose"));
    else if (p == "/cut")
        x.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + kPayload.substr(0, 300));
    else if (p == "/big")
        x.Send(HttpAnswer(200, MakePayload(2 << 20)));
    else if (p == "/big-chunked")
        x.Send(Chunked(MakePayload(2 << 20), 65536));
    else if (p == "/stall" && x.Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + kPayload.substr(0, 5000)))
        x.WaitForClose(20000);
    else if (p == "/silent")
        x.WaitForClose(20000);
    else if (p == "/form")
        x.Send(HttpAnswer(200, "thanks"));
}

// A memory file as the destination.
struct MemoryFile
{
    CVirtualFile file;
    MemoryFile() { file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ); }
    std::string Contents()
    {
        auto* buffer = static_cast<CFileBuf*>(file.GetStream());
        return buffer->GetSize() ? std::string(reinterpret_cast<const char*>(buffer->GetData()), buffer->GetSize())
                                 : std::string();
    }
};

class InternetTransferTest : public ::testing::Test
{
protected:
    void SetUp() override { SetInternetConnected(); }
    void TearDown() override
    {
        transfer.Cancel();
        transfer.SetSilenceTimeout(15);
        platform::SetHttpLibraryName(nullptr);
    }

    // Polls the way the wait dialog does, a frame at a time.
    bool WaitIdle()
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!transfer.IsIdle() && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return transfer.IsIdle();
    }

    // Downloads the path, directly, at once or polled; true when it succeeded.
    bool Fetch(const std::string& path, bool polled, MemoryFile& into)
    {
        const std::string url = server.Url(path);
        if (!polled)
            return transfer.DownloadSync(url.c_str(), &into.file, true, nullptr);
        EXPECT_TRUE(transfer.Download(url.c_str(), &into.file, true, nullptr));
        EXPECT_TRUE(WaitIdle());
        return transfer.Succeeded();
    }

    CInternetTransfer& transfer = CInternetTransfer::GetInstance();
    testsupport::LoopbackHttpServer server{Serve};
};

TEST_F(InternetTransferTest, BodiesArriveByteForByte)
{
    for (bool polled : {false, true})
        for (const char* path : {"/plain", "/chunked", "/moved"}) {
            SCOPED_TRACE(std::string(path) + (polled ? " polled" : " at once"));
            MemoryFile into;
            EXPECT_TRUE(Fetch(path, polled, into));
            EXPECT_TRUE(into.Contents() == kPayload);
            EXPECT_FALSE(IsInternetConnectionLost());
        }
    EXPECT_TRUE(IsInternetConnected());
}

TEST_F(InternetTransferTest, FailuresSetTheLostFlagAndKeepErrorPagesOut)
{
    for (bool polled : {false, true})
        for (const char* path : {"/missing", "/broken", "/choices", "/cut", "/big", "/big-chunked", "/loop"}) {
            SCOPED_TRACE(std::string(path) + (polled ? " polled" : " at once"));
            SetInternetConnected();
            MemoryFile into;
            EXPECT_FALSE(Fetch(path, polled, into));
            EXPECT_TRUE(IsInternetConnectionLost());
            EXPECT_FALSE(IsInternetConnected());
            if (std::string(path) == "/missing" || std::string(path) == "/broken" || std::string(path) == "/choices") {
                EXPECT_EQ("", into.Contents());
            }
            EXPECT_LE(into.Contents().size(), size_t{1} << 20);
        }
}

TEST_F(InternetTransferTest, RedirectedFailureIsRetriedOnceIntoTheRewoundDestination)
{
    MemoryFile into;
    EXPECT_FALSE(Fetch("/loop", true, into));
    EXPECT_EQ(12u, server.RequestCount()); // the first request and 5 redirects, twice

    MemoryFile cut;
    cut.file.Write("keep", 4);
    EXPECT_FALSE(Fetch("/moved-cut", true, cut));
    EXPECT_EQ("keep" + kPayload.substr(0, 300), cut.Contents());
    const auto requests = server.Requests();
    EXPECT_EQ("/cut", requests.back().path); // the retry went straight to the last address
}

TEST_F(InternetTransferTest, RequestsCarryTheAgentAndNoCacheHeaders)
{
    MemoryFile into;
    ASSERT_TRUE(Fetch("/headers", true, into));
    const HttpExchange request = server.Requests().at(0);
    EXPECT_EQ("GET", request.method);
    EXPECT_EQ(FormatProductVersionText().CStr(), request.Header("User-Agent"));
    EXPECT_EQ("no-cache", request.Header("Pragma"));
    EXPECT_EQ("no-cache", request.Header("Cache-Control"));
}

// The form decoding of a browser's server, written independently of the transfer.
std::multimap<std::string, std::string> DecodeForm(const std::string& body)
{
    auto decode = [](const std::string& text) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '+')
                out += ' ';
            else if (text[i] == '%' && i + 2 < text.size())
                out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
            else
                out += text[i];
        }
        return out;
    };
    std::multimap<std::string, std::string> fields;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        end = end == std::string::npos ? body.size() : end;
        const std::string field = body.substr(start, end - start);
        const size_t equals = field.find('=');
        fields.emplace(decode(field.substr(0, equals)), decode(field.substr(equals + 1)));
        start = end + 1;
    }
    return fields;
}

TEST_F(InternetTransferTest, PostedFormsArriveAndDecodeBackExactly)
{
    const std::multimap<std::string, std::string> fields = {
        {"name", "Ann & Bob = \"us\""}, {"mail", "a+b@x.org"}, {"note", "100% sure\r\n\xE9t\xE9"}, {"e&=", ""}};
    CSharedString form;
    for (const auto& [name, value] : fields)
        transfer.AppendFormField(form, name.c_str(), value.c_str());
    for (bool polled : {false, true}) {
        MemoryFile answer;
        if (polled) {
            ASSERT_TRUE(transfer.Post("127.0.0.1", server.Port(), false, "/form", form.CStr(), &answer.file, nullptr));
            ASSERT_TRUE(WaitIdle());
            EXPECT_TRUE(transfer.Succeeded());
        } else {
            EXPECT_TRUE(transfer.PostSync("127.0.0.1", server.Port(), false, "/form", form.CStr(), &answer.file, nullptr));
        }
        EXPECT_EQ("thanks", answer.Contents());
        const HttpExchange request = server.Requests().back();
        EXPECT_EQ("POST", request.method);
        EXPECT_EQ("/form", request.path);
        EXPECT_EQ("application/x-www-form-urlencoded", request.Header("Content-Type"));
        EXPECT_EQ("*/*", request.Header("Accept"));
        EXPECT_EQ(fields, DecodeForm(request.body));
    }
}

TEST_F(InternetTransferTest, CancelMidBodyFailsAtOnce)
{
    MemoryFile into;
    ASSERT_TRUE(transfer.Download(server.Url("/stall").c_str(), &into.file, true, nullptr));
    EXPECT_FALSE(transfer.Download(server.Url("/plain").c_str(), &into.file, true, nullptr)); // one at a time
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (into.Contents().size() < 5000 && std::chrono::steady_clock::now() < limit)
        ASSERT_FALSE(transfer.IsIdle());
    CSharedString status;
    transfer.GetStatusText(status);
    EXPECT_EQ(0, std::strncmp(status.CStr(), "Response Received ( ", 20)) << status.CStr();
    transfer.Cancel();
    EXPECT_TRUE(transfer.IsIdle());
    EXPECT_FALSE(transfer.Succeeded());
    EXPECT_TRUE(IsInternetConnectionLost());
    transfer.GetStatusText(status);
    EXPECT_STREQ("Transfer Complete", status.CStr());
}

TEST_F(InternetTransferTest, NoListenerAndSilentServerFail)
{
    int port = 0;
    {
        testsupport::LoopbackHttpServer closed{Serve};
        port = closed.Port();
    }
    const std::string nobody = "http://127.0.0.1:" + std::to_string(port) + "/plain";
    EXPECT_FALSE(transfer.DownloadSync(nobody.c_str(), nullptr, true, nullptr));
    EXPECT_TRUE(IsInternetConnectionLost());

    transfer.SetSilenceTimeout(1);
    SetInternetConnected();
    const auto start = std::chrono::steady_clock::now();
    MemoryFile into;
    EXPECT_FALSE(Fetch("/silent", false, into));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(IsInternetConnectionLost());
}

TEST_F(InternetTransferTest, WithoutTheLibraryEveryRequestFailsAtOnce)
{
    ASSERT_TRUE(transfer.IsAvailable());
    for (const char* library : {"/nonexistent/libcurl.so.4", "libz.so.1"}) {
        SCOPED_TRACE(library);
        platform::SetHttpLibraryName(library);
        EXPECT_FALSE(transfer.IsAvailable());
        for (bool polled : {false, true}) {
            SetInternetConnected();
            MemoryFile into;
            EXPECT_FALSE(Fetch("/plain", polled, into));
            EXPECT_TRUE(IsInternetConnectionLost());
        }
        EXPECT_EQ(0u, server.RequestCount());
    }
    platform::SetHttpLibraryName(nullptr);
    EXPECT_TRUE(transfer.IsAvailable());
}

} // namespace
