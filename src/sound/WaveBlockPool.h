#pragma once
// A pool of equal blocks that wave sources borrow: the scratch blocks of crossfades and the Ogg
// decoder states. Starting a song or a crossfade then takes a block made earlier instead of
// allocating in the middle of play. Blocks are kept until the program ends; the pool starts
// with three.
//
// The rule for callers: give back only blocks taken from the same pool. Safe from any thread
// (the stream timer reads sources too).
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

class CWaveBlockPool
{
public:
    static constexpr size_t kScratchBytes = 100000;
    static constexpr int kInitialBlocks = 3;

    // The pool of 100,000-byte scratch blocks.
    static CWaveBlockPool& Scratch();
    // The pool of Ogg decoder states.
    static CWaveBlockPool& DecoderStates();

    explicit CWaveBlockPool(size_t blockBytes);
    ~CWaveBlockPool();
    CWaveBlockPool(const CWaveBlockPool&) = delete;
    CWaveBlockPool& operator=(const CWaveBlockPool&) = delete;

    // A free block, or a new one; null without memory.
    void* Take();
    // Null is ignored.
    void Give(void* block);

    size_t GetBlockBytes() const { return m_blockBytes; }
    size_t GetBlockCount() const;
    size_t GetFreeCount() const;

private:
    struct Slot
    {
        uint8_t* block;
        bool free;
    };

    size_t m_blockBytes;
    mutable std::mutex m_mutex;
    std::vector<Slot> m_slots;
};
