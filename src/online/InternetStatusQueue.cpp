#include "online/InternetStatusQueue.h"

#include <algorithm>
#include <cstring>

void CInternetStatusQueue::Push(uint32_t status, const void* info, uint32_t length)
{
    m_lock.Lock();
    SEvent& event = m_events[m_count < kCapacity ? m_count++ : kCapacity - 1];
    event.m_status = status;
    event.m_length = std::min(length, kInfoSize);
    if (event.m_length)
        std::memcpy(event.m_info, info, event.m_length);
    m_lock.Unlock();
}

std::vector<CInternetStatusQueue::SEvent> CInternetStatusQueue::TakeAll()
{
    m_lock.Lock();
    std::vector<SEvent> events(m_events, m_events + m_count);
    m_count = 0;
    m_lock.Unlock();
    return events;
}

int CInternetStatusQueue::GetCount()
{
    m_lock.Lock();
    const int count = m_count;
    m_lock.Unlock();
    return count;
}

void CInternetStatusQueue::RecordRedirect(const char* address)
{
    const char* text = address ? address : "";
    const size_t n = std::min(std::strlen(text), size_t{kRedirectSize - 1});
    m_lock.Lock();
    std::memcpy(m_redirect, text, n);
    m_redirect[n] = '\0';
    ++m_redirectCount;
    m_lock.Unlock();
}

void CInternetStatusQueue::ClearRedirects()
{
    m_lock.Lock();
    m_redirectCount = 0;
    m_lock.Unlock();
}

int CInternetStatusQueue::GetRedirectCount(CSharedString* address)
{
    m_lock.Lock();
    const int count = m_redirectCount;
    if (address)
        address->SetText(m_redirect);
    m_lock.Unlock();
    return count;
}
