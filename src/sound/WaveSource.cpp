#include "sound/WaveSource.h"

#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "sound/OggWaveSource.h"
#include "sound/RiffWaveSource.h"
#include "sound/WaveBlockPool.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Mixes count samples of incoming into current (both little-endian 16-bit, any alignment).
void MixSamples(uint8_t* current, const uint8_t* incoming, uint32_t count, float share)
{
    for (uint32_t i = 0; i < count; ++i) {
        int16_t was, in;
        std::memcpy(&was, current + 2 * i, 2);
        std::memcpy(&in, incoming + 2 * i, 2);
        float value = static_cast<float>(was) + static_cast<float>(in - was) * share;
        // Written so that a weight that is not a number still lands within the range.
        if (!(value > -32767.0f))
            value = -32767.0f;
        if (value > 32767.0f)
            value = 32767.0f;
        const auto mixed = static_cast<int16_t>(value);
        std::memcpy(current + 2 * i, &mixed, 2);
    }
}

} // namespace

CWaveSource::~CWaveSource()
{
    CWaveSource::Close();
    CWaveBlockPool::Scratch().Give(m_scratch);
}

int32_t CWaveSource::Tell()
{
    return m_file ? m_file->GetPosition() : -1;
}

bool CWaveSource::Seek(uint32_t position)
{
    return m_file && m_file->Seek(position);
}

void CWaveSource::Close()
{
    delete m_file;
    m_file = nullptr;
}

void CWaveSource::AdoptFile(CVirtualFile* file)
{
    if (file != m_file)
        delete m_file;
    m_file = file;
}

void CWaveSource::SetPcmFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample)
{
    m_format.formatTag = 1;
    m_format.channels = channels;
    m_format.samplesPerSecond = samplesPerSecond;
    m_format.bitsPerSample = bitsPerSample;
    m_format.blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    m_format.averageBytesPerSecond = m_format.blockAlign * samplesPerSecond;
}

void CWaveSource::GetWaveFormat(WaveFormat& format) const
{
    format = m_format;
    format.formatTag = 1;
}

uint32_t CWaveSource::ReadInto(void* first, uint32_t firstLength, void* second, uint32_t secondLength)
{
    const uint32_t delivered = first ? Read(first, firstLength) : 0;
    if (!second || secondLength == 0 || delivered < firstLength)
        return delivered;
    return delivered + Read(second, secondLength);
}

uint32_t CWaveSource::MixInto(void* first, uint32_t firstLength, void* second, uint32_t secondLength, float weight)
{
    if (m_format.bitsPerSample != 16)
        return 0;
    if (!m_scratch)
        m_scratch = static_cast<uint8_t*>(CWaveBlockPool::Scratch().Take());
    if (!m_scratch)
        return 0;
    const float share = 1.0f - weight;
    const struct
    {
        uint8_t* bytes;
        uint32_t length;
    } spans[2] = {{static_cast<uint8_t*>(first), first ? firstLength : 0},
                  {static_cast<uint8_t*>(second), second ? secondLength : 0}};
    uint32_t total = 0;
    for (const auto& span : spans) {
        // Whole samples, a scratch block at a time.
        for (uint32_t done = 0; span.length - done >= 2;) {
            const auto want = static_cast<uint32_t>(std::min<size_t>(span.length - done, CWaveBlockPool::kScratchBytes)) & ~1u;
            const uint32_t got = Read(m_scratch, want);
            MixSamples(span.bytes + done, m_scratch, got / 2, share);
            total += got;
            done += got;
            if (got < want)
                return total;
        }
    }
    return total;
}

CWaveSource* OpenWaveSource(CVirtualFile* file)
{
    if (!file)
        return nullptr;
    uint8_t header[12] = {};
    const bool riff = file->Seek(0) && file->Read(header, 12) == 12 && std::memcmp(header, "RIFF", 4) == 0 &&
                      std::memcmp(header + 8, "WAVE", 4) == 0;
    file->Seek(0);
    std::unique_ptr<CWaveSource> source;
    if (riff)
        source.reset(new (std::nothrow) CRiffWaveSource);
    else
        source.reset(new (std::nothrow) COggWaveSource);
    if (!source) {
        delete file;
        return nullptr;
    }
    return source->Open(file) ? source.release() : nullptr;
}

CWaveSource* OpenWaveSource(const char* fileName, uint32_t openFlags)
{
    auto* file = new (std::nothrow) CVirtualFile;
    if (!file)
        return nullptr;
    if (!fileName || !file->Open(fileName, openFlags | VF_READ)) {
        delete file;
        return nullptr;
    }
    return OpenWaveSource(file);
}
