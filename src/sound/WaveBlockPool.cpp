#include "sound/WaveBlockPool.h"

#include <vorbis/vorbisfile.h>

#include <new>

CWaveBlockPool& CWaveBlockPool::Scratch()
{
    // Never destroyed: a source may give its block back while the program ends.
    static CWaveBlockPool* s_pool = new CWaveBlockPool(kScratchBytes);
    return *s_pool;
}

CWaveBlockPool& CWaveBlockPool::DecoderStates()
{
    static CWaveBlockPool* s_pool = new CWaveBlockPool(sizeof(OggVorbis_File));
    return *s_pool;
}

CWaveBlockPool::CWaveBlockPool(size_t blockBytes) : m_blockBytes(blockBytes)
{
    for (int i = 0; i < kInitialBlocks; ++i)
        if (auto* block = new (std::nothrow) uint8_t[m_blockBytes])
            m_slots.push_back({block, true});
}

CWaveBlockPool::~CWaveBlockPool()
{
    for (const Slot& slot : m_slots)
        delete[] slot.block;
}

void* CWaveBlockPool::Take()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Slot& slot : m_slots)
        if (slot.free) {
            slot.free = false;
            return slot.block;
        }
    auto* block = new (std::nothrow) uint8_t[m_blockBytes];
    if (block)
        m_slots.push_back({block, false});
    return block;
}

void CWaveBlockPool::Give(void* block)
{
    if (!block)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Slot& slot : m_slots)
        if (slot.block == block)
            slot.free = true;
}

size_t CWaveBlockPool::GetBlockCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_slots.size();
}

size_t CWaveBlockPool::GetFreeCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    size_t count = 0;
    for (const Slot& slot : m_slots)
        count += slot.free ? 1 : 0;
    return count;
}
