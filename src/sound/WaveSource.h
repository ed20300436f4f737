#pragma once
// A wave source: a sound file of the virtual file system read as PCM bytes of a known format and
// a known length. Sound buffers read a source whole; the music stream reads one piece by piece,
// and mixes two of them for a crossfade. RIFF WAVE files (plain PCM, or IMA ADPCM, Microsoft
// ADPCM, A-law and mu-law decoded to 16 bits) are read by CRiffWaveSource; every other file is
// taken for Ogg Vorbis (COggWaveSource).
//
// The rule for callers: the caller of OpenWaveSource owns the source and deletes it. Positions
// (Tell, Seek) count PCM bytes from the start of the sound.
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
    // Closes the source (deleting its file) and gives its scratch block back.
    virtual ~CWaveSource();
    CWaveSource(const CWaveSource&) = delete;
    CWaveSource& operator=(const CWaveSource&) = delete;

    // Takes the open file (the source owns it from now on, also when this fails) and reads what
    // it needs to know; false when the file is not of this source's kind or cannot be decoded.
    virtual bool Open(CVirtualFile* file) = 0;
    // Up to bytes of PCM into the destination; answers the count delivered (0 at the end).
    virtual uint32_t Read(void* destination, uint32_t bytes) = 0;
    // The PCM byte position; -1 without a file.
    virtual int32_t Tell();
    // Moves to a PCM byte position; false when it cannot.
    virtual bool Seek(uint32_t position);
    // Lets the file go (deleting it).
    virtual void Close();

    // The format of the delivered PCM (tag 1 always).
    void GetWaveFormat(WaveFormat& format) const;
    uint32_t GetPCMLength() const { return m_pcmLength; }
    // Bytes of coded data in the file.
    uint32_t GetDataSize() const { return m_dataSize; }

    // Fills the two spans a lock of a circular buffer gives (the second may be null or empty);
    // answers the bytes delivered, which may fall short of both at the end of the sound.
    uint32_t ReadInto(void* first, uint32_t firstLength, void* second, uint32_t secondLength);
    // Crossfades this source into two spans that hold another source's 16-bit samples: each
    // becomes current + (incoming - current) x (1 - weight), truncated and kept within
    // -32767 .. 32767, so weight 1 keeps what is there and weight 0 gives this source. Samples
    // past what this source delivers stay as they were. Answers the bytes read from this source;
    // 0, changing nothing, for a source of 8-bit samples or without a scratch block.
    uint32_t MixInto(void* first, uint32_t firstLength, void* second, uint32_t secondLength, float weight);

protected:
    CWaveSource() = default;
    // Deletes the file it had and keeps this one.
    void AdoptFile(CVirtualFile* file);
    // The delivered format: PCM of these channels, rate and bits.
    void SetPcmFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample);

    CVirtualFile* m_file = nullptr;
    WaveFormat m_format;
    uint32_t m_pcmLength = 0;
    uint32_t m_dataSize = 0;

private:
    uint8_t* m_scratch = nullptr;
};

// Opens the file (the flags plus reading) and the source of its kind: RIFF WAVE files by their
// header, everything else as Ogg Vorbis. Null when the file cannot be opened or decoded.
CWaveSource* OpenWaveSource(const char* fileName, uint32_t openFlags);
// The same for a file already open; the file belongs to the source, and is deleted on failure.
CWaveSource* OpenWaveSource(CVirtualFile* file);
