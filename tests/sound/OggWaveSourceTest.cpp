// Ogg Vorbis files made here with libvorbisenc, read as wave sources through the virtual file
// system, against libvorbisfile's own reading of the same file through stdio.
#include "SoundTestSupport.h"

#include "sound/WaveBlockPool.h"
#include "sound/WaveSource.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace soundtest;
using OggWaveSource = SoundTest;

std::unique_ptr<CWaveSource> Open(const std::string& path)
{
    return std::unique_ptr<CWaveSource>(OpenWaveSource(path.c_str(), 0));
}

TEST_F(OggWaveSource, DecodesItsWholeLengthWhateverItsName)
{
    struct Case
    {
        int channels;
        int rate;
        const char* name;
    } cases[] = {{1, 22050, "mono.ogg"}, {2, 44100, "stereo.ogg"}, {2, 22050, "really ogg.wav"}};
    for (const Case& c : cases) {
        const std::string path = WriteFile(c.name, EncodeOgg(c.channels, c.rate, TestSignal(c.channels, 9000, 3)));
        const std::string expected = DecodeOggFile(path);
        // Vorbis holds the sample count: 9000 frames, whatever its blocks.
        ASSERT_EQ(expected.size(), 9000u * c.channels * 2) << c.name;
        auto source = Open(path);
        ASSERT_NE(source, nullptr) << c.name;
        WaveFormat format;
        source->GetWaveFormat(format);
        EXPECT_EQ(format.formatTag, 1) << c.name;
        EXPECT_EQ(format.channels, c.channels) << c.name;
        EXPECT_EQ(format.bitsPerSample, 16) << c.name;
        EXPECT_EQ(format.samplesPerSecond, static_cast<uint32_t>(c.rate)) << c.name;
        EXPECT_EQ(format.averageBytesPerSecond, static_cast<uint32_t>(c.rate * c.channels * 2)) << c.name;
        EXPECT_EQ(source->GetPCMLength(), expected.size()) << c.name;
        EXPECT_EQ(source->GetDataSize(), testsupport::ReadFileBytes(path).size()) << c.name;
        EXPECT_TRUE(ReadAll(*source, 1001) == expected) << c.name;
    }
}

TEST_F(OggWaveSource, PositionsAreTimesInPcmBytes)
{
    const std::string path = WriteFile("song.ogg", EncodeOgg(2, 22050, TestSignal(2, 22050, 9)));
    const std::string expected = DecodeOggFile(path);
    auto source = Open(path);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Tell(), 0);
    std::string piece(8000, '\0');
    ASSERT_EQ(source->Read(piece.data(), 8000), 8000u);
    // Within a frame of the bytes read.
    EXPECT_NEAR(source->Tell(), 8000, 4);
    ASSERT_EQ(ReadAll(*source).size(), expected.size() - 8000);
    EXPECT_NEAR(source->Tell(), static_cast<double>(expected.size()), 4);
    // A song that loops starts again at its first sample.
    ASSERT_TRUE(source->Seek(0));
    EXPECT_EQ(source->Tell(), 0);
    ASSERT_EQ(source->Read(piece.data(), 8000), 8000u);
    EXPECT_TRUE(piece == expected.substr(0, 8000));
    source->Close();
    EXPECT_EQ(source->Tell(), -1);
    EXPECT_FALSE(source->Seek(0));
    EXPECT_EQ(source->Read(piece.data(), 10), 0u);
}

TEST_F(OggWaveSource, OtherFilesFailAndCutFilesDeliverWhatTheyHold)
{
    const std::string ogg = EncodeOgg(1, 22050, TestSignal(1, 30000, 4));
    for (const std::string& bytes : {std::string("Just some text, no sound at all.\n"), std::string(),
                                     "RIFF" + U32(4) + "AVI ", ogg.substr(0, 200)})
        EXPECT_EQ(Open(WriteFile("not.ogg", bytes)), nullptr) << bytes.substr(0, 12);

    auto source = Open(WriteFile("cut.ogg", ogg.substr(0, ogg.size() * 2 / 3)));
    ASSERT_NE(source, nullptr);
    const size_t delivered = ReadAll(*source).size();
    EXPECT_GT(delivered, 0u);
    EXPECT_LE(delivered, source->GetPCMLength());
}

TEST_F(OggWaveSource, ChainedFilesPlayFromTheirFirstLinkToTheEndOfTheLast)
{
    std::string chained, decoded;
    if (!EncodeOggChain(m_dir, {{2, 22050, 30000}, {2, 22050, 12000}, {2, 22050, 7000}}, chained, decoded))
        GTEST_SKIP() << "oggenc and oggdec are not installed";
    ASSERT_EQ(decoded.size(), (30000u + 12000 + 7000) * 4);
    const std::string path = WriteFile("chained.ogg", chained);
    auto source = Open(path);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetPCMLength(), decoded.size());
    EXPECT_EQ(source->Tell(), 0);
    EXPECT_TRUE(ReadAll(*source, 1001) == decoded);
    // A song that loops starts again at the first link.
    ASSERT_TRUE(source->Seek(0));
    EXPECT_TRUE(ReadAll(*source, 4096).substr(0, 8000) == decoded.substr(0, 8000));

    // An effect holds and plays the whole chain (stereo at the device's rate comes out as it is).
    CSoundBuffer* effect = NewBuffer(path);
    ASSERT_EQ(effect->GetSize(), decoded.size());
    ASSERT_TRUE(effect->Play(true));
    Device().Advance(2300);
    const std::vector<int16_t> heard = Captured();
    ASSERT_GE(heard.size() * 2, decoded.size());
    EXPECT_EQ(std::memcmp(heard.data(), decoded.data(), decoded.size()), 0);
}

TEST_F(OggWaveSource, AChainedLinkOfAnotherFormatEndsTheSound)
{
    std::string chained, decoded;
    if (!EncodeOggChain(m_dir, {{1, 22050, 9000}, {1, 22050, 4000}, {1, 44100, 5000}, {1, 22050, 3000}}, chained,
                        decoded))
        GTEST_SKIP() << "oggenc and oggdec are not installed";
    // The bytes delivered have one format: the first two links play, the rest is left out.
    auto source = Open(WriteFile("mixed.ogg", chained));
    ASSERT_NE(source, nullptr);
    WaveFormat format;
    source->GetWaveFormat(format);
    EXPECT_EQ(format.samplesPerSecond, 22050u);
    EXPECT_EQ(source->GetPCMLength(), (9000u + 4000) * 2);
    EXPECT_TRUE(ReadAll(*source, 777) == decoded.substr(0, (9000 + 4000) * 2));
}

// The offsets of the file's Ogg pages, and which of them begin a stream.
std::vector<std::pair<size_t, bool>> OggPages(const std::string& file)
{
    std::vector<std::pair<size_t, bool>> pages;
    for (size_t at = file.find("OggS"); at != std::string::npos; at = file.find("OggS", at + 1))
        pages.emplace_back(at, (file[at + 5] & 2) != 0);
    return pages;
}

TEST_F(OggWaveSource, FilesWithDamagedHeaderPagesAreRefusedAndDamagedSoundIsPlayedPast)
{
    std::string chained, decoded;
    if (!EncodeOggChain(m_dir, {{1, 22050, 30000}, {1, 22050, 20000}}, chained, decoded))
        GTEST_SKIP() << "oggenc and oggdec are not installed";
    const auto pages = OggPages(chained);
    size_t second = 0;
    for (size_t i = 1; i < pages.size(); ++i)
        if (pages[i].second)
            second = i;
    ASSERT_GT(second, 3u);
    ASSERT_LT(second + 2, pages.size());
    // One byte changed inside a page, so that its checksum fails.
    auto damaged = [&](size_t page) {
        std::string bytes = chained;
        bytes[pages[page].first + 40] = static_cast<char>(bytes[pages[page].first + 40] ^ 0x5A);
        return bytes;
    };
    // Header pages of the first link and of the second: refused.
    for (size_t page : {size_t{0}, size_t{1}, second + 1})
        EXPECT_EQ(Open(WriteFile("damaged.ogg", damaged(page))), nullptr) << "page " << page;
    // A page of sound within the first link: the rest plays.
    auto source = Open(WriteFile("damaged.ogg", damaged(second / 2 + 1)));
    ASSERT_NE(source, nullptr);
    const std::string pcm = ReadAll(*source);
    EXPECT_GT(pcm.size(), decoded.size() / 2);
    EXPECT_LE(pcm.size(), decoded.size());
}

TEST_F(OggWaveSource, ReadsFromTwoThreadsNeverEnterTheDecoderTogether)
{
    const std::string path = WriteFile("song.ogg", EncodeOgg(2, 22050, TestSignal(2, 44100, 8)));
    auto source = Open(path);
    ASSERT_NE(source, nullptr);
    const uint32_t length = source->GetPCMLength();
    // A read that meets another one delivers nothing, so every byte is delivered exactly once.
    std::atomic<uint32_t> total{0};
    auto reader = [&] {
        std::vector<char> buffer(1000);
        for (int tries = 0; total.load() < length && tries < 1000000; ++tries)
            total += source->Read(buffer.data(), 1000);
    };
    std::thread other(reader);
    reader();
    other.join();
    EXPECT_EQ(total.load(), length);
}

TEST_F(OggWaveSource, DecoderStatesAndScratchBlocksAreReused)
{
    CWaveBlockPool& states = CWaveBlockPool::DecoderStates();
    EXPECT_GE(states.GetBlockCount(), size_t{CWaveBlockPool::kInitialBlocks});
    const std::string path = WriteFile("a.ogg", EncodeOgg(1, 22050, TestSignal(1, 3000, 1)));
    std::vector<std::unique_ptr<CWaveSource>> sources;
    for (int i = 0; i < 5; ++i)
        sources.push_back(Open(path));
    const size_t blocks = states.GetBlockCount();
    EXPECT_GE(blocks, 5u);
    EXPECT_EQ(states.GetFreeCount(), blocks - 5);
    // A crossfade borrows a scratch block until its source goes.
    CWaveBlockPool& scratch = CWaveBlockPool::Scratch();
    const size_t freeScratch = scratch.GetFreeCount();
    ASSERT_GT(freeScratch, 0u);
    int16_t samples[4] = {};
    EXPECT_EQ(sources[0]->MixInto(samples, 8, nullptr, 0, 0.5f), 8u);
    EXPECT_EQ(scratch.GetFreeCount(), freeScratch - 1);
    sources.clear();
    EXPECT_EQ(scratch.GetFreeCount(), scratch.GetBlockCount());
    EXPECT_EQ(states.GetFreeCount(), blocks);
    // The same blocks serve the next sources.
    sources.push_back(Open(path));
    EXPECT_EQ(states.GetBlockCount(), blocks);
}

} // namespace
