#pragma once
// The mixer's inner loop: adds one voice's PCM, resampled by linear interpolation, into a 32-bit
// accumulator of 1 or 2 interleaved channels. Integers only, so every machine mixes the same
// samples. The caller owns all state; the kernel only reads the PCM and moves the cursor.
#include <cstddef>
#include <cstdint>

namespace platform {

// Gains in Q16: 65536 is full scale.
constexpr int32_t kUnityGain = 1 << 16;

struct MixSource
{
    const uint8_t* pcm = nullptr;   // frames of 1 or 2 channels: unsigned 8-bit (0x80 silent) or signed 16-bit
    uint32_t frames = 0;
    int channels = 1;
    int bitsPerSample = 16;
    bool looping = false;
};

// Adds frames output frames of the source to accumulator (frames x outputChannels values).
// position is the cursor in frames, 32.32 fixed point; step the source frames per output frame in
// the same form. A stereo output takes the left and right gains; a mono one takes gainLeft alone
// and averages a stereo source. Past its last frame a looping source interpolates towards its
// first frame and a one-shot source towards its last. Answers false when a one-shot source ran
// out (the cursor is then 0), true while it still plays.
bool MixVoice(const MixSource& source, uint64_t& position, uint64_t step, int32_t gainLeft, int32_t gainRight,
              int32_t* accumulator, int outputChannels, size_t frames);

// The mix's last gain stage, in place of clamping to 16 bits: where the sum of a frame would
// overflow 16 bits, the gain drops at once so that the frame's loudest sample lands on the
// ceiling, just under full scale; it then climbs back to unity at a steady rate (from silence in
// kReleaseFrames), holding the sum at the ceiling meanwhile. A sum that never overflows passes
// unchanged, sample for sample.
struct PeakLimiter
{
    static constexpr int32_t kCeiling = 32000;          // about -0.2 dB of full scale
    static constexpr int64_t kUnity = int64_t{1} << 30;   // the gain's fixed point
    static constexpr int64_t kReleaseFrames = 2205;     // a tenth of a second at 22050 Hz

    int64_t gain = kUnity;
    uint64_t limitedFrames = 0;    // frames written with less than unity gain
};

// Writes frames of channels interleaved accumulator values as 16-bit samples through the limiter.
void LimitToPcm16(const int32_t* accumulator, int16_t* out, size_t frames, int channels, PeakLimiter& limiter);

// The 32.32 step that plays sourceRate frames per second on a device of outputRate.
uint64_t ResampleStep(uint32_t sourceRate, int outputRate);

} // namespace platform
