#include "sound/RiffWaveSource.h"

#include "foundation/ByteOrder.h"
#include "foundation/VirtualFile.h"
#include "platform/SoundDecoder.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// The most of a "fmt " chunk that matters: its fields, the size of the extra bytes, and extra
// bytes enough for 256 coefficient pairs.
constexpr uint32_t kMaxFormatBytes = 18 + 4 + 4 * 256;
// Positions are answered as 32-bit signed numbers.
constexpr uint64_t kMaxPcmLength = 0x7FFFFFFF;

uint32_t WholeFrames(uint64_t bytes, uint32_t frameBytes)
{
    const uint64_t limited = std::min(bytes, kMaxPcmLength);
    return static_cast<uint32_t>(limited - limited % frameBytes);
}

bool ReadExactly(CVirtualFile& file, uint8_t* bytes, uint32_t n)
{
    return file.Read(bytes, n) == n;
}

// WAVE_FORMAT_EXTENSIBLE: 22 extra bytes (a 16-bit union, the channel mask, the sub-format's
// GUID), the GUID being the plain format tag in its first two bytes and this tail after them.
constexpr uint16_t kWaveFormatExtensible = 0xFFFE;
constexpr uint32_t kExtensibleBytes = 22;
constexpr uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// The extensible form as its plain one: the sub-format's tag, and as extra bytes the union
// (samples per block for the ADPCM codecs) and whatever follows the 22 bytes. An unknown
// sub-format keeps the extensible tag, which no decoder takes.
void UnwrapExtensible(platform::CodedWaveFormat& coded)
{
    const std::vector<uint8_t>& extra = coded.extra;
    if (coded.formatTag != kWaveFormatExtensible || extra.size() < kExtensibleBytes ||
        std::memcmp(extra.data() + 8, kSubFormatTail, sizeof kSubFormatTail) != 0)
        return;
    coded.formatTag = LoadU16Le(extra.data() + 6);
    std::vector<uint8_t> plain(extra.begin(), extra.begin() + 2);
    plain.insert(plain.end(), extra.begin() + kExtensibleBytes, extra.end());
    coded.extra = std::move(plain);
}

void ParseFormat(const uint8_t* bytes, uint32_t size, platform::CodedWaveFormat& coded)
{
    coded.formatTag = LoadU16Le(bytes);
    coded.channels = LoadU16Le(bytes + 2);
    coded.samplesPerSecond = LoadU32Le(bytes + 4);
    coded.blockAlign = LoadU16Le(bytes + 12);
    coded.bitsPerSample = LoadU16Le(bytes + 14);
    coded.extra.clear();
    if (size >= 18) {
        const uint32_t extra = std::min<uint32_t>(LoadU16Le(bytes + 16), size - 18);
        coded.extra.assign(bytes + 18, bytes + 18 + extra);
    }
    UnwrapExtensible(coded);
}

} // namespace

CRiffWaveSource::CRiffWaveSource() = default;

CRiffWaveSource::~CRiffWaveSource()
{
    CRiffWaveSource::Close();
}

bool CRiffWaveSource::Open(CVirtualFile* file)
{
    AdoptFile(file);
    m_decoder.reset();
    m_pcmLength = m_dataSize = 0;
    m_delivered = m_consumed = m_decodedBytes = m_decodedOffset = 0;
    if (!m_file)
        return false;
    platform::CodedWaveFormat coded;
    uint64_t dataStart = 0;
    uint32_t factFrames = 0;
    bool haveFact = false;
    if (!ReadChunks(coded, dataStart, factFrames, haveFact) || dataStart > 0xFFFFFFFFu)
        return false;
    m_dataStart = static_cast<uint32_t>(dataStart);
    const bool ready = coded.formatTag == platform::kWaveFormatPcm ? SetUpPcm(coded)
                                                                    : SetUpDecoder(coded, factFrames, haveFact);
    return ready && m_file->Seek(m_dataStart);
}

bool CRiffWaveSource::ReadChunks(platform::CodedWaveFormat& coded, uint64_t& dataStart, uint32_t& factFrames,
                                 bool& haveFact)
{
    uint8_t header[12];
    if (!m_file->Seek(0) || !ReadExactly(*m_file, header, 12) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        return false;
    const uint64_t fileSize = m_file->GetSize();
    const uint64_t end = std::min<uint64_t>(fileSize, uint64_t{LoadU32Le(header + 4)} + 8);
    bool haveFormat = false, haveData = false;
    uint64_t dataSize = 0;
    // The chunks may come in any order; walk until both that matter are found.
    for (uint64_t position = 12; (!haveFormat || !haveData) && position + 8 <= end;) {
        uint8_t chunk[8];
        if (!m_file->Seek(static_cast<uint32_t>(position)) || !ReadExactly(*m_file, chunk, 8))
            return false;
        const uint32_t size = LoadU32Le(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            uint8_t format[kMaxFormatBytes];
            const uint32_t take = std::min(size, kMaxFormatBytes);
            if (size < 16 || !ReadExactly(*m_file, format, take))
                return false;
            ParseFormat(format, take, coded);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            dataStart = position + 8;
            dataSize = size;
            haveData = true;
        } else if (std::memcmp(chunk, "fact", 4) == 0 && size >= 4) {
            uint8_t count[4];
            if (ReadExactly(*m_file, count, 4)) {
                factFrames = LoadU32Le(count);
                haveFact = true;
            }
        }
        // A chunk of odd size is followed by a pad byte.
        position += 8 + uint64_t{size} + (size & 1);
    }
    if (!haveFormat || !haveData)
        return false;
    // A file cut short holds only the bytes that are there.
    m_dataSize = static_cast<uint32_t>(std::min(dataSize, fileSize > dataStart ? fileSize - dataStart : 0));
    return true;
}

bool CRiffWaveSource::SetUpPcm(const platform::CodedWaveFormat& coded)
{
    if (coded.channels < 1 || coded.channels > 2 || (coded.bitsPerSample != 8 && coded.bitsPerSample != 16) ||
        coded.samplesPerSecond == 0 || coded.samplesPerSecond > 200000)
        return false;
    SetPcmFormat(coded.channels, coded.samplesPerSecond, coded.bitsPerSample);
    m_pcmLength = WholeFrames(m_dataSize, m_format.blockAlign);
    return true;
}

bool CRiffWaveSource::SetUpDecoder(const platform::CodedWaveFormat& coded, uint32_t factFrames, bool haveFact)
{
    m_decoder = platform::CreateSoundDecoder(coded);
    if (!m_decoder)
        return false;
    const uint32_t blockBytes = m_decoder->GetBlockBytes();
    const uint32_t blockFrames = m_decoder->GetBlockFrames();
    // Without "fact", the frames the data holds. With it, no more than its blocks could hold,
    // so that a damaged count cannot ask for gigabytes of silence.
    uint64_t frames = m_decoder->CountFrames(m_dataSize);
    if (haveFact)
        frames = std::min<uint64_t>(factFrames, (uint64_t{m_dataSize} + blockBytes - 1) / blockBytes * blockFrames);
    SetPcmFormat(coded.channels, coded.samplesPerSecond, 16);
    m_pcmLength = WholeFrames(frames * m_format.blockAlign, m_format.blockAlign);
    m_input.resize(blockBytes);
    m_decoded.resize(size_t{blockFrames} * coded.channels);
    return true;
}

uint32_t CRiffWaveSource::Read(void* destination, uint32_t bytes)
{
    if (!m_file)
        return 0;
    const uint32_t want = std::min(bytes, m_pcmLength - m_delivered);
    if (!m_decoder) {
        const uint32_t got = m_file->Read(destination, want);
        m_delivered += got;
        return got;
    }
    Produce(static_cast<uint8_t*>(destination), want);
    m_delivered += want;
    return want;
}

void CRiffWaveSource::Produce(uint8_t* destination, uint32_t bytes)
{
    while (bytes > 0) {
        if (m_decodedOffset == m_decodedBytes && !DecodeNextBlock()) {
            // The data ran out before the PCM length: silence makes up the rest.
            if (destination)
                std::memset(destination, 0, bytes);
            return;
        }
        const uint32_t n = std::min(bytes, m_decodedBytes - m_decodedOffset);
        if (destination) {
            std::memcpy(destination, reinterpret_cast<const uint8_t*>(m_decoded.data()) + m_decodedOffset, n);
            destination += n;
        }
        m_decodedOffset += n;
        bytes -= n;
    }
}

bool CRiffWaveSource::DecodeNextBlock()
{
    while (m_consumed < m_dataSize) {
        const uint32_t n = std::min(m_decoder->GetBlockBytes(), m_dataSize - m_consumed);
        const uint32_t got = m_file->Read(m_input.data(), n);
        // A short read means the file ended early: nothing further can be read.
        m_consumed = got < n ? m_dataSize : m_consumed + n;
        const uint32_t frames = m_decoder->DecodeBlock(m_input.data(), got, m_decoded.data());
        m_decodedBytes = frames * m_format.blockAlign;
        m_decodedOffset = 0;
        if (frames > 0)
            return true;
    }
    return false;
}

int32_t CRiffWaveSource::Tell()
{
    return m_file ? static_cast<int32_t>(m_delivered) : -1;
}

bool CRiffWaveSource::Seek(uint32_t position)
{
    if (!m_file)
        return false;
    position = std::min(position, m_pcmLength);
    position -= position % m_format.blockAlign;
    if (!m_decoder) {
        if (!m_file->Seek(m_dataStart + position))
            return false;
        m_delivered = position;
        return true;
    }
    // Back to the start of the block that holds the position, then on through the block.
    const uint64_t blockPcm = uint64_t{m_decoder->GetBlockFrames()} * m_format.blockAlign;
    const uint64_t block = position / blockPcm;
    const auto coded = static_cast<uint32_t>(std::min<uint64_t>(block * m_decoder->GetBlockBytes(), m_dataSize));
    if (!m_file->Seek(m_dataStart + coded))
        return false;
    m_consumed = coded;
    m_decodedBytes = m_decodedOffset = 0;
    Produce(nullptr, static_cast<uint32_t>(position - block * blockPcm));
    m_delivered = position;
    return true;
}

void CRiffWaveSource::Close()
{
    CWaveSource::Close();
    m_decodedBytes = m_decodedOffset = 0;
}
