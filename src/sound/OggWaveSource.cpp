#include "sound/OggWaveSource.h"

#include "foundation/VirtualFile.h"
#include "sound/OggLinkCheck.h"
#include "sound/WaveBlockPool.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

CVirtualFile* FileOf(void* source)
{
    return static_cast<CVirtualFile*>(source);
}

size_t ReadCallback(void* destination, size_t size, size_t count, void* source)
{
    if (size == 0 || !source)
        return 0;
    const auto bytes = static_cast<uint32_t>(std::min<size_t>(size * std::min<size_t>(count, UINT32_MAX / size), UINT32_MAX));
    return FileOf(source)->Read(destination, bytes) / size;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence)
{
    CVirtualFile* file = FileOf(source);
    if (!file)
        return -1;
    int64_t target;
    switch (whence) {
    case SEEK_SET:
        target = offset;
        break;
    case SEEK_CUR:
        target = int64_t{file->GetPosition()} + offset;
        break;
    case SEEK_END:
        target = int64_t{file->GetSize()} + offset;
        break;
    default:
        return -1;
    }
    if (target < 0 || target > UINT32_MAX)
        return -1;
    return file->Seek(static_cast<uint32_t>(target)) ? 0 : -1;
}

long TellCallback(void* source)
{
    return source ? FileOf(source)->GetPosition() : -1;
}

// The source closes its file itself, after the decoder lets go of it.
const ov_callbacks kCallbacks = {&ReadCallback, &SeekCallback, nullptr, &TellCallback};

bool SameFormat(const vorbis_info* link, const vorbis_info* first)
{
    return link && link->channels == first->channels && link->rate == first->rate;
}

// Bounds a run of damaged pages, each of which the decoder reports and steps over.
constexpr int kMaxSkippedHoles = 1000;

// Clears the flag when the read ends, however it ends.
class ReadingGuard
{
public:
    explicit ReadingGuard(std::atomic<bool>& flag) : m_flag(flag), m_entered(!flag.exchange(true)) {}
    ~ReadingGuard()
    {
        if (m_entered)
            m_flag.store(false);
    }
    bool Entered() const { return m_entered; }

private:
    std::atomic<bool>& m_flag;
    bool m_entered;
};

} // namespace

COggWaveSource::COggWaveSource() = default;

COggWaveSource::~COggWaveSource()
{
    COggWaveSource::Close();
    CWaveBlockPool::DecoderStates().Give(m_decoder);
}

bool COggWaveSource::Open(CVirtualFile* file)
{
    Close();
    AdoptFile(file);
    if (!m_file)
        return false;
    if (!m_decoder)
        m_decoder = static_cast<OggVorbis_File*>(CWaveBlockPool::DecoderStates().Take());
    // Files whose headers libvorbisfile would refuse never reach it: it loses memory refusing them.
    if (!m_decoder || !OggLinksHaveWholeHeaders(*m_file) || !m_file->Seek(0) ||
        ov_open_callbacks(m_file, m_decoder, nullptr, 0, kCallbacks) < 0)
        return false;
    m_opened = true;
    // Opened seekable, the decoder stands at the last link of a chained file (several logical
    // streams back to back) until told to go to the start.
    const vorbis_info* info = ov_info(m_decoder, 0);
    if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0 || info->rate > 200000 ||
        (ov_streams(m_decoder) > 1 && ov_pcm_seek(m_decoder, 0) != 0)) {
        Close();
        return false;
    }
    // The links that follow the first in its format play; a link of another format ends the
    // sound, since the bytes delivered have one format.
    m_links = 1;
    while (m_links < ov_streams(m_decoder) && SameFormat(ov_info(m_decoder, m_links), info))
        ++m_links;
    int64_t samples = 0;
    for (long link = 0; link < m_links; ++link) {
        const ogg_int64_t linkSamples = ov_pcm_total(m_decoder, static_cast<int>(link));
        if (linkSamples < 0) {
            Close();
            return false;
        }
        samples += std::min<int64_t>(linkSamples, INT32_MAX);
    }
    SetPcmFormat(static_cast<uint16_t>(info->channels), static_cast<uint32_t>(info->rate), 16);
    const uint64_t length = static_cast<uint64_t>(samples) * m_format.blockAlign;
    m_pcmLength = static_cast<uint32_t>(std::min<uint64_t>(length, uint64_t{INT32_MAX} / m_format.blockAlign * m_format.blockAlign));
    m_dataSize = m_file->GetSize();
    return true;
}

uint32_t COggWaveSource::Read(void* destination, uint32_t bytes)
{
    ReadingGuard guard(m_reading);
    if (!guard.Entered() || !m_opened)
        return 0;
    auto* out = static_cast<char*>(destination);
    uint32_t delivered = 0;
    int holes = 0;
    while (delivered < bytes) {
        int stream = 0;
        const int want = static_cast<int>(std::min<uint32_t>(bytes - delivered, INT_MAX));
        const long got = ov_read(m_decoder, out + delivered, want, 0, 2, 1, &stream);
        if (got == OV_HOLE || got == OV_EBADLINK) {
            if (++holes > kMaxSkippedHoles)
                break;
            continue;
        }
        // Samples of a link past the playable ones are of another format: the sound ends there.
        if (got <= 0 || stream >= m_links)
            break;
        delivered += static_cast<uint32_t>(got);
    }
    return delivered;
}

int32_t COggWaveSource::Tell()
{
    if (!m_opened)
        return -1;
    const double seconds = ov_time_tell(m_decoder);
    if (seconds < 0)
        return -1;
    return static_cast<int32_t>(std::min(seconds * m_format.averageBytesPerSecond, double{INT32_MAX}));
}

bool COggWaveSource::Seek(uint32_t position)
{
    return m_opened && ov_time_seek(m_decoder, static_cast<double>(position) / m_format.averageBytesPerSecond) == 0;
}

void COggWaveSource::Close()
{
    if (m_opened)
        ov_clear(m_decoder);
    m_opened = false;
    CWaveSource::Close();
}
