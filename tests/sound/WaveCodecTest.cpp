// Compressed RIFF WAVE files (IMA ADPCM, Microsoft ADPCM, A-law, mu-law) written by sox decode
// sample for sample as sox decodes them, to exactly the length their "fact" chunk gives (sox
// itself decodes the last block whole).
#include "SoundTestSupport.h"

#include "sound/WaveSource.h"

#include <memory>

namespace {

using namespace soundtest;

constexpr int kFrames = 3001;   // not a whole number of blocks of any codec

class WaveCodec : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        if (!HaveTool("sox"))
            GTEST_SKIP() << "sox is not installed";
    }

    // Runs sox in the test's folder; false when it fails.
    bool Sox(const std::string& arguments)
    {
        return testsupport::RunCommand("cd '" + m_dir.Path().string() + "' && sox " + arguments + " 2>/dev/null") == 0;
    }

    // A file of the signal encoded by sox, and sox's own decoding of it (16-bit little-endian),
    // whole blocks.
    void Encode(const std::string& encoding, int channels, std::string& coded, std::string& decoded)
    {
        WriteFile("source.wav", WaveBytes(channels, 16, 22050, Pcm16(TestSignal(channels, kFrames, 5))));
        ASSERT_TRUE(Sox("source.wav -e " + encoding + " coded.wav"));
        ASSERT_TRUE(Sox("coded.wav -t raw -e signed-integer -b 16 -L decoded.raw"));
        coded = testsupport::ReadFileBytes(m_dir.Path() / "coded.wav");
        decoded = testsupport::ReadFileBytes(m_dir.Path() / "decoded.raw");
    }

    std::unique_ptr<CWaveSource> Open(const std::string& bytes)
    {
        return std::unique_ptr<CWaveSource>(OpenWaveSource(WriteFile("open.wav", bytes).c_str(), 0));
    }
};

// The offset of a chunk's id in a RIFF file, or npos.
size_t FindChunk(const std::string& file, const std::string& id)
{
    for (size_t at = 12; at + 8 <= file.size();) {
        const uint32_t size = static_cast<uint8_t>(file[at + 4]) | static_cast<uint8_t>(file[at + 5]) << 8 |
                              static_cast<uint8_t>(file[at + 6]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(file[at + 7])) << 24;
        if (file.compare(at, 4, id) == 0)
            return at;
        at += 8 + size + (size & 1);
    }
    return std::string::npos;
}

TEST_F(WaveCodec, SoxFilesDecodeAsSoxDecodesThem)
{
    for (const char* encoding : {"ima-adpcm", "ms-adpcm", "a-law", "u-law"})
        for (int channels : {1, 2}) {
            const std::string what = std::string(encoding) + " x" + std::to_string(channels);
            std::string coded, decoded;
            Encode(encoding, channels, coded, decoded);
            ASSERT_GE(decoded.size(), size_t{kFrames} * channels * 2) << what;
            decoded.resize(size_t{kFrames} * channels * 2);
            auto source = Open(coded);
            ASSERT_NE(source, nullptr) << what;
            WaveFormat format;
            source->GetWaveFormat(format);
            EXPECT_EQ(format.channels, channels) << what;
            EXPECT_EQ(format.bitsPerSample, 16) << what;
            EXPECT_EQ(format.samplesPerSecond, 22050u) << what;
            EXPECT_EQ(source->GetPCMLength(), decoded.size()) << what;
            // Pieces that end within blocks and frames.
            EXPECT_TRUE(ReadAll(*source, 999) == decoded) << what;

            // Seeking lands on the same samples, wherever the position falls in a block.
            const uint32_t frame = 2u * channels;
            for (uint32_t position : {0u, frame, 1017 * frame, 2000 * frame + 1, (kFrames - 1) * frame, kFrames * frame}) {
                ASSERT_TRUE(source->Seek(position)) << what << " at " << position;
                const uint32_t start = position - position % frame;
                EXPECT_EQ(source->Tell(), static_cast<int32_t>(start)) << what;
                EXPECT_TRUE(ReadAll(*source, 700) == decoded.substr(start)) << what << " from " << position;
            }
        }
}

// The file with its "fmt " chunk in the extensible form (tag 0xFFFE): the 16-bit union (the
// format's samples per block, or the valid bits of PCM), a channel mask and the sub-format's GUID
// holding subTag, then any further extra bytes of the plain form (the ADPCM coefficients).
std::string ToExtensible(const std::string& file, int subTag, const std::string& guidTail)
{
    const size_t fmt = FindChunk(file, "fmt ");
    const uint32_t size = static_cast<uint8_t>(file[fmt + 4]) | static_cast<uint8_t>(file[fmt + 5]) << 8;
    const std::string body = file.substr(fmt + 8, size);
    const std::string extra = body.size() > 18 ? body.substr(18) : "";
    const int channels = static_cast<uint8_t>(body[2]);
    const std::string unionField = extra.size() >= 2 ? extra.substr(0, 2) : body.substr(14, 2);
    const std::string after = extra.size() > 2 ? extra.substr(2) : "";
    const std::string extensible = U16(0xFFFE) + body.substr(2, 14) + U16(static_cast<uint32_t>(22 + after.size())) +
                                   unionField + U32(channels == 2 ? 3 : 4) + U16(subTag) + guidTail + after;
    std::string chunks = file.substr(12, fmt - 12) + Chunk("fmt ", extensible) + file.substr(fmt + 8 + size + (size & 1));
    return Riff(chunks);
}

const std::string kGuidTail("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);

TEST_F(WaveCodec, ExtensibleFilesReadAsTheirSubFormat)
{
    // PCM in the extensible form, as several editors write it even for plain 16-bit stereo; sox
    // reads the same bytes to the same samples.
    for (int channels : {1, 2})
        for (int bits : {8, 16}) {
            const std::string what = std::to_string(channels) + " x " + std::to_string(bits) + " bits";
            std::string pcm;
            for (int i = 0; i < 4000; ++i)
                pcm += static_cast<char>(i * 37 + i / 7);
            const std::string file = ToExtensible(WaveBytes(channels, bits, 22050, pcm), 1, kGuidTail);
            WriteFile("extensible.wav", file);
            ASSERT_TRUE(Sox("extensible.wav -t raw extensible.raw")) << what;
            auto source = Open(file);
            ASSERT_NE(source, nullptr) << what;
            WaveFormat format;
            source->GetWaveFormat(format);
            EXPECT_EQ(format.formatTag, 1) << what;
            EXPECT_EQ(format.channels, channels) << what;
            EXPECT_EQ(format.bitsPerSample, bits) << what;
            EXPECT_TRUE(ReadAll(*source) == testsupport::ReadFileBytes(m_dir.Path() / "extensible.raw")) << what;
        }
    // The compressed formats sox writes, rewritten into the extensible form: the same samples as
    // their plain tag.
    for (const auto& [encoding, tag] : {std::pair<const char*, int>{"ima-adpcm", 0x11}, {"ms-adpcm", 2}, {"a-law", 6},
                                        {"u-law", 7}})
        for (int channels : {1, 2}) {
            const std::string what = std::string(encoding) + " x" + std::to_string(channels);
            std::string coded, decoded;
            Encode(encoding, channels, coded, decoded);
            // Each source reads its file as it goes: the plain one is read whole before the file
            // is written again.
            auto plain = Open(coded);
            ASSERT_NE(plain, nullptr) << what;
            const uint32_t plainLength = plain->GetPCMLength();
            const std::string plainPcm = ReadAll(*plain, 999);
            plain.reset();
            auto extensible = Open(ToExtensible(coded, tag, kGuidTail));
            ASSERT_NE(extensible, nullptr) << what;
            EXPECT_EQ(extensible->GetPCMLength(), plainLength) << what;
            EXPECT_TRUE(ReadAll(*extensible, 999) == plainPcm) << what;
        }
    // Sub-formats without a decoder, a GUID of another family and a cut extensible block are
    // refused, as an unknown plain tag is.
    const std::string pcm = WaveBytes(2, 16, 22050, std::string(400, '\x11'));
    std::string otherFamily = kGuidTail;
    otherFamily[13] = 0x72;
    for (const std::string& file : {ToExtensible(pcm, 3, kGuidTail), ToExtensible(pcm, 0x55, kGuidTail),
                                    ToExtensible(pcm, 1, otherFamily)})
        EXPECT_EQ(Open(file), nullptr);
    std::string cut = ToExtensible(pcm, 1, kGuidTail);
    cut[FindChunk(cut, "fmt ") + 8 + 16] = 10; // an extra size of 10: no GUID
    EXPECT_EQ(Open(cut), nullptr);
}

TEST_F(WaveCodec, EveryALawAndMuLawCodeExpandsAsSoxExpandsIt)
{
    std::string codes;
    for (int code = 0; code < 256; ++code)
        codes += static_cast<char>(code);
    for (int tag : {6, 7}) {
        WriteFile("codes.wav", Riff(Chunk("fmt ", FormatBody(tag, 1, 8000, 1, 8)) + Chunk("data", codes)));
        ASSERT_TRUE(Sox("codes.wav -t raw -e signed-integer -b 16 -L codes.raw"));
        auto source = Open(testsupport::ReadFileBytes(m_dir.Path() / "codes.wav"));
        ASSERT_NE(source, nullptr);
        // No "fact": the data's own count.
        EXPECT_EQ(source->GetPCMLength(), 512u);
        EXPECT_TRUE(ReadAll(*source) == testsupport::ReadFileBytes(m_dir.Path() / "codes.raw")) << "tag " << tag;
    }
}

TEST_F(WaveCodec, TheLengthFollowsFactAndShortDataIsPaddedWithSilence)
{
    std::string coded, full;
    Encode("ima-adpcm", 1, coded, full);
    const std::string decoded = full.substr(0, kFrames * 2);
    const size_t fmt = FindChunk(coded, "fmt "), fact = FindChunk(coded, "fact"), data = FindChunk(coded, "data");
    ASSERT_NE(data, std::string::npos);
    ASSERT_EQ(coded.compare(fmt + 8, 2, U16(0x11)), 0);
    const uint32_t blockAlign = static_cast<uint8_t>(coded[fmt + 20]) | static_cast<uint8_t>(coded[fmt + 21]) << 8;
    const std::string format = coded.substr(fmt, data - fmt - 12);   // "fmt " with its header
    const std::string body = coded.substr(data + 8);
    const uint32_t blocks = static_cast<uint32_t>(body.size()) / blockAlign;
    ASSERT_EQ(body.size() % blockAlign, 0u);
    ASSERT_EQ(fact, data - 12);
    // Mono IMA: 1 + 2 x (bytes - 4) frames in a block.
    const uint32_t framesPerBlock = 1 + 2 * (blockAlign - 4);

    // Without "fact": every frame of the data, as sox decodes it.
    auto source = Open(Riff(format + Chunk("data", body)));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetPCMLength(), blocks * framesPerBlock * 2);
    EXPECT_TRUE(ReadAll(*source) == full);

    // "fmt " without its extra bytes, followed at once by "fact": the block's own capacity.
    source = Open(Riff(Chunk("fmt ", coded.substr(fmt + 8, 16)) + coded.substr(fact)));
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(ReadAll(*source) == decoded);

    // The last block cut short within its data: the frames it holds, then silence up to "fact".
    const uint32_t cut = 100, shortBlock = blockAlign - cut;
    source = Open(Riff(format + coded.substr(fact, 12) + Chunk("data", body.substr(0, body.size() - cut))));
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(source->GetPCMLength(), decoded.size());
    const size_t heard = (size_t{blocks - 1} * framesPerBlock + 1 + 2 * (shortBlock - 4)) * 2;
    const std::string pcm = ReadAll(*source);
    ASSERT_EQ(pcm.size(), decoded.size());
    EXPECT_TRUE(pcm.substr(0, heard) == decoded.substr(0, heard));
    EXPECT_EQ(pcm.substr(heard), std::string(decoded.size() - heard, '\0'));

    // The file itself cut short: the "data" chunk holds only the bytes that are there.
    source = Open(coded.substr(0, coded.size() - cut));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(ReadAll(*source).substr(0, heard), decoded.substr(0, heard));

    // A damaged count asks for no more than the blocks could hold.
    source = Open(Riff(format + Chunk("fact", U32(0xFFFFFFF0)) + Chunk("data", body)));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetPCMLength(), blocks * framesPerBlock * 2);
}

} // namespace
