#pragma once
// A fresh sound system on the headless device for each test, with sound files written by the test.
#include "TestSupport.h"
#include "platform/headless/HeadlessBackend.h"
#include "sound/DirectSoundBuffer.h"
#include "sound/DirectSoundSystem.h"
#include "sound/WaveSource.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace soundtest {

inline platform::HeadlessMixer& Device()
{
    return platform::GetHeadlessBackend().GetHeadlessMixer();
}

std::string U16(uint32_t value);
std::string U32(uint32_t value);
// A RIFF chunk: id, size, body and the pad byte after an odd body.
std::string Chunk(const std::string& id, const std::string& body);
// A "fmt " chunk's body.
std::string FormatBody(int tag, int channels, int rate, int blockAlign, int bits);
// A RIFF WAVE file of the chunks.
std::string Riff(const std::string& chunks);
// The bytes of a RIFF WAVE file; the "data" chunk may come first, and a chunk may stand before both.
std::string WaveBytes(int channels, int bits, int rate, const std::string& pcm, bool dataFirst = false,
                      const std::string& leadingChunk = "");
std::string Pcm16(const std::vector<int16_t>& samples);
// Interleaved 16-bit samples that keep every codec busy: two tones, a sweep and noise, with
// full-scale peaks.
std::vector<int16_t> TestSignal(int channels, int frames, uint32_t seed);
// An Ogg Vorbis file of the interleaved samples, encoded with libvorbisenc by the data tool's encoder.
std::string EncodeOgg(int channels, int rate, const std::vector<int16_t>& samples);
// The 16-bit PCM that libvorbisfile decodes from an Ogg Vorbis file on disk, read through stdio.
std::string DecodeOggFile(const std::string& path);
// Whether a program runs here (sox, zip); the tests that need one skip without it.
bool HaveTool(const char* tool);
// A chained Ogg Vorbis file: links of the test signal encoded by oggenc (each its own logical
// stream) one after the other, in the folder, and oggdec's decoding of each link alone, joined.
// False when oggenc or oggdec is missing or fails.
struct OggLink
{
    int channels;
    int rate;
    int frames;
};
bool EncodeOggChain(const testsupport::TempDir& dir, const std::vector<OggLink>& links, std::string& chained,
                    std::string& decoded);
// Everything a wave source delivers, read in pieces of the given size.
std::string ReadAll(CWaveSource& source, uint32_t piece = 4096);

class SoundTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A sound file of n frames of 16-bit mono at the rate, each frame holding value.
    std::string WriteTone(const std::string& name, int frames, int16_t value = 1000, int rate = 22050);
    std::string WriteFile(const std::string& name, const std::string& bytes);
    // A buffer of the system, destroyed at the end of the test; loaded from the file when one is given.
    CDirectSoundBuffer* NewBuffer(const std::string& file = "", bool looping = false, bool deferred = false);

    CDirectSoundSystem& System() { return *m_system; }
    // Frames of the captured output since the last call, left and right (or mono) interleaved.
    std::vector<int16_t> Captured() { return Device().TakeCaptured(); }

    testsupport::TempDir m_dir;
    CDirectSoundSystem* m_system = nullptr;
    std::vector<CSoundBuffer*> m_buffers;

private:
    CDirectSoundSystem m_ownSystem;
};

} // namespace soundtest
