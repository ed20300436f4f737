// The mixer and the headless audio pull.
#include "platform/Mixer.h"
#include "platform/headless/HeadlessBackend.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace platform;

namespace {

std::shared_ptr<SoundBuffer> MonoRamp(Mixer& mixer, int frames, int rate = 22050)
{
    auto buffer = mixer.CreateBuffer({1, 16, rate}, static_cast<uint32_t>(frames * 2));
    uint8_t *a, *b;
    uint32_t na, nb;
    EXPECT_TRUE(buffer->Lock(0, buffer->GetSize(), &a, &na, &b, &nb));
    for (int i = 0; i < frames; ++i) {
        int16_t v = static_cast<int16_t>(1000 * (i + 1));
        a[2 * i] = static_cast<uint8_t>(v & 0xFF);
        a[2 * i + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    }
    buffer->Unlock();
    return buffer;
}

TEST(Mixer, PlaysOnceOrLoopsAtFullVolume)
{
    Mixer mixer;
    auto buffer = MonoRamp(mixer, 4);
    std::vector<int16_t> out(16);
    mixer.Mix(out.data(), 8);
    EXPECT_EQ(out, std::vector<int16_t>(16, 0));   // stopped: silence

    buffer->Play(false);
    mixer.Mix(out.data(), 8);
    EXPECT_EQ(out, (std::vector<int16_t>{1000, 1000, 2000, 2000, 3000, 3000, 4000, 4000, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(buffer->GetPlayPosition(), 0u);

    buffer->SetPosition(4);   // bytes: the third frame
    buffer->Play(true);
    mixer.Mix(out.data(), 6);
    EXPECT_EQ(out[0], 3000);
    EXPECT_EQ(out[2], 4000);
    EXPECT_EQ(out[4], 1000);
    EXPECT_EQ(out[10], 4000);
    EXPECT_TRUE(buffer->IsPlaying());
    EXPECT_EQ(buffer->GetPlayPosition(), 0u);
    EXPECT_EQ(buffer->GetWritePosition(), 2u * 3);   // ahead of the play cursor, within the buffer
}

TEST(Mixer, VolumeInHundredthsOfADecibelAndPan)
{
    Mixer mixer;
    auto buffer = MonoRamp(mixer, 1);
    auto level = [&](int volume, int pan) {
        buffer->SetVolume(volume);
        buffer->SetPan(pan);
        buffer->SetPosition(0);
        buffer->Play(false);
        std::vector<int16_t> out(2);
        mixer.Mix(out.data(), 1);
        return std::make_pair(static_cast<int>(out[0]), static_cast<int>(out[1]));
    };
    EXPECT_EQ(level(0, 0), std::make_pair(1000, 1000));
    // -6 dB is about half, -20 dB a tenth.
    auto half = level(-600, 0);
    EXPECT_NEAR(half.first, 1000 * std::pow(10.0, -0.3), 1.0);
    EXPECT_NEAR(level(-2000, 0).first, 100, 1);
    EXPECT_EQ(level(-10000, 0), std::make_pair(0, 0));
    EXPECT_EQ(level(-20000, 0), std::make_pair(0, 0));   // clamped
    EXPECT_EQ(buffer->GetVolume(), -10000);
    // Pan right attenuates the left side, and the other way round.
    auto right = level(0, 2000);
    EXPECT_NEAR(right.first, 100, 1);
    EXPECT_EQ(right.second, 1000);
    auto left = level(0, -10000);
    EXPECT_EQ(left.first, 1000);
    EXPECT_EQ(left.second, 0);
}

TEST(Mixer, FrequencyFormatsAndClipping)
{
    Mixer mixer;
    auto fast = MonoRamp(mixer, 8, 44100);
    fast->Play(false);
    std::vector<int16_t> out(8);
    mixer.Mix(out.data(), 4);
    EXPECT_EQ(out, (std::vector<int16_t>{1000, 1000, 3000, 3000, 5000, 5000, 7000, 7000}));
    fast->SetFrequency(11025);
    EXPECT_EQ(fast->GetFrequency(), 11025u);
    fast->SetFrequency(0);
    EXPECT_EQ(fast->GetFrequency(), 44100u);
    fast->Stop();

    // 8-bit stereo: unsigned bytes, left and right.
    auto stereo8 = mixer.CreateBuffer({2, 8, 22050}, 4);
    uint8_t *a, *b;
    uint32_t na, nb;
    ASSERT_TRUE(stereo8->Lock(0, 4, &a, &na, &b, &nb));
    a[0] = 255; a[1] = 0; a[2] = 128; a[3] = 129;
    stereo8->Play(false);
    mixer.Mix(out.data(), 2);
    EXPECT_EQ(out[0], 127 * 256);
    EXPECT_EQ(out[1], -128 * 256);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 256);

    // Two loud voices clip instead of wrapping.
    auto loud1 = mixer.CreateBuffer({1, 16, 22050}, 2);
    auto loud2 = mixer.CreateBuffer({1, 16, 22050}, 2);
    for (auto& loud : {loud1, loud2}) {
        ASSERT_TRUE(loud->Lock(0, 2, &a, &na, &b, &nb));
        a[0] = 0x00; a[1] = 0x70;   // 28672
        loud->Play(true);
    }
    mixer.Mix(out.data(), 1);
    EXPECT_EQ(out[0], 32767);
    mixer.StopAll();
    EXPECT_FALSE(loud1->IsPlaying());
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
    EXPECT_FALSE(buffer->Lock(100, 1, &a, &na, &b, &nb));
    EXPECT_FALSE(buffer->Lock(0, 101, &a, &na, &b, &nb));
    EXPECT_FALSE(buffer->Lock(90, 20, &a, &na, nullptr, nullptr));   // wraps, but no second span asked for
    // A voice nobody holds any more is dropped from the mix.
    buffer.reset();
    std::vector<int16_t> out(2);
    mixer.Mix(out.data(), 1);
}

TEST(HeadlessAudio, MixesWhenATestPulls)
{
    HeadlessBackend& hb = GetHeadlessBackend();
    auto buffer = MonoRamp(GetMixer(), 2);
    buffer->Play(true);
    auto samples = hb.MixAudio(3);
    EXPECT_EQ(samples, (std::vector<int16_t>{1000, 1000, 2000, 2000, 1000, 1000}));
    buffer->Stop();
}

} // namespace
