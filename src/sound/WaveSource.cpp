#include "sound/WaveSource.h"

#include "foundation/ByteOrder.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

bool ReadBytes(CVirtualFile& file, uint8_t* bytes, uint32_t n)
{
    return file.Read(bytes, n) == n;
}

bool IsPlayablePcm(const WaveFormat& format)
{
    return format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.samplesPerSecond > 0 &&
           format.samplesPerSecond <= 200000;
}

} // namespace

CWaveSource::~CWaveSource()
{
    delete m_file;
}

bool CWaveSource::Open(CVirtualFile* file)
{
    delete m_file;
    m_file = file;
    m_pcmLength = m_delivered = 0;
    if (!file || !file->Seek(0))
        return false;
    uint8_t header[12];
    if (!ReadBytes(*file, header, 12) || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return false;
    const uint64_t fileSize = file->GetSize();
    const uint64_t end = std::min<uint64_t>(fileSize, static_cast<uint64_t>(LoadU32Le(header + 4)) + 8);
    bool haveFormat = false, haveData = false;
    uint64_t dataStart = 0, dataSize = 0;
    uint64_t position = 12;
    // The chunks may come in any order; walk until both are found.
    while ((!haveFormat || !haveData) && position + 8 <= end) {
        uint8_t chunk[16];
        if (!file->Seek(static_cast<uint32_t>(position)) || !ReadBytes(*file, chunk, 8))
            return false;
        const uint64_t size = LoadU32Le(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || !ReadBytes(*file, chunk, 16))
                return false;
            m_format.formatTag = LoadU16Le(chunk);
            m_format.channels = LoadU16Le(chunk + 2);
            m_format.samplesPerSecond = LoadU32Le(chunk + 4);
            m_format.bitsPerSample = LoadU16Le(chunk + 14);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            dataStart = position + 8;
            dataSize = size;
            haveData = true;
        }
        position += 8 + size + (size & 1);   // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData || !IsPlayablePcm(m_format))
        return false;
    m_format.blockAlign = static_cast<uint16_t>(m_format.channels * m_format.bitsPerSample / 8);
    m_format.averageBytesPerSecond = m_format.blockAlign * m_format.samplesPerSecond;
    // A file cut short delivers what it holds.
    m_pcmLength = static_cast<uint32_t>(std::min(dataSize, fileSize > dataStart ? fileSize - dataStart : 0));
    return file->Seek(static_cast<uint32_t>(dataStart));
}

uint32_t CWaveSource::Read(void* destination, uint32_t bytes)
{
    if (!m_file)
        return 0;
    const uint32_t read = m_file->Read(destination, std::min(bytes, m_pcmLength - m_delivered));
    m_delivered += read;
    return read;
}

CWaveSource* OpenWaveSource(const char* fileName, uint32_t openFlags)
{
    auto* file = new (std::nothrow) CVirtualFile;
    if (!file)
        return nullptr;
    if (!file->Open(fileName, openFlags | VF_READ)) {
        delete file;
        return nullptr;
    }
    auto* source = new (std::nothrow) CWaveSource;
    if (!source) {
        delete file;
        return nullptr;
    }
    if (!source->Open(file)) {
        delete source;
        return nullptr;
    }
    return source;
}
