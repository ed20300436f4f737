// The coded sounds and the songs: Ogg Vorbis and IMA ADPCM as sox decodes them, the same bytes on
// every run, and the songs the program names, looping, with the space piece's mixes alike.
#include "ContentTestSupport.h"
#include "ImaAdpcmWave.h"
#include "OggVorbisFile.h"
#include "SongRecipes.h"
#include "SynthTrack.h"
#include "foundation/ByteOrder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

namespace {

namespace fs = std::filesystem;

bool SoxReads(const char* format)
{
    return testsupport::RunCommand(std::string("sox -h 2>/dev/null | grep -q 'AUDIO FILE FORMATS:.* ") + format +
                                   " '") == 0;
}

// What sox decodes from the file bytes, as 16-bit samples; empty when it fails.
std::vector<int16_t> SoxDecode(const std::vector<uint8_t>& file, const char* extension)
{
    testsupport::TempDir scratch;
    const fs::path in = scratch.Path() / (std::string("in.") + extension);
    const fs::path out = scratch.Path() / "out.raw";
    testsupport::WriteFileBytes(in, std::string(file.begin(), file.end()));
    if (testsupport::RunCommand("sox -q '" + in.string() + "' -t raw -e signed-integer -b 16 -L '" + out.string() +
                                "' 2>/dev/null") != 0)
        return {};
    const std::string bytes = testsupport::ReadFileBytes(out);
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

// Signal to noise of a decoded copy against the original, in decibels, over the original's length.
double SignalToNoise(const std::vector<int16_t>& original, const std::vector<int16_t>& decoded)
{
    double signal = 0, noise = 0;
    for (size_t i = 0; i < original.size() && i < decoded.size(); ++i) {
        signal += double(original[i]) * original[i];
        noise += (double(decoded[i]) - original[i]) * (double(decoded[i]) - original[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

// A second of a tone gliding from 200 Hz to 2 kHz, with a softer second partial.
std::vector<int16_t> Glide(int channels)
{
    std::vector<int16_t> samples;
    double phase = 0;
    for (int i = 0; i < 22050; ++i) {
        phase += (200.0 + 1800.0 * i / 22050) / 22050;
        const double v = 0.5 * std::sin(2 * M_PI * phase) + 0.15 * std::sin(4 * M_PI * phase);
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<int16_t>(std::lround(v * (c ? -20000 : 20000))));
    }
    return samples;
}

TEST(OggVorbisFile, SoxDecodesWhatWasEncodedAndEveryRunGivesTheSameBytes)
{
    if (!SoxReads("vorbis"))
        GTEST_SKIP() << "sox cannot read Ogg Vorbis here";
    for (int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        const std::vector<int16_t> samples = Glide(channels);
        const std::vector<uint8_t> file = EncodeOggVorbis(samples, 22050, channels, 0.2f, 99);
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(std::memcmp(file.data(), "OggS", 4), 0);
        EXPECT_EQ(LoadU32Le(&file[14]), 99u);   // the serial number
        EXPECT_EQ(EncodeOggVorbis(samples, 22050, channels, 0.2f, 99), file);
        const std::vector<int16_t> decoded = SoxDecode(file, "ogg");
        EXPECT_EQ(decoded.size(), samples.size());   // not a sample more or less
        EXPECT_GT(SignalToNoise(samples, decoded), 15.0);
    }
    EXPECT_TRUE(EncodeOggVorbis(Glide(1), 22050, 0, 0.2f, 1).empty());
}

TEST(ImaAdpcmWave, SoxDecodesWhatWasEncoded)
{
    if (!SoxReads("wav"))
        GTEST_SKIP() << "sox is not installed";
    const std::vector<int16_t> samples = Glide(1);
    const std::vector<uint8_t> file = EncodeImaAdpcmWave(samples, 22050);
    EXPECT_EQ(LoadU32Le(&file[48]), 22050u);   // "fact": the sound's own length
    const std::vector<int16_t> decoded = SoxDecode(file, "wav");
    // sox decodes the last block whole; the "fact" count says where the sound ends.
    ASSERT_GE(decoded.size(), samples.size());
    EXPECT_GT(SignalToNoise(samples, decoded), 25.0);
    // Each block starts exactly on its sample.
    for (size_t block = 0; block * 505 < samples.size(); ++block)
        EXPECT_EQ(decoded[block * 505], samples[block * 505]) << block;
}

TEST(AudioContent, TheSongsTheProgramNamesLoopAndTheSpaceMixesAreOnePiece)
{
    std::map<std::string, std::vector<int16_t>> songs;
    for (const SongRecipe& recipe : GetSongRecipes())
        songs[recipe.name] = recipe.make();
    for (const auto& [name, song] : songs) {
        SCOPED_TRACE(name);
        ASSERT_GT(song.size(), 5u * CSynthTrack::kSampleRate);
        // No seam: the step from the last sample to the first is no larger than the steps inside.
        int largest = 0;
        for (size_t i = 1; i < song.size(); ++i)
            largest = std::max(largest, std::abs(song[i] - song[i - 1]));
        EXPECT_LE(std::abs(song.front() - song.back()), largest);
    }
    const std::vector<int16_t>& full = songs["SpaceRumble fast.ogg"];
    for (const char* mix : {"Space/SpaceRumble norm.ogg", "Space/SpaceRumble slow.ogg"}) {
        SCOPED_TRACE(mix);
        EXPECT_EQ(songs[mix].size(), full.size());
        EXPECT_NE(songs[mix], full);
    }
}

} // namespace
