#pragma once
// Streams on the headless device: songs written by the test, a settings file that says whether
// the stream refills on its timer, and a clock that moves the device and services the stream in
// the steps the game would.
#include "SoundTestSupport.h"
#include "foundation/ConfigFile.h"
#include "sound/SoundStream.h"

#include <string>
#include <vector>

namespace soundtest {

// Interleaved 16-bit samples that never repeat and are never 0, so that a capture shows which
// sample of which song it holds, and silence shows as 0.
std::vector<int16_t> Pattern(size_t samples, uint32_t seed);
// The samples from index on, then the whole song over and over: what a loop started there plays.
std::vector<int16_t> Looped(const std::vector<int16_t>& song, size_t from, size_t count);
// The first index where the two differ, or the length of the shorter.
size_t FirstDifference(const std::vector<int16_t>& a, const std::vector<int16_t>& b);
bool AllZero(const std::vector<int16_t>& samples, size_t from = 0);
// How many frames the device plays in ms.
inline size_t Frames(uint32_t ms)
{
    return static_cast<size_t>(ms) * 22050 / 1000;
}

class StreamTest : public SoundTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Whether streams made from now on refill on their timer thread.
    void SetThreaded(bool threaded);
    // A RIFF WAVE song of 16-bit samples (interleaved when stereo); its path.
    std::string WriteSong(const std::string& name, const std::vector<int16_t>& samples, int channels = 1,
                          int rate = 22050);
    // Advances the device by ms in steps of stepMs, servicing the stream after each as the game's
    // frame does (null: no service), and answers what the device played, interleaved as the
    // device's two channels.
    std::vector<int16_t> Run(CSoundStream* stream, uint32_t ms, uint32_t stepMs = 50);
    // The left channel alone (a mono song plays the same on both).
    static std::vector<int16_t> Left(const std::vector<int16_t>& stereo);

    std::string m_oldConfig;
};

} // namespace soundtest
