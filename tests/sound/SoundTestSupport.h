#pragma once
// A fresh sound system on the headless device for each test, with sound files written by the test.
#include "TestSupport.h"
#include "platform/headless/HeadlessBackend.h"
#include "sound/DirectSoundBuffer.h"
#include "sound/DirectSoundSystem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace soundtest {

inline platform::HeadlessMixer& Device()
{
    return platform::GetHeadlessBackend().GetHeadlessMixer();
}

// The bytes of a RIFF WAVE file; the "data" chunk may come first, and a chunk may stand before both.
std::string WaveBytes(int channels, int bits, int rate, const std::string& pcm, bool dataFirst = false,
                      const std::string& leadingChunk = "");
std::string Pcm16(const std::vector<int16_t>& samples);

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
