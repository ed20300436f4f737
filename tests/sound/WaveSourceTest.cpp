// Reading RIFF WAVE files as PCM: the chunk walk, plain PCM, positions, and the two-span reads
// and crossfades of the music stream.
#include "SoundTestSupport.h"

#include "sound/WaveSource.h"

#include <cstring>
#include <memory>

namespace {

using namespace soundtest;
using WaveSource = SoundTest;

TEST_F(WaveSource, RiffFilesOpenWithTheirFormatOrAreRefused)
{
    const std::string pcm = Pcm16({1, -2, 3, -4});
    const std::string odd = "\x10\x20\x30\x40\x50";
    struct Case
    {
        const char* what;
        std::string bytes;
        int length;   // -1: refused
        int channels = 0;
        int bits = 0;
        std::string expected = "";
    } cases[] = {
        {"16-bit mono", WaveBytes(1, 16, 22050, pcm), 8, 1, 16, pcm},
        {"8-bit mono stays 8-bit", WaveBytes(1, 8, 11025, pcm), 8, 1, 8, pcm},
        {"data before fmt", WaveBytes(1, 16, 22050, pcm, true), 8, 1, 16, pcm},
        {"odd chunk first", WaveBytes(2, 8, 8000, pcm, false, Chunk("LIST", "abc")), 8, 2, 8, pcm},
        {"odd data before fmt: the pad byte is skipped",
         Riff(Chunk("data", odd) + Chunk("fmt ", FormatBody(1, 1, 8000, 1, 8))), 5, 1, 8, odd},
        {"fmt with extra bytes", Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 4, 16) + U16(2) + "xy") + Chunk("data", pcm)),
         8, 2, 16, pcm},
        {"cut short: whole frames of what is there", WaveBytes(1, 16, 22050, pcm).substr(0, 44 + 5), 4, 1, 16,
         pcm.substr(0, 4)},
        {"unknown format tag", Riff(Chunk("fmt ", FormatBody(0x55, 1, 22050, 1, 0)) + Chunk("data", pcm)), -1},
        {"ADPCM tag with 16 bits", Riff(Chunk("fmt ", FormatBody(2, 1, 22050, 2, 16)) + Chunk("data", pcm)), -1},
        {"twelve bits", Riff(Chunk("fmt ", FormatBody(1, 1, 22050, 2, 12)) + Chunk("data", pcm)), -1},
        {"three channels", Riff(Chunk("fmt ", FormatBody(1, 3, 22050, 6, 16)) + Chunk("data", pcm)), -1},
        {"rate 0", Riff(Chunk("fmt ", FormatBody(1, 1, 0, 2, 16)) + Chunk("data", pcm)), -1},
        {"fmt shorter than its fields", Riff(Chunk("fmt ", FormatBody(1, 1, 22050, 2, 16).substr(0, 14)) + Chunk("data", pcm)),
         -1},
        {"no data", Riff(Chunk("fmt ", FormatBody(1, 1, 22050, 2, 16))), -1},
        {"no format", Riff(Chunk("data", pcm)), -1},
        {"data past the RIFF size", WaveBytes(1, 16, 22050, pcm).replace(4, 4, U32(4 + 24)), -1},
        {"not RIFF", "OggS and more", -1},
        {"empty", "", -1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CWaveSource> source(OpenWaveSource(WriteFile("a.wav", c.bytes).c_str(), 0));
        ASSERT_EQ(source != nullptr, c.length >= 0) << c.what;
        if (!source)
            continue;
        EXPECT_EQ(source->GetPCMLength(), static_cast<uint32_t>(c.length)) << c.what;
        EXPECT_EQ(ReadAll(*source, 3), c.expected) << c.what;
        WaveFormat format;
        source->GetWaveFormat(format);
        EXPECT_EQ(format.formatTag, 1) << c.what;
        EXPECT_EQ(format.channels, c.channels) << c.what;
        EXPECT_EQ(format.bitsPerSample, c.bits) << c.what;
        EXPECT_EQ(format.blockAlign, c.channels * c.bits / 8) << c.what;
        EXPECT_EQ(format.blockAlign * format.samplesPerSecond, format.averageBytesPerSecond) << c.what;
    }
    EXPECT_EQ(OpenWaveSource((m_dir / "missing.wav").c_str(), 0), nullptr);
}

TEST_F(WaveSource, PositionsCountPcmBytesFromTheStartOfTheData)
{
    const std::string pcm = Pcm16({100, 200, 300, 400, 500});
    std::unique_ptr<CWaveSource> source(
        OpenWaveSource(WriteFile("a.wav", WaveBytes(1, 16, 22050, pcm, false, Chunk("LIST", "info"))).c_str(), 0));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Tell(), 0);
    std::string read(4, '\0');
    ASSERT_EQ(source->Read(read.data(), 4), 4u);
    EXPECT_EQ(source->Tell(), 4);
    // A looping song starts again at its first sample, not at the file's header.
    ASSERT_TRUE(source->Seek(0));
    EXPECT_EQ(ReadAll(*source), pcm);
    EXPECT_EQ(source->Tell(), 10);
    ASSERT_TRUE(source->Seek(7));   // within a frame: its start
    EXPECT_EQ(source->Tell(), 6);
    EXPECT_EQ(ReadAll(*source), pcm.substr(6));
    ASSERT_TRUE(source->Seek(1000));   // past the end: the end
    EXPECT_EQ(source->Tell(), 10);
    EXPECT_EQ(ReadAll(*source), "");
    source->Close();
    EXPECT_EQ(source->Tell(), -1);
    EXPECT_FALSE(source->Seek(0));
}

TEST_F(WaveSource, ReadIntoFillsBothSpansInTurn)
{
    const std::string pcm = Pcm16({1, 2, 3, 4, 5, 6});
    std::unique_ptr<CWaveSource> source(OpenWaveSource(WriteFile("a.wav", WaveBytes(1, 16, 22050, pcm)).c_str(), 0));
    ASSERT_NE(source, nullptr);
    std::string first(4, 'x'), second(6, 'x');
    EXPECT_EQ(source->ReadInto(first.data(), 4, second.data(), 6), 10u);
    EXPECT_EQ(first + second, pcm.substr(0, 10));
    // The end comes within the first span: the second is left alone.
    first.assign(4, 'x');
    second.assign(4, 'x');
    EXPECT_EQ(source->ReadInto(first.data(), 4, second.data(), 4), 2u);
    EXPECT_EQ(first, pcm.substr(10) + "xx");
    EXPECT_EQ(second, "xxxx");
    ASSERT_TRUE(source->Seek(0));
    EXPECT_EQ(source->ReadInto(first.data(), 4, nullptr, 4), 4u);
}

TEST_F(WaveSource, MixIntoCrossfadesWithTheWeight)
{
    struct Case
    {
        float weight;
        int16_t current;
        int16_t incoming;
        int16_t expected;
    } cases[] = {
        {0.5f, 1000, -1000, 0},        {0.5f, -32768, -32768, -32767}, {0.5f, 32767, 32767, 32767},
        {1.0f, 1234, -5, 1234},        {0.0f, 1234, -5, -5},           {0.25f, 0, 1000, 750},
        {0.5f, 3, 0, 1},               {0.5f, -3, 0, -1},              {-1.0f, 30000, -30000, -32767},
    };
    std::vector<int16_t> incoming, current;
    for (const Case& c : cases) {
        incoming.push_back(c.incoming);
        current.push_back(c.current);
    }
    const std::string file = WriteFile("in.wav", WaveBytes(1, 16, 22050, Pcm16(incoming)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::unique_ptr<CWaveSource> source(OpenWaveSource(file.c_str(), 0));
        ASSERT_NE(source, nullptr);
        ASSERT_TRUE(source->Seek(static_cast<uint32_t>(2 * i)));
        int16_t sample = cases[i].current;
        EXPECT_EQ(source->MixInto(&sample, 2, nullptr, 0, cases[i].weight), 2u);
        EXPECT_EQ(sample, cases[i].expected) << "case " << i;
    }
}

TEST_F(WaveSource, MixIntoCoversBothSpansAndLeavesWhatTheSourceLacks)
{
    // Two spans of three samples against a source of four.
    std::unique_ptr<CWaveSource> source(
        OpenWaveSource(WriteFile("in.wav", WaveBytes(1, 16, 22050, Pcm16({100, 200, 300, 400}))).c_str(), 0));
    ASSERT_NE(source, nullptr);
    int16_t first[3] = {0, 0, 0}, second[3] = {0, 0, 0};
    EXPECT_EQ(source->MixInto(first, 6, second, 6, 0.0f), 8u);
    EXPECT_EQ(std::vector<int16_t>(first, first + 3), (std::vector<int16_t>{100, 200, 300}));
    EXPECT_EQ(std::vector<int16_t>(second, second + 3), (std::vector<int16_t>{400, 0, 0}));

    // More than one scratch block's worth in one span.
    const int count = 60000;
    std::vector<int16_t> samples(count);
    for (int i = 0; i < count; ++i)
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(i % 20000);
    source.reset(OpenWaveSource(WriteFile("long.wav", WaveBytes(1, 16, 22050, Pcm16(samples))).c_str(), 0));
    ASSERT_NE(source, nullptr);
    std::vector<int16_t> span(count, 0);
    EXPECT_EQ(source->MixInto(span.data(), 2 * count, nullptr, 0, 0.0f), 2u * count);
    EXPECT_EQ(span, samples);

    // An 8-bit source cannot be mixed into 16-bit samples: nothing changes.
    source.reset(OpenWaveSource(WriteFile("byte.wav", WaveBytes(1, 8, 22050, "\x10\x20\x30\x40")).c_str(), 0));
    ASSERT_NE(source, nullptr);
    int16_t kept[2] = {7, 8};
    EXPECT_EQ(source->MixInto(kept, 4, nullptr, 0, 0.0f), 0u);
    EXPECT_EQ(kept[0], 7);
    EXPECT_EQ(kept[1], 8);
}

} // namespace
