// What mixing costs: one second of 22050 Hz stereo output from 32 looping voices of mixed rates
// (half of them stereo, a quarter 8-bit), pulled in blocks of 1024 frames as the audio device
// does. "core_share_pct" is the share of one core's real time that the mixing takes; a memcpy of
// the same output bytes stands beside it.
#include "platform/Mixer.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr size_t kBlock = 1024;
constexpr int kVoices = 32;

// The percentage of real time that one iteration (one second of sound) takes.
void ReportCoreShare(benchmark::State& state, std::chrono::steady_clock::time_point start)
{
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.counters["core_share_pct"] = 100.0 * elapsed.count() / static_cast<double>(state.iterations());
}

void BM_MemcpyOneSecondOfOutput(benchmark::State& state)
{
    std::vector<int16_t> from(platform::kOutputRate * 2, 7), to(from.size());
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(int16_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    ReportCoreShare(state, start);
}
BENCHMARK(BM_MemcpyOneSecondOfOutput)->UseRealTime();

void BM_MixOneSecondOf32Voices(benchmark::State& state)
{
    platform::Mixer mixer;
    mixer.OpenDevice(static_cast<int>(state.range(0)));
    std::mt19937 random(11);
    const int rates[] = {8000, 11025, 16000, 22050, 32000, 44100};
    std::vector<std::shared_ptr<platform::SoundBuffer>> voices;
    for (int i = 0; i < kVoices; ++i) {
        const platform::PcmFormat format{i % 2 ? 2 : 1, i % 4 == 3 ? 8 : 16, rates[i % 6]};
        auto voice = mixer.CreateBuffer(format, static_cast<uint32_t>(format.samplesPerSecond * format.BlockAlign()));
        uint8_t* bytes;
        uint32_t count;
        if (!voice->Lock(0, voice->GetSize(), &bytes, &count, nullptr, nullptr)) {
            state.SkipWithError("a voice could not be locked");
            return;
        }
        for (uint32_t k = 0; k < count; ++k)
            bytes[k] = static_cast<uint8_t>(random());
        // The mixer reads a voice only once its writer lets go.
        voice->Unlock();
        voice->SetVolume(-static_cast<int>(random() % 2000));
        voice->SetPan(static_cast<int>(random() % 4001) - 2000);
        voice->Play(true);
        voices.push_back(voice);
    }
    std::vector<int16_t> out(kBlock * 2);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (size_t done = 0; done < static_cast<size_t>(platform::kOutputRate); done += kBlock) {
            mixer.Mix(out.data(), std::min(kBlock, static_cast<size_t>(platform::kOutputRate) - done));
            benchmark::DoNotOptimize(out.data());
        }
    }
    ReportCoreShare(state, start);
}
BENCHMARK(BM_MixOneSecondOf32Voices)->Arg(2)->Arg(1)->ArgName("channels")->UseRealTime();

} // namespace
