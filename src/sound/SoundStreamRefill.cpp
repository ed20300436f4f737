// The refill of a sound stream's ring: the step the timer (or Update) runs, and the fill that
// decodes the song, mixes in the queued source and pads the end of a song with silence.
#include "platform/SoundBuffer.h"
#include "sound/SoundStream.h"
#include "sound/SoundStreamState.h"

#include <algorithm>
#include <cstring>

// The one or two spans a lock of the ring gives, addressed as one run of bytes.
class CSoundStream::Regions
{
public:
    Regions(uint8_t* first, uint32_t firstSize, uint8_t* second, uint32_t secondSize)
        : m_span{first, second}, m_size{firstSize, second ? secondSize : 0}
    {
    }

    uint32_t GetSize() const { return m_size[0] + m_size[1]; }

    // The bytes [offset, offset + count) as up to two spans.
    void Slice(uint32_t offset, uint32_t count, uint8_t*& first, uint32_t& firstSize, uint8_t*& second,
               uint32_t& secondSize) const
    {
        if (offset < m_size[0]) {
            first = m_span[0] + offset;
            firstSize = std::min(count, m_size[0] - offset);
            second = m_span[1];
            secondSize = count - firstSize;
        } else {
            first = m_span[1] + (offset - m_size[0]);
            firstSize = count;
            second = nullptr;
            secondSize = 0;
        }
    }

    void Fill(uint32_t offset, uint32_t count, uint8_t value) const
    {
        uint8_t *first, *second;
        uint32_t firstSize, secondSize;
        Slice(offset, count, first, firstSize, second, secondSize);
        std::memset(first, value, firstSize);
        if (secondSize)
            std::memset(second, value, secondSize);
    }

private:
    uint8_t* m_span[2];
    uint32_t m_size[2];
};

void CSoundStream::RefillStep()
{
    State& s = *m_state;
    if (!s.playing || (s.muted && !s.stopRequested) || !s.ring)
        return;
    const uint32_t play = s.ring->GetPlayPosition();
    const uint32_t write = s.ring->GetWritePosition();
    if (s.bytesToPlay > 0)
        s.bytesToPlay -= (play + kRingBytes - s.lastPlayCursor) % kRingBytes;
    s.lastPlayCursor = play;

    if (s.ending && !s.stopRequested) {
        if (s.looping) {
            s.ending = false;
            RewindSources();
        } else if (s.bytesToPlay <= 0) {
            s.stopRequested = true;   // the last of the song has been heard
        }
    }
    if (s.stopRequested) {
        StopRing();
        return;
    }
    // The write cursor has wrapped round past the end of the ring: the next step writes.
    if (play >= write)
        return;
    const uint32_t free = (play + kRingBytes - s.writePosition) % kRingBytes;
    if (free < kMinimumRefill)
        return;
    s.writePosition = (s.writePosition + FillRing(s.writePosition, free)) % kRingBytes;
}

uint32_t CSoundStream::FillRing(uint32_t position, uint32_t bytes)
{
    State& s = *m_state;
    uint8_t *first = nullptr, *second = nullptr;
    uint32_t firstSize = 0, secondSize = 0;
    if (!s.ring->Lock(position, bytes, &first, &firstSize, &second, &secondSize))
        return 0;
    const Regions regions(first, firstSize, second, secondSize);
    const uint32_t size = regions.GetSize();
    uint32_t done = 0;
    bool rewound = false;
    uint32_t sinceRewind = 0;
    bool exhausted = false;
    while (done < size) {
        const uint32_t want = std::min(size - done, s.remaining);
        const uint32_t got = want ? ReadSources(regions, done, want) : 0;
        s.remaining -= got;
        done += got;
        sinceRewind += got;
        if (s.remaining != 0 && got != 0)
            continue;
        // A looping song goes on from its start at once, so that the ring never holds a gap; one
        // that gave nothing since its last start would only spin.
        if (s.looping && (!rewound || sinceRewind != 0)) {
            RewindSources();
            rewound = true;
            sinceRewind = 0;
            continue;
        }
        exhausted = true;
        break;
    }
    if (exhausted) {
        if (!s.ending) {
            s.ending = true;
            s.bytesToPlay = static_cast<int64_t>(done) - size + kRingBytes;
        }
        regions.Fill(done, size - done, s.format.bitsPerSample == 8 ? 0x80 : 0);
        done = size;
    }
    s.ring->Unlock();
    return done;
}

uint32_t CSoundStream::ReadSources(const Regions& regions, uint32_t offset, uint32_t bytes)
{
    State& s = *m_state;
    uint8_t *first, *second;
    uint32_t firstSize, secondSize;
    regions.Slice(offset, bytes, first, firstSize, second, secondSize);
    const int32_t position = s.current->Tell();
    const uint32_t got = s.current->ReadInto(first, firstSize, second, secondSize);
    if (!s.next || got == 0)
        return got;
    if (!s.nextAligned && !s.nextFromStart) {
        // Another mix of the same piece joins where the playing one is.
        s.nextAligned = true;
        if (position >= 0)
            s.next->Seek(static_cast<uint32_t>(position));
    }
    regions.Slice(offset, got, first, firstSize, second, secondSize);
    s.nextRead += s.next->MixInto(first, firstSize, second, secondSize, s.weight);
    return got;
}

void CSoundStream::RewindSources()
{
    State& s = *m_state;
    s.remaining = s.total;
    s.current->Seek(0);
    if (s.next && !s.nextFromStart)
        s.next->Seek(0);
}

void CSoundStream::StopRing()
{
    State& s = *m_state;
    s.ring->Stop();
    s.ring->SetPosition(0);
    s.playing = false;
    s.writePosition = 0;
    s.ending = false;
}
