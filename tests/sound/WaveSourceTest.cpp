// Reading RIFF WAVE files as PCM.
#include "SoundTestSupport.h"

#include "sound/WaveSource.h"

#include <memory>

namespace {

using namespace soundtest;
using WaveSource = SoundTest;

TEST_F(WaveSource, ChunksInAnyOrderAndShortFilesAreRead)
{
    const std::string pcm = Pcm16({1, -2, 3, -4});
    struct Case
    {
        const char* what;
        std::string bytes;
        uint32_t length;
    } cases[] = {
        {"plain", WaveBytes(1, 16, 22050, pcm), 8},
        {"data first", WaveBytes(1, 16, 22050, pcm, true), 8},
        {"odd chunk first", WaveBytes(2, 8, 8000, pcm, false, std::string("LIST\3\0\0\0abc\0", 12)), 8},
        {"cut short", WaveBytes(1, 16, 22050, pcm).substr(0, 44 + 5), 5},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CWaveSource> source(OpenWaveSource(WriteFile("a.wav", c.bytes).c_str(), 0));
        ASSERT_NE(source, nullptr) << c.what;
        EXPECT_EQ(source->GetPCMLength(), c.length) << c.what;
        std::string read(16, '\x55');
        EXPECT_EQ(source->Read(read.data(), 16), c.length) << c.what;
        EXPECT_EQ(read.substr(0, c.length), pcm.substr(0, c.length)) << c.what;
        EXPECT_EQ(source->Read(read.data(), 16), 0u) << c.what;
    }
    std::unique_ptr<CWaveSource> stereo(OpenWaveSource(WriteFile("b.wav", cases[2].bytes).c_str(), 0));
    WaveFormat format;
    stereo->GetWaveFormat(format);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.bitsPerSample, 8);
    EXPECT_EQ(format.samplesPerSecond, 8000u);
    EXPECT_EQ(format.blockAlign, 2);
    EXPECT_EQ(format.averageBytesPerSecond, 16000u);
}

TEST_F(WaveSource, AnythingButPlainPcmWaveIsRefused)
{
    std::string compressed = WaveBytes(1, 16, 22050, "abcd");
    compressed[20] = 2;   // format tag 2
    std::string threeChannels = WaveBytes(1, 16, 22050, "abcdef");
    threeChannels[22] = 3;
    std::string twelveBits = WaveBytes(1, 16, 22050, "abcd");
    twelveBits[34] = 12;
    const std::string noData = WaveBytes(1, 16, 22050, "").substr(0, 36);
    const std::string noFormat = "RIFF" + std::string("\x0c\0\0\0", 4) + "WAVEdata" + std::string(4, '\0');
    for (const std::string& bytes : {compressed, threeChannels, twelveBits, noData, noFormat, std::string("RIFF"),
                                     std::string("OggS and more")}) {
        EXPECT_EQ(std::unique_ptr<CWaveSource>(OpenWaveSource(WriteFile("bad.wav", bytes).c_str(), 0)), nullptr)
            << bytes.size();
    }
    EXPECT_EQ(OpenWaveSource((m_dir / "missing.wav").c_str(), 0), nullptr);
}

} // namespace
