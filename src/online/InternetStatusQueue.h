#pragma once
// The status events of the running request, waiting for the transfer's next poll, and the
// redirects seen since the request began. One mutex guards both, so the transfer library may
// report from any thread; the request logic drains them on the main thread.
#include "foundation/MutexLock.h"
#include "foundation/SharedString.h"

#include <cstdint>
#include <vector>

class CInternetStatusQueue
{
public:
    static constexpr int kCapacity = 64;
    static constexpr uint32_t kInfoSize = 256;
    static constexpr uint32_t kRedirectSize = 1024;

    struct SEvent
    {
        uint32_t m_status = 0;
        uint8_t m_info[kInfoSize] = {};
        uint32_t m_length = 0;
    };

    // Appends an event with up to 256 bytes of information (cut beyond). When the queue is full,
    // the new event replaces the last one.
    void Push(uint32_t status, const void* info, uint32_t length);
    // Hands over the waiting events, oldest first, and empties the queue.
    std::vector<SEvent> TakeAll();
    int GetCount();

    // Counts a redirect and keeps its address (at most 1,023 characters).
    void RecordRedirect(const char* address);
    void ClearRedirects();
    // The redirects counted since the last clear; address, when given, receives the last one.
    int GetRedirectCount(CSharedString* address = nullptr);

private:
    CMutexLock m_lock;
    SEvent m_events[kCapacity];
    int m_count = 0;
    char m_redirect[kRedirectSize] = {};
    int m_redirectCount = 0;
};
