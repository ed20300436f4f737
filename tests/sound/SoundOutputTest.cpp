// What is heard: sound files written by another program, played through the headless device, and
// sounds started and stopped while the device mixes on another thread.
#include "SoundTestSupport.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using namespace soundtest;
using SoundOutput = SoundTest;

bool HavePython()
{
    return testsupport::RunCommand("python3 -c 'import wave' >/dev/null 2>&1") == 0;
}

// Writes a WAV file with Python's wave module; frames are given as a Python bytes expression.
std::string PythonWave(const testsupport::TempDir& dir, const std::string& name, int channels, int width,
                       int rate, const std::string& frames)
{
    const std::string path = dir / name;
    const std::string script = "import wave; w = wave.open('" + path + "', 'wb'); w.setnchannels(" +
                               std::to_string(channels) + "); w.setsampwidth(" + std::to_string(width) +
                               "); w.setframerate(" + std::to_string(rate) + "); w.writeframes(" + frames +
                               "); w.close()";
    EXPECT_EQ(testsupport::RunCommand("python3 -c \"" + script + "\""), 0);
    return path;
}

TEST_F(SoundOutput, FilesWrittenByPythonPlayAsWritten)
{
    if (!HavePython())
        GTEST_SKIP() << "python3 is not available";
    // 16-bit mono: the samples come out on both sides, then silence.
    const std::string mono = PythonWave(m_dir, "mono.wav", 1, 2, 22050,
                                        "b''.join(v.to_bytes(2, 'little', signed=True) for v in "
                                        "[0, 1000, -1000, 32767, -32768, 12345])");
    CSoundBuffer* sound = NewBuffer(mono);
    EXPECT_EQ(sound->GetFlags() & (CSoundBuffer::kFlagStereo | CSoundBuffer::kFlag16Bit), CSoundBuffer::kFlag16Bit);
    ASSERT_TRUE(sound->Play(true));
    Device().Advance(1);
    const std::vector<int16_t> monoOut = Captured();
    const int16_t expected[] = {0, 1000, -1000, 32767, -32768, 12345, 0, 0};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(monoOut[2 * i], expected[i]) << i;
        EXPECT_EQ(monoOut[2 * i + 1], expected[i]) << i;
    }

    // 8-bit stereo at 11025 Hz: unsigned bytes, resampled to the device's rate.
    const std::string stereo = PythonWave(m_dir, "stereo.wav", 2, 1, 11025, "bytes([128, 0, 192, 255, 128, 128])");
    CSoundBuffer* eight = NewBuffer(stereo);
    EXPECT_EQ(eight->GetFlags() & (CSoundBuffer::kFlagStereo | CSoundBuffer::kFlag16Bit), CSoundBuffer::kFlagStereo);
    EXPECT_EQ(eight->GetNaturalFrequency(), 11025);
    ASSERT_TRUE(eight->Play(true));
    Device().Advance(1);
    const std::vector<int16_t> stereoOut = Captured();
    const int16_t left[] = {0, 8192, 16384, 8192, 0, 0};
    const int16_t right[] = {-32768, -128, 32512, 16256, 0, 0};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(stereoOut[2 * i], left[i]) << i;
        EXPECT_EQ(stereoOut[2 * i + 1], right[i]) << i;
    }
}

// Sounds start, overlap and stop on the main thread while the device mixes on its own; under
// ThreadSanitizer this is where an unguarded share between them shows.
TEST_F(SoundOutput, SoundsStartAndStopWhileTheDeviceMixes)
{
    Device().StopCapture();
    std::vector<CSoundBuffer*> sounds;
    for (int i = 0; i < 6; ++i)
        sounds.push_back(NewBuffer(WriteTone(testsupport::Numbered("s", i, ".wav"), 50 + 40 * i, 1000, 8000 + 4000 * i),
                                   i % 3 == 0, i % 2 == 0));
    System().SetMaxVoices(8);
    std::atomic<bool> done{false};
    std::atomic<int> advances{0};
    std::thread device([&] {
        while (!done.load()) {
            Device().Advance(3);
            ++advances;
        }
    });
    uint32_t mostVoices = 0;
    // Both threads must really have run side by side.
    for (int step = 0; step < 3000 || advances.load() < 200; ++step) {
        CSoundBuffer* sound = sounds[static_cast<size_t>(step) % sounds.size()];
        sound->Play(step % 4 != 0);
        sound->SetPan((step * 37) % 2000 - 1000);
        if (step % 9 == 0)
            sounds[static_cast<size_t>(step / 9) % sounds.size()]->Stop();
        if (step % 50 == 0)
            System().SetStereo(step % 100 == 0);
        if (step % 200 == 0)
            System().SetMasterVolume(step % 400 == 0 ? -3100 : 0);
        System().NextFrame();
        mostVoices = std::max(mostVoices, System().CountVoices());
    }
    done = true;
    device.join();
    EXPECT_LE(mostVoices, 8u);
    EXPECT_GT(mostVoices, 1u);
    System().StopAllSounds();
    EXPECT_EQ(System().CountVoices(), 0u);
}

} // namespace
