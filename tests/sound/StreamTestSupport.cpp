#include "StreamTestSupport.h"

namespace soundtest {

std::vector<int16_t> Pattern(size_t samples, uint32_t seed)
{
    std::vector<int16_t> out(samples);
    uint32_t state = seed * 2654435761u + 12345u;
    for (int16_t& sample : out) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<int16_t>(static_cast<int>((state >> 16) % 40000u) - 20000);
        if (sample == 0)
            sample = 1;
    }
    return out;
}

std::vector<int16_t> Looped(const std::vector<int16_t>& song, size_t from, size_t count)
{
    std::vector<int16_t> out;
    out.reserve(count);
    for (size_t i = from; out.size() < count; ++i)
        out.push_back(song[i < song.size() ? i : (i - song.size()) % song.size()]);
    return out;
}

size_t FirstDifference(const std::vector<int16_t>& a, const std::vector<int16_t>& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i;
}

bool AllZero(const std::vector<int16_t>& samples, size_t from)
{
    for (size_t i = from; i < samples.size(); ++i)
        if (samples[i] != 0)
            return false;
    return true;
}

void StreamTest::SetUp()
{
    SoundTest::SetUp();
    m_oldConfig = g_configFile.GetPath();
    g_configFile.SetPath((m_dir / "Settings.ini").c_str());
    SetThreaded(false);
}

void StreamTest::TearDown()
{
    g_configFile.SetPath(m_oldConfig.c_str());
    SoundTest::TearDown();
}

void StreamTest::SetThreaded(bool threaded)
{
    ASSERT_TRUE(WriteConfigInt(g_configFile.GetPath(), "Options", "Use Threaded Stream", threaded ? 1 : 0));
}

std::string StreamTest::WriteSong(const std::string& name, const std::vector<int16_t>& samples, int channels, int rate)
{
    return WriteFile(name, WaveBytes(channels, 16, rate, Pcm16(samples)));
}

std::vector<int16_t> StreamTest::Run(CSoundStream* stream, uint32_t ms, uint32_t stepMs)
{
    Device().TakeCaptured();
    for (uint32_t t = 0; t < ms; t += stepMs) {
        Device().Advance(std::min(stepMs, ms - t));
        if (stream)
            stream->Update();
    }
    return Device().TakeCaptured();
}

std::vector<int16_t> StreamTest::Left(const std::vector<int16_t>& stereo)
{
    std::vector<int16_t> left;
    for (size_t i = 0; i < stereo.size(); i += 2)
        left.push_back(stereo[i]);
    return left;
}

} // namespace soundtest
