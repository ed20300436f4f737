// The mixer: gains, pan, resampling, formats, duplicates, the device and the headless clock.
#include "platform/MixKernel.h"
#include "platform/Mixer.h"
#include "platform/headless/HeadlessBackend.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <thread>

using namespace platform;

namespace {

void Write16(const std::shared_ptr<SoundBuffer>& buffer, const std::vector<int16_t>& samples)
{
    uint8_t *a, *b;
    uint32_t na, nb;
    ASSERT_TRUE(buffer->Lock(0, buffer->GetSize(), &a, &na, &b, &nb));
    ASSERT_EQ(na, samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        a[2 * i] = static_cast<uint8_t>(samples[i] & 0xFF);
        a[2 * i + 1] = static_cast<uint8_t>((samples[i] >> 8) & 0xFF);
    }
    buffer->Unlock();
}

std::shared_ptr<SoundBuffer> Mono16(Mixer& mixer, const std::vector<int16_t>& samples, int rate = 22050)
{
    auto buffer = mixer.CreateBuffer({1, 16, rate}, static_cast<uint32_t>(samples.size() * 2));
    Write16(buffer, samples);
    return buffer;
}

std::vector<int16_t> MonoRamp(int frames)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i)
        samples.push_back(static_cast<int16_t>(1000 * (i + 1)));
    return samples;
}

std::vector<int16_t> MixFrames(Mixer& mixer, size_t frames)
{
    std::vector<int16_t> out(frames * static_cast<size_t>(mixer.GetChannels()));
    mixer.Mix(out.data(), frames);
    return out;
}

// Left and right of the first frame of a full-scale sample played at a volume and pan.
std::pair<int, int> Level(int volume, int pan, int master = 0)
{
    Mixer mixer;
    mixer.SetMasterVolume(master);
    auto buffer = Mono16(mixer, {32767});
    buffer->SetVolume(volume);
    buffer->SetPan(pan);
    buffer->Play(false);
    auto out = MixFrames(mixer, 1);
    return {out[0], out[1]};
}

TEST(Mixer, PlaysOnceOrLoopsFromTheCursor)
{
    Mixer mixer;
    auto buffer = Mono16(mixer, MonoRamp(4));
    EXPECT_EQ(MixFrames(mixer, 8), std::vector<int16_t>(16, 0));   // stopped: silence

    buffer->Play(false);
    EXPECT_EQ(MixFrames(mixer, 6), (std::vector<int16_t>{1000, 1000, 2000, 2000, 3000, 3000, 4000, 4000, 0, 0, 0, 0}));
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(buffer->GetPlayPosition(), 0u);

    buffer->SetPosition(4);   // bytes: the third frame
    buffer->Play(true);
    auto out = MixFrames(mixer, 6);
    EXPECT_EQ(out[0], 3000);
    EXPECT_EQ(out[2], 4000);
    EXPECT_EQ(out[4], 1000);
    EXPECT_EQ(out[10], 4000);
    EXPECT_TRUE(buffer->IsPlaying());
    EXPECT_EQ(buffer->GetPlayPosition(), 0u);
    EXPECT_EQ(buffer->GetWritePosition(), 2u * 3);   // ahead of the play cursor, within the buffer

    // Stop keeps the cursor; playing again goes on from there.
    MixFrames(mixer, 2);
    buffer->Stop();
    EXPECT_EQ(buffer->GetPlayPosition(), 4u);
    buffer->Play(true);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 3000);
}

TEST(Mixer, VolumeIsTenToTheVolumeOverTwoThousandDownToTheSilentFloor)
{
    struct Case
    {
        int volume;
        bool silent;
    } cases[] = {{0, false}, {-600, false}, {-2000, false}, {-3332, false}, {-3333, true}, {-5000, true},
                 {-10000, true}, {-20000, true}, {500, false}};
    for (const Case& c : cases) {
        const double gain = c.silent ? 0.0 : std::pow(10.0, std::min(c.volume, 0) / 2000.0);
        auto [left, right] = Level(c.volume, 0);
        EXPECT_NEAR(left, 32767 * gain, 1.0) << c.volume;
        EXPECT_EQ(left, right) << c.volume;
        EXPECT_EQ(left == 0, c.silent) << c.volume;
    }
    EXPECT_NEAR(Level(-2000, 0).first, 3276.7, 1.0);   // a tenth
    // Master and voice multiply; the master has the same floor.
    EXPECT_NEAR(Level(-1000, 0, -1000).first, 3276.7, 1.0);
    EXPECT_EQ(Level(0, 0, -3333), std::make_pair(0, 0));
    EXPECT_NEAR(Level(0, 0, -3332).first, 32767 * std::pow(10.0, -3332 / 2000.0), 1.0);
}

TEST(Mixer, PanAttenuatesTheFarSideOnly)
{
    struct Case
    {
        int pan;
        double left, right;
    } cases[] = {{0, 1, 1}, {2000, 0.1, 1}, {4000, 0.01, 1}, {10000, 1e-5, 1}, {-4000, 1, 0.01}, {-10000, 1, 1e-5}, {20000, 1e-5, 1}};
    for (const Case& c : cases) {
        auto [left, right] = Level(0, c.pan);
        EXPECT_NEAR(left, 32767 * c.left, 1.0) << c.pan;
        EXPECT_NEAR(right, 32767 * c.right, 1.0) << c.pan;
    }
    auto [left, right] = Level(-2000, 4000);
    EXPECT_NEAR(left, 0.01 * right, 1.0);
}

// Linear interpolation, in doubles, of a one-shot source at a rate on a 22050 Hz device.
std::vector<double> ReferenceResample(const std::vector<int16_t>& source, int rate, size_t frames)
{
    std::vector<double> out;
    const double step = rate / 22050.0;
    for (size_t i = 0; i < frames; ++i) {
        const double at = static_cast<double>(i) * step;
        const size_t index = static_cast<size_t>(at);
        if (index >= source.size())
            break;
        const double next = index + 1 < source.size() ? source[index + 1] : source[index];
        out.push_back(source[index] + (next - source[index]) * (at - static_cast<double>(index)));
    }
    return out;
}

TEST(Mixer, RatesAreResampledByLinearInterpolation)
{
    Mixer mixer;
    // An 11025 Hz voice: every second output frame is the midpoint of two source frames.
    auto half = Mono16(mixer, {0, 1000, 3000, -3000}, 11025);
    half->Play(false);
    auto out = MixFrames(mixer, 9);
    const int16_t expected[] = {0, 500, 1000, 2000, 3000, 0, -3000, -3000, 0};
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(out[2 * i], expected[i]) << i;
    EXPECT_FALSE(half->IsPlaying());

    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-32768, 32767);
    std::vector<int16_t> noise(300);
    for (auto& s : noise)
        s = static_cast<int16_t>(sample(random));
    for (int rate : {100, 8000, 11025, 16000, 22050, 30000, 44100, 100000}) {
        auto voice = Mono16(mixer, noise, rate);
        voice->Play(false);
        const auto reference = ReferenceResample(noise, rate, 2000);
        auto mixed = MixFrames(mixer, reference.size());
        for (size_t i = 0; i < reference.size(); ++i)
            ASSERT_NEAR(mixed[2 * i], reference[i], 1.0) << "rate " << rate << " frame " << i;
        voice->Stop();
    }
}

TEST(Mixer, FormatsAndMonoDevice)
{
    Mixer mixer;
    auto fast = Mono16(mixer, MonoRamp(8), 44100);
    fast->SetFrequency(11025);
    EXPECT_EQ(fast->GetFrequency(), 11025u);
    fast->SetFrequency(0);
    EXPECT_EQ(fast->GetFrequency(), 44100u);

    // 8-bit stereo: unsigned bytes, left and right.
    auto stereo8 = mixer.CreateBuffer({2, 8, 22050}, 4);
    uint8_t *a, *b;
    uint32_t na, nb;
    ASSERT_TRUE(stereo8->Lock(0, 4, &a, &na, &b, &nb));
    a[0] = 255; a[1] = 0; a[2] = 128; a[3] = 129;
    stereo8->Unlock();
    stereo8->Play(false);
    auto out = MixFrames(mixer, 2);
    EXPECT_EQ(out, (std::vector<int16_t>{127 * 256, -128 * 256, 0, 256}));

    // A mono device averages a stereo source and ignores the pan.
    Mixer mono;
    ASSERT_TRUE(mono.OpenDevice(1));
    EXPECT_EQ(mono.GetChannels(), 1);
    auto stereo16 = mono.CreateBuffer({2, 16, 22050}, 4);
    Write16(stereo16, {3000, 1000});
    stereo16->SetPan(10000);
    stereo16->Play(true);
    EXPECT_EQ(MixFrames(mono, 2), (std::vector<int16_t>{2000, 2000}));
}

TEST(Mixer, VoicesAreSummedInThirtyTwoBitsAndLimitedOnce)
{
    Mixer mixer;
    std::vector<std::shared_ptr<SoundBuffer>> voices;
    for (int16_t value : {28672, 28672, -28672, 28672, 28672}) {
        voices.push_back(Mono16(mixer, {value}));
        voices.back()->Play(true);
    }
    // 86016 would overflow: the limiter brings it to its ceiling, not to a clipped full scale.
    const int16_t limited = MixFrames(mixer, 1)[0];
    EXPECT_LE(limited, PeakLimiter::kCeiling);
    EXPECT_GE(limited, PeakLimiter::kCeiling - 1);
    EXPECT_EQ(mixer.GetLimitedFrameCount(), 1u);
    voices[3]->Stop();
    voices[4]->Stop();
    // 28672 + 28672 - 28672, no clamp on the way, once the gain is back (a tenth of a second).
    const std::vector<int16_t> recovering = MixFrames(mixer, 2205);
    EXPECT_LT(recovering.front(), 28672);
    EXPECT_EQ(recovering.back(), 28672);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 28672);
    voices[0]->Stop();
    voices[1]->Stop();
    EXPECT_EQ(MixFrames(mixer, 1)[0], -28672);
    mixer.StopAll();
    EXPECT_FALSE(voices[2]->IsPlaying());
}

TEST(PeakLimiter, SumsThatFitPassSampleForSample)
{
    const std::vector<int32_t> fitting = {0, 1, -1, 32767, -32768, 12345, -30000, 32000, 31999, -32767};
    std::vector<int16_t> out(fitting.size());
    PeakLimiter limiter;
    LimitToPcm16(fitting.data(), out.data(), fitting.size() / 2, 2, limiter);
    for (size_t i = 0; i < fitting.size(); ++i)
        EXPECT_EQ(out[i], fitting[i]) << i;
    EXPECT_EQ(limiter.gain, PeakLimiter::kUnity);
    EXPECT_EQ(limiter.limitedFrames, 0u);
}

TEST(PeakLimiter, AnOverflowDucksBothSidesToTheCeilingAndRecovers)
{
    const struct
    {
        int32_t left, right;
    } overflows[] = {{40000, -10000}, {-90000, 45000}, {32768, 0}, {0, -32769}, {2000000000, -2000000000}};
    for (const auto& o : overflows) {
        SCOPED_TRACE(std::to_string(o.left) + ", " + std::to_string(o.right));
        // The overflowing frame, then a steady loud tone of 30000 that fits on its own.
        std::vector<int32_t> in = {o.left, o.right};
        constexpr size_t kFrames = 8000;
        for (size_t i = 1; i < kFrames; ++i) {
            const int32_t tone = (i % 2 ? 30000 : -30000);
            in.push_back(tone);
            in.push_back(-tone);
        }
        std::vector<int16_t> out(in.size());
        PeakLimiter limiter;
        LimitToPcm16(in.data(), out.data(), kFrames, 2, limiter);
        // The loudest side lands on the ceiling (to the gain's precision); the other keeps its
        // share (the stereo picture).
        const int64_t loudest = std::max(std::llabs(o.left), std::llabs(o.right));
        const int32_t shown = std::max(std::abs(out[0]), std::abs(out[1]));
        EXPECT_LE(shown, PeakLimiter::kCeiling);
        EXPECT_GE(shown, PeakLimiter::kCeiling - 2);
        const double gain = static_cast<double>(shown) / static_cast<double>(loudest);
        EXPECT_NEAR(out[0], o.left * gain, 1.0);
        EXPECT_NEAR(out[1], o.right * gain, 1.0);
        // The gain only rises afterwards: the tone comes back without a jump, never past the
        // ceiling, and whole again within a tenth of a second (2205 frames).
        int32_t previous = 0;
        size_t whole = kFrames;
        for (size_t frame = 1; frame < kFrames; ++frame) {
            const int32_t magnitude = std::abs(out[2 * frame]);
            EXPECT_GE(magnitude, previous) << frame;
            if (magnitude < 30000)
                EXPECT_LE(magnitude, PeakLimiter::kCeiling) << frame;
            else if (whole == kFrames)
                whole = frame;
            previous = magnitude;
            EXPECT_EQ(out[2 * frame + 1], -out[2 * frame]) << frame;
        }
        EXPECT_LE(whole, 2205u);
        EXPECT_EQ(std::abs(out.back()), 30000);
        EXPECT_EQ(limiter.gain, PeakLimiter::kUnity);
        EXPECT_EQ(limiter.limitedFrames, whole);
    }
}

TEST(Mixer, DuplicatesShareThePcmAndKeepTheirOwnState)
{
    Mixer mixer;
    auto original = Mono16(mixer, MonoRamp(4));
    original->SetVolume(-2000);
    auto copy = mixer.DuplicateBuffer(original);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->SharesDataWith(*original));
    EXPECT_EQ(copy->GetVolume(), -2000);
    EXPECT_EQ(mixer.DuplicateBuffer(nullptr), nullptr);

    // Bytes written through one are heard through the other.
    Write16(original, {5000, 5000, 5000, 5000});
    copy->SetVolume(0);
    copy->SetFrequency(44100);
    copy->Play(false);
    original->SetPosition(4);
    original->Play(true);
    auto out = MixFrames(mixer, 1);
    EXPECT_EQ(out[0], 5000 + 500);
    EXPECT_TRUE(copy->IsPlaying());
    EXPECT_EQ(copy->GetPlayPosition(), 4u);   // two frames on, at twice the rate
    EXPECT_EQ(original->GetPlayPosition(), 6u);

    // The data lives while any voice holds it.
    original.reset();
    copy->SetFrequency(0);
    copy->SetPosition(0);
    copy->Play(false);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 5000);
}

TEST(Mixer, LockWrapsAndRefusesBadRanges)
{
    Mixer mixer;
    EXPECT_EQ(mixer.CreateBuffer({3, 16, 22050}, 100), nullptr);
    EXPECT_EQ(mixer.CreateBuffer({1, 16, 22050}, 1), nullptr);
    auto buffer = mixer.CreateBuffer({1, 16, 22050}, 101);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->GetSize(), 100u);   // whole frames
    uint8_t *a, *b;
    uint32_t na, nb;
    ASSERT_TRUE(buffer->Lock(80, 40, &a, &na, &b, &nb));
    EXPECT_EQ(na, 20u);
    EXPECT_EQ(nb, 20u);
    EXPECT_EQ(b + 100, a + 20);
    buffer->Unlock();
    EXPECT_FALSE(buffer->Lock(100, 1, &a, &na, &b, &nb));
    EXPECT_FALSE(buffer->Lock(0, 101, &a, &na, &b, &nb));
    EXPECT_FALSE(buffer->Lock(90, 20, &a, &na, nullptr, nullptr));   // wraps, but no second span asked for
    // A voice nobody holds any more is dropped from the mix.
    buffer->Play(true);
    buffer.reset();
    EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{0, 0}));
}

TEST(Mixer, TheWriteCursorIsOneDevicePeriodAheadOfThePlayCursor)
{
    Mixer mixer;
    auto ring = mixer.CreateBuffer({1, 16, 11025}, 2000 * 2);   // half the device's rate
    EXPECT_EQ(ring->GetWritePosition(), 0u);   // stopped: the play cursor
    ring->Play(true);
    EXPECT_EQ(ring->GetWritePosition(), 110u * 2);   // before the first pull: 10 ms
    MixFrames(mixer, 512);   // 256 source frames
    EXPECT_EQ(ring->GetPlayPosition(), 256u * 2);
    EXPECT_EQ(ring->GetWritePosition(), 512u * 2);
    MixFrames(mixer, 3000);   // a longer period: the write cursor wraps round
    EXPECT_EQ(ring->GetPlayPosition(), 1756u * 2);
    EXPECT_EQ(ring->GetWritePosition(), (1756u + 1500u - 2000u) * 2);
    MixFrames(mixer, 10000);   // a period longer than the buffer leaves the write cursor behind it
    EXPECT_EQ(ring->GetWritePosition(), (ring->GetPlayPosition() + 1999u * 2) % 4000u);
    ring->Stop();
    EXPECT_EQ(ring->GetWritePosition(), ring->GetPlayPosition());
}

TEST(HeadlessAudio, TheDeviceMovesOnlyWhenAdvancedAndCanBeMissing)
{
    HeadlessMixer& mixer = GetHeadlessBackend().GetHeadlessMixer();
    mixer.Reset();
    auto buffer = Mono16(mixer, std::vector<int16_t>(22050, 100));
    buffer->Play(false);
    mixer.StartCapture();
    mixer.Advance(10);   // closed: nothing moves
    EXPECT_EQ(buffer->GetPlayPosition(), 0u);

    EXPECT_FALSE(mixer.OpenDevice(3));
    ASSERT_TRUE(mixer.OpenDevice(2));
    for (int i = 0; i < 20; ++i)
        mixer.Advance(1);   // 22.05 frames each: the fractions add up
    EXPECT_EQ(buffer->GetPlayPosition(), 441u * 2);
    EXPECT_EQ(mixer.TakeCaptured(), std::vector<int16_t>(441 * 2, 100));

    // Reopening in mono keeps the voices where they are.
    ASSERT_TRUE(mixer.OpenDevice(1));
    mixer.Advance(2);
    EXPECT_EQ(mixer.TakeCaptured(), std::vector<int16_t>(44, 100));
    EXPECT_EQ(buffer->GetPlayPosition(), 485u * 2);

    // Not audible: silence while the voices go on.
    mixer.SetAudible(false);
    mixer.Advance(1000);
    EXPECT_EQ(mixer.TakeCaptured(), std::vector<int16_t>(22050, 0));
    EXPECT_FALSE(buffer->IsPlaying());

    mixer.Reset();
    mixer.SetDeviceAvailable(false);
    EXPECT_FALSE(mixer.OpenDevice(2));
    EXPECT_FALSE(mixer.IsDeviceOpen());
    mixer.Reset();
    EXPECT_TRUE(mixer.OpenDevice(2));
    EXPECT_TRUE(mixer.IsAudible());
    mixer.Reset();
}

// Voices start, stop, change and go away on one thread while the device mixes on another; under
// ThreadSanitizer this is where a missing guard shows.
TEST(HeadlessAudio, VoicesChangeWhileTheDeviceMixes)
{
    Mixer mixer;
    auto shared = Mono16(mixer, MonoRamp(64), 11025);
    std::atomic<bool> done{false};
    std::atomic<int> mixes{0};
    std::thread device([&] {
        std::vector<int16_t> out(256 * 2);
        while (!done.load()) {
            mixer.Mix(out.data(), 256);
            (void)shared->IsPlaying();
            ++mixes;
        }
    });
    std::mt19937 random(3);
    // Both threads must really have run side by side.
    for (int i = 0; i < 3000 || mixes.load() < 200; ++i) {
        auto voice = (i % 3 == 0) ? mixer.DuplicateBuffer(shared) : Mono16(mixer, MonoRamp(16), 8000 + i);
        voice->SetVolume(-(i % 4000));
        voice->SetPan(static_cast<int>(random() % 20001) - 10000);
        voice->SetFrequency(100 + static_cast<uint32_t>(random() % 50000));
        voice->Play(i % 2 == 0);
        shared->SetPosition(static_cast<uint32_t>(random() % 128));
        shared->Play(i % 5 == 0);
        if (i % 7 == 0)
            mixer.StopAll();
        if (voice->IsPlaying() && i % 11 == 0)
            voice->Stop();
        mixer.SetMasterVolume(-(i % 3000));
        mixer.SetAudible(i % 13 != 0);
    }
    done = true;
    device.join();
    mixer.StopAll();
    mixer.SetAudible(true);
    EXPECT_EQ(MixFrames(mixer, 4), std::vector<int16_t>(8, 0));
}

} // namespace
