#pragma once
// An Ogg Vorbis file as a wave source, decoded to 16-bit little-endian PCM through libvorbisfile,
// which reads the file through the virtual file system (so a song may lie in an archive).
//
// The rule for callers: a read that starts while another is under way on the same source (the
// stream timer's thread against the main thread) delivers nothing rather than entering the
// decoder twice.
#include "sound/WaveSource.h"

#include <atomic>

struct OggVorbis_File;

class COggWaveSource : public CWaveSource
{
public:
    COggWaveSource();
    // Closes and gives the decoder state back.
    ~COggWaveSource() override;

    // False when the file is not Ogg Vorbis, its length cannot be known, or it has other than
    // 1 or 2 channels. A chained file plays from its first link, through every following link
    // of the same channels and rate.
    bool Open(CVirtualFile* file) override;
    // Reads until the request is filled or the stream ends; skips holes and bad links in the
    // stream, stops at any other error. 0 when another read is under way.
    uint32_t Read(void* destination, uint32_t bytes) override;
    // The decoder's time x the average bytes per second; -1 when not open.
    int32_t Tell() override;
    // To the time of that PCM byte position; false when not open or the decoder refuses.
    bool Seek(uint32_t position) override;
    void Close() override;

private:
    OggVorbis_File* m_decoder = nullptr;   // borrowed from the decoder-state pool
    bool m_opened = false;
    long m_links = 1;   // the leading links of the first link's format, the ones that play
    std::atomic<bool> m_reading{false};
};
