// The mixer on SDL's audio device, heard through SDL's disk driver (which writes what the device
// plays to a file). Skipped where SDL's audio cannot open.
#if VANTOREL_HAVE_SDL
#include "TestSupport.h"
#include "platform/sdl/SdlMixer.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(SdlMixer, AToneLandsOnTheDiskDeviceAtItsLevel)
{
    testsupport::TempDir dir;
    const std::string file = dir / "device.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    constexpr double kPi = 3.14159265358979323846;
    constexpr int kCycle = 50;   // 441 Hz at 22050 frames per second
    constexpr double kAmplitude = 20000;
    bool opened = false;
    {
        platform::sdl::SdlMixer mixer;
        auto tone = mixer.CreateBuffer({1, 16, 22050}, kCycle * 2);
        ASSERT_NE(tone, nullptr);
        uint8_t* bytes;
        uint32_t count;
        ASSERT_TRUE(tone->Lock(0, kCycle * 2, &bytes, &count, nullptr, nullptr));
        for (int i = 0; i < kCycle; ++i) {
            const auto sample = static_cast<int16_t>(std::lround(kAmplitude * std::sin(2 * kPi * i / kCycle)));
            bytes[2 * i] = static_cast<uint8_t>(sample & 0xFF);
            bytes[2 * i + 1] = static_cast<uint8_t>((sample >> 8) & 0xFF);
        }
        tone->Unlock();
        tone->SetVolume(-600);
        tone->Play(true);
        opened = mixer.OpenDevice(2);
        if (opened) {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            mixer.CloseDevice();
        }
    }
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    if (!opened)
        GTEST_SKIP() << "SDL's disk audio driver cannot open here";

    const std::string raw = testsupport::ReadFileBytes(file);
    auto at = [&](size_t frame, int side) {
        const size_t k = 4 * frame + 2 * static_cast<size_t>(side);
        return static_cast<int16_t>(static_cast<uint8_t>(raw[k]) | (static_cast<uint8_t>(raw[k + 1]) << 8));
    };
    // SDL opens its device paused and plays silence until it is started: the tone begins at the
    // first sound, and is measured over whole cycles from there.
    size_t first = 0;
    while (first < raw.size() / 4 && at(first, 0) == 0 && at(first, 1) == 0)
        ++first;
    const size_t frames = (raw.size() / 4 - first) / kCycle * kCycle;
    ASSERT_GE(frames, 2000u);
    double sum = 0;
    for (size_t i = first; i < first + frames; ++i) {
        ASSERT_EQ(at(i, 0), at(i, 1)) << i;
        sum += static_cast<double>(at(i, 0)) * at(i, 0);
    }
    const double rms = std::sqrt(sum / static_cast<double>(frames));
    const double expected = kAmplitude / std::sqrt(2.0) * std::pow(10.0, -600 / 2000.0);
    EXPECT_NEAR(20 * std::log10(rms / expected), 0.0, 0.5) << "rms " << rms << " expected " << expected;
}

} // namespace
#endif
