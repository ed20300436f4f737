// Reading RIFF WAVE files as PCM.
#include "SoundTestSupport.h"

#include "sound/WaveSource.h"

#include <memory>

namespace {

using namespace soundtest;
using WaveSource = SoundTest;

TEST_F(WaveSource, PlainPcmIsReadWhateverTheChunkOrderAndAllElseIsRefused)
{
    const std::string pcm = Pcm16({1, -2, 3, -4});
    std::string compressed = WaveBytes(1, 16, 22050, pcm);
    compressed[20] = 2;   // format tag 2
    std::string twelveBits = WaveBytes(1, 16, 22050, pcm);
    twelveBits[34] = 12;
    struct Case
    {
        const char* what;
        std::string bytes;
        int length;   // -1: refused
    } cases[] = {
        {"plain", WaveBytes(1, 16, 22050, pcm), 8},
        {"data first", WaveBytes(1, 16, 22050, pcm, true), 8},
        {"odd chunk first", WaveBytes(2, 8, 8000, pcm, false, std::string("LIST\3\0\0\0abc\0", 12)), 8},
        {"cut short", WaveBytes(1, 16, 22050, pcm).substr(0, 44 + 5), 5},
        {"compressed", compressed, -1},
        {"twelve bits", twelveBits, -1},
        {"no data", WaveBytes(1, 16, 22050, "").substr(0, 36), -1},
        {"no format", "RIFF" + std::string("\x0c\0\0\0", 4) + "WAVEdata" + std::string(4, '\0'), -1},
        {"not RIFF", "OggS and more", -1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CWaveSource> source(OpenWaveSource(WriteFile("a.wav", c.bytes).c_str(), 0));
        ASSERT_EQ(source != nullptr, c.length >= 0) << c.what;
        if (!source)
            continue;
        const auto length = static_cast<uint32_t>(c.length);
        EXPECT_EQ(source->GetPCMLength(), length) << c.what;
        std::string read(16, '\x55');
        EXPECT_EQ(source->Read(read.data(), 16), length) << c.what;
        EXPECT_EQ(read.substr(0, length), pcm.substr(0, length)) << c.what;
        EXPECT_EQ(source->Read(read.data(), 16), 0u) << c.what;
        WaveFormat format;
        source->GetWaveFormat(format);
        EXPECT_EQ(format.blockAlign * format.samplesPerSecond, format.averageBytesPerSecond) << c.what;
    }
    EXPECT_EQ(OpenWaveSource((m_dir / "missing.wav").c_str(), 0), nullptr);
}

} // namespace
