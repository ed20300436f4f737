// Reads arbitrary bytes as the ".Sequence" source image of a sequence (a compressed header of frame
// rectangles, then one strip image) and rebuilds the sequence from it, for a 16-bit display with
// run-length frames and for an 8-bit one. A source that is taken gives one frame (or null frame)
// per header entry, none larger than the strip, and a depth cache that reads back to as many
// frames; a damaged one is refused without a large allocation.
//
// The seed corpus is made by the sequence writer: run the corpus runner with VANTOREL_WRITE_SEEDS
// naming the folder (fuzz/corpus/fuzz_sequence_source) and it writes the seeds there first.
#include "FuzzSupport.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using fuzzsupport::Check;

// A 32-bit frame of w x h in a pattern of the seed, with transparent pixels among the others.
CFrame* PatternFrame(uint32_t w, uint32_t h, int16_t x, int16_t y, uint32_t seed)
{
    return fuzzsupport::NewFrame32(w, h, x, y, [seed](uint32_t column, uint32_t row) {
        const uint32_t v = (row * 37 + column * 11 + seed * 101) & 0xFF;
        return (column + row + seed) % 5 == 0 ? 0u : 0xFF000000u | v << 16 | (v ^ 0x5A) << 8 | seed;
    });
}

void WriteSeed(const std::string& folder, const char* name, const std::vector<CFrame*>& frames, bool lossless,
               bool runLength)
{
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    for (CFrame* frame : frames)
        sequence.AddFrame(frame);
    CSequenceSourceOptions options;
    options.m_lossless = lossless;
    options.m_wasRunLength = runLength;
    if (!sequence.SaveSourceImage("Seeds", name, options))
        return;
    std::filesystem::copy_file(std::string("Cache/Seeds/") + name + ".Sequence", folder + "/" + name + ".Sequence",
                               std::filesystem::copy_options::overwrite_existing);
}

void WriteSeeds(const std::string& folder)
{
    WriteSeed(folder, "walk", {PatternFrame(5, 3, 2, 1, 1), nullptr, PatternFrame(7, 4, 0, 0, 2), PatternFrame(1, 1, 0, 0, 3)},
              true, true);
    WriteSeed(folder, "ball-lossy", {PatternFrame(16, 16, 8, 8, 4), PatternFrame(16, 16, 8, 8, 5)}, false, false);
    WriteSeed(folder, "one", {PatternFrame(3, 9, 1, 9, 6)}, true, false);
    WriteSeed(folder, "none", {nullptr, nullptr}, true, true);
}

// The bytes as "Cache/Fuzz/Input.Sequence", rebuilt at the depth; the rebuilt sequence checked.
void Rebuild(const uint8_t* data, size_t size, int32_t depth)
{
    SetDisplayBitsPerPixel(depth);
    std::filesystem::create_directories("Cache/Fuzz");
    std::ofstream("Cache/Fuzz/Input.Sequence", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::filesystem::remove("Cache/Fuzz/-Input.seq16");
    std::filesystem::remove("Cache/Fuzz/Input.seq");
    CFrameLoadStage stages;
    stages.SetPreferredDepth(depth);
    stages.InsertStage(new CDepthConvertStage(depth == 8, depth));
    if (depth == 16)
        stages.InsertStage(new CRunLengthEncodeStage(CRunLengthEncodeStage::kTwoBands));
    CSequence sequence;
    if (!sequence.BuildFromSource("Fuzz", "Input", &stages)) {
        Check(sequence.GetFrameCount() == 0);
        return;
    }
    // The strip holds every frame side by side: no frame is larger than the input could hold.
    const uint32_t count = sequence.GetFrameCount();
    for (uint32_t i = 0; i < count; ++i)
        if (const CFrame* frame = sequence.GetFrame(i))
            Check(static_cast<uint64_t>(frame->GetWidth()) * frame->GetHeight() <= (uint64_t{1} << 26));
    CSequence cached;
    if (cached.LoadCached("Fuzz", "Input", &stages))
        Check(cached.GetFrameCount() == count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    if (size > (1u << 16))
        return 0;
    fuzzsupport::FatalScope fatal;
    try {
        Rebuild(data, size, 16);
        Rebuild(data, size, 8);
    } catch (const fuzzsupport::FatalEnd&) {
    }
    return 0;
}
