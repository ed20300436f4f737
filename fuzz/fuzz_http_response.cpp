// Serves arbitrary bytes as the whole answer of a loopback server (status line, headers, body) to a
// polled download into a memory file, and decodes them as an address text. The download must end,
// never keep more than the body limit, and leave the status text "Transfer Complete"; decoding
// must never grow a text, and must give an escaped text back with its blanks as "+".
#include "LoopbackHttpServer.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"
#include "online/InternetTransfer.h"
#include "online/UrlText.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::mutex g_mutex;
std::string g_answer;

testsupport::LoopbackHttpServer& GetServer()
{
    // Made once and never destroyed: its thread serves every input. It keeps no copies of the
    // requests, so that it holds as much memory after an input as before.
    static auto* s_server = new testsupport::LoopbackHttpServer(
        [](testsupport::HttpExchange& exchange) {
            std::string answer;
            {
                std::lock_guard<std::mutex> lock(g_mutex);
                answer = g_answer;
            }
            exchange.Send(answer);
        },
        false);
    return *s_server;
}

// Waits until the server has finished with every connection of this input, so that none of its
// allocations or frees fall into the next input: libFuzzer's per-input leak check counts the
// mallocs and frees of every thread, and turns itself off after inputs that seem to leak.
void WaitUntilServed(size_t connectionsBefore)
{
    testsupport::LoopbackHttpServer& server = GetServer();
    for (int waited = 0; waited < 5000 && (server.ServedCount() <= connectionsBefore || server.IsServing()); ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_answer = bytes;
    }
    const size_t served = GetServer().ServedCount();
    CInternetTransfer& transfer = CInternetTransfer::GetInstance();
    transfer.SetSilenceTimeout(2);
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    if (!transfer.Download(GetServer().Url("/fuzz").c_str(), &file, true, nullptr))
        std::abort();
    while (!transfer.IsIdle())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    CSharedString status;
    transfer.GetStatusText(status);
    if (file.GetSize() > (1u << 20) || !(status == "Transfer Complete"))
        std::abort();
    WaitUntilServed(served);

    const std::string text = bytes.substr(0, bytes.find('\0'));
    if (UnescapeUrl(text.c_str()).GetLength() > static_cast<int>(text.size()))
        std::abort();
    std::string plus = text;
    for (char& c : plus)
        c = c == ' ' ? '+' : c;
    if (plus != UnescapeUrl(EscapeUrl(text.c_str()).CStr()).CStr())
        std::abort();
    return 0;
}
