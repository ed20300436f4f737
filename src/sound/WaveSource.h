#pragma once
// A wave source: a sound file of the virtual file system read as PCM bytes of a known format and
// length. For now only plain PCM RIFF WAVE files are read (8 or 16 bits, 1 or 2 channels);
// compressed and Ogg Vorbis files come with the decoders.
//
// The rule for callers: OpenWaveSource's caller owns the source and deletes it.
#include <cstdint>

class CVirtualFile;

// The format of the PCM that a source delivers, as a RIFF "fmt " chunk holds it.
struct WaveFormat
{
    uint16_t formatTag = 1;   // 1: PCM
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 22050;
    uint32_t averageBytesPerSecond = 44100;
    uint16_t blockAlign = 2;
    uint16_t bitsPerSample = 16;
};

class CWaveSource
{
public:
    CWaveSource() = default;
    ~CWaveSource();
    CWaveSource(const CWaveSource&) = delete;
    CWaveSource& operator=(const CWaveSource&) = delete;

    // Takes the open file and reads its header; false for anything but plain PCM RIFF WAVE data.
    bool Open(CVirtualFile* file);
    // Up to bytes of PCM, never past the PCM length; answers the count delivered.
    uint32_t Read(void* destination, uint32_t bytes);
    uint32_t GetPCMLength() const { return m_pcmLength; }
    void GetWaveFormat(WaveFormat& format) const { format = m_format; }

private:
    CVirtualFile* m_file = nullptr;
    WaveFormat m_format;
    uint32_t m_pcmLength = 0;
    uint32_t m_delivered = 0;
};

// Opens the file (the flags plus reading) as a wave source; null when it cannot be opened or read.
CWaveSource* OpenWaveSource(const char* fileName, uint32_t openFlags);
