// The synthesised sounds: the WAVE form, the instrument against a plain reference, and the
// finished effects and music as a player hears them (no clicks, no seam in the loop).
#include "SongRecipes.h"
#include "SoundLevels.h"
#include "SoundRecipes.h"
#include "SynthTrack.h"
#include "WaveFile.h"
#include "foundation/ByteOrder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The level the data set gives an effect: the game plays these many times a second.
double LevelOf(const std::string& name)
{
    const char* frequent[] = {"Bounce.wav",     "Pop Brick.wav",          "Brick Placed.wav",
                              "Thrust.wav",     "Default Spark.wav",      "Fire Gun.wav",
                              "UI/Button Hover.wav", "UI/Button Switch.wav"};
    if (name == "UI/Menu Ball Bounce.wav")
        return kMenuBallPeak;
    for (const char* f : frequent)
        if (name == f)
            return kFrequentEffectPeak;
    return kEffectPeak;
}

int Peak(const std::vector<int16_t>& samples)
{
    int peak = 0;
    for (int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

TEST(WaveFile, HeaderDescribesSixteenBitPcm)
{
    const struct
    {
        uint16_t channels;
        uint32_t rate;
    } cases[] = {{1, 22050}, {2, 44100}};
    for (const auto& c : cases) {
        const std::vector<int16_t> samples = {0, 1, -1, 32767, -32768, 258};
        const std::vector<uint8_t> wave = EncodeWave16(samples, c.rate, c.channels);
        ASSERT_EQ(wave.size(), 44u + 12);
        EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
        EXPECT_EQ(LoadU32Le(&wave[4]), 36u + 12);
        EXPECT_EQ(std::memcmp(&wave[8], "WAVEfmt ", 8), 0);
        EXPECT_EQ(LoadU32Le(&wave[16]), 16u);
        EXPECT_EQ(LoadU16Le(&wave[20]), 1u);
        EXPECT_EQ(LoadU16Le(&wave[22]), c.channels);
        EXPECT_EQ(LoadU32Le(&wave[24]), c.rate);
        EXPECT_EQ(LoadU32Le(&wave[28]), c.rate * c.channels * 2);
        EXPECT_EQ(LoadU16Le(&wave[32]), c.channels * 2u);
        EXPECT_EQ(LoadU16Le(&wave[34]), 16u);
        EXPECT_EQ(std::memcmp(&wave[36], "data", 4), 0);
        EXPECT_EQ(LoadU32Le(&wave[40]), 12u);
        EXPECT_EQ((std::vector<uint8_t>(wave.begin() + 44, wave.end())),
                  (std::vector<uint8_t>{0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x80, 0x02, 0x01}));
    }
}

TEST(SynthTrack, ASineNoteIsASineAndALoopingTrackWrapsItsTail)
{
    // A held sine with no attack, no decay and no filter, scaled to full scale.
    // 40 samples a period, so that samples fall on the peaks.
    const double frequency = 22050.0 / 40;
    CSynthTrack track(0.1, true);
    track.Play({.start = 0.05, .length = 0.1, .frequency = frequency, .volume = 1, .attack = 0, .release = 0});
    const std::vector<int16_t> pcm = track.ToPcm(1.0);
    ASSERT_EQ(pcm.size(), 2205u);
    // The note starts at sample 1103 (0.05 s, rounded) and goes on round the loop; the loop of
    // 55 1/8 periods loses its mean and is scaled to full scale.
    const size_t start = 1103;
    std::vector<double> sine(pcm.size());
    double mean = 0;
    for (size_t i = 0; i < pcm.size(); ++i) {
        const size_t since = (i + pcm.size() - start) % pcm.size();
        sine[i] = std::sin(2 * kPi * frequency * static_cast<double>(since) / 22050);
        mean += sine[i] / static_cast<double>(pcm.size());
    }
    double loudest = 0;
    for (double& value : sine)
        loudest = std::max(loudest, std::fabs(value -= mean));
    for (size_t i = 0; i < pcm.size(); ++i)
        EXPECT_NEAR(pcm[i], 32767 * sine[i] / loudest, 2) << i;

    // Without the loop the tail is cut at the end.
    CSynthTrack once(0.1, false);
    once.Play({.start = 0.05, .length = 0.1, .frequency = frequency, .volume = 1, .attack = 0, .release = 0});
    const std::vector<int16_t> cut = once.ToPcm(1.0);
    EXPECT_EQ(Peak(std::vector<int16_t>(cut.begin(), cut.begin() + 1100)), 0);
}

// Tracks that would lean to one side (a dull noise burst, a kick falling to 45 Hz, a loop of
// kicks) come out centred on silence, and a one-shot still begins in silence and ends near it.
TEST(SynthTrack, TracksComeOutWithoutAnOffset)
{
    auto offsetOf = [](const std::vector<int16_t>& pcm) {
        double sum = 0;
        for (int16_t s : pcm)
            sum += s;
        return std::fabs(sum / static_cast<double>(pcm.size())) / 32767;
    };
    CSynthTrack thrust(0.22, false);
    thrust.Play({.start = 0, .length = 0.12, .wave = Waveform::Noise, .volume = 0.5, .attack = 0.02, .decay = 0.08,
                 .release = 0.06, .brightness = 0.12});
    CSynthTrack kick(0.3, false);
    kick.Play({.start = 0, .length = 0.12, .frequency = 150, .endFrequency = 45, .volume = 0.8, .attack = 0.001,
               .decay = 0.09, .release = 0.03});
    CSynthTrack kicks(2.0, true);
    for (int beat = 0; beat < 4; ++beat)
        kicks.Play({.start = 0.5 * beat, .length = 0.12, .frequency = 150, .endFrequency = 45, .volume = 0.8,
                    .attack = 0.001, .decay = 0.09, .release = 0.03});
    const struct
    {
        const char* name;
        const CSynthTrack& track;
        bool oneShot;
    } cases[] = {{"dull noise", thrust, true}, {"kick", kick, true}, {"loop of kicks", kicks, false}};
    for (const auto& c : cases) {
        const std::vector<int16_t> pcm = c.track.ToPcm(0.5);
        EXPECT_EQ(Peak(pcm), static_cast<int>(std::lround(0.5 * 32767))) << c.name;
        EXPECT_LT(offsetOf(pcm), 0.0005) << c.name;
        if (c.oneShot) {
            EXPECT_EQ(pcm.front(), 0) << c.name;
            EXPECT_LT(Peak(std::vector<int16_t>(pcm.end() - 10, pcm.end())), 100) << c.name;
        }
    }
}

TEST(SynthTrack, TheSameNotesGiveTheSameSamples)
{
    auto make = [] {
        CSynthTrack track(0.2, false);
        track.Play({.length = 0.1, .wave = Waveform::Noise, .volume = 0.5});
        track.Play({.start = 0.05, .length = 0.1, .frequency = 300, .wave = Waveform::Saw, .brightness = 0.3});
        return track.ToPcm(0.9);
    };
    EXPECT_EQ(make(), make());
    EXPECT_EQ(Peak(make()), static_cast<int>(std::lround(0.9 * 32767)));
}

TEST(SoundRecipes, EffectsAreShortAndStartAndEndInSilence)
{
    for (const SoundRecipe& recipe : GetSoundRecipes()) {
        const std::vector<int16_t> samples = recipe.make();
        if (recipe.name[0] == '!') {
            // "!None.wav" stands for no sound: silence.
            EXPECT_EQ(Peak(samples), 0);
            continue;
        }
        ASSERT_GT(samples.size(), 1000u) << recipe.name;
        EXPECT_LT(samples.size(), CSynthTrack::kSampleRate / 2) << recipe.name;
        // Every effect at its level; the ones that repeat many times a second quieter.
        EXPECT_EQ(Peak(samples), static_cast<int>(std::lround(LevelOf(recipe.name) * 32767))) << recipe.name;
        double sum = 0;
        for (int16_t s : samples)
            sum += s;
        EXPECT_LT(std::fabs(sum / static_cast<double>(samples.size())), 0.001 * 32767) << recipe.name;
        // No click at either end: the first sample and the last few are near silence.
        EXPECT_LT(std::abs(samples.front()), 2000) << recipe.name;
        EXPECT_LT(Peak(std::vector<int16_t>(samples.end() - 10, samples.end())), 100) << recipe.name;
    }
}

TEST(SoundRecipes, TheIntroRepeatsWithoutASeam)
{
    const std::vector<int16_t> loop = MakeIntroLoop();
    // Four bars of four beats at 128 beats a minute.
    EXPECT_EQ(loop.size(), static_cast<size_t>(std::lround(16 * 60.0 / 128 * CSynthTrack::kSampleRate)));
    EXPECT_EQ(Peak(loop), static_cast<int>(std::lround(kSongPeak * 32767)));
    // The step from the last sample back to the first is no larger than the steps inside the tune.
    int largestStep = 0;
    for (size_t i = 1; i < loop.size(); ++i)
        largestStep = std::max(largestStep, std::abs(loop[i] - loop[i - 1]));
    EXPECT_LE(std::abs(loop.front() - loop.back()), largestStep);
    // The tail of the last bar is heard at the start: the loop does not begin in silence.
    EXPECT_GT(Peak(std::vector<int16_t>(loop.begin(), loop.begin() + 50)), 0);
}

} // namespace
