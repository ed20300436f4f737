#include "platform/MixKernel.h"

#include <algorithm>

namespace platform {

namespace {

template <int Bits, int Channels>
inline void ReadFrame(const uint8_t* pcm, uint32_t index, int32_t& left, int32_t& right)
{
    if constexpr (Bits == 8) {
        const uint8_t* p = pcm + static_cast<size_t>(index) * Channels;
        left = (p[0] - 128) * 256;
        right = Channels == 2 ? (p[1] - 128) * 256 : left;
    } else {
        const uint8_t* p = pcm + static_cast<size_t>(index) * 2 * Channels;
        left = static_cast<int16_t>(p[0] | (p[1] << 8));
        right = Channels == 2 ? static_cast<int16_t>(p[2] | (p[3] << 8)) : left;
    }
}

// Both round to nearest, so that a gain of one and a fraction of 0 change nothing.
inline int32_t Scale(int32_t sample, int32_t gain)
{
    return static_cast<int32_t>((static_cast<int64_t>(sample) * gain + (1 << 15)) >> 16);
}

inline int32_t Interpolate(int32_t from, int32_t to, int64_t fraction)
{
    return from + static_cast<int32_t>((static_cast<int64_t>(to - from) * fraction + (int64_t{1} << 31)) >> 32);
}

template <int Bits, int Channels, int Out>
bool MixSpan(const MixSource& source, uint64_t& position, uint64_t step, int32_t gainLeft, int32_t gainRight,
             int32_t* accumulator, size_t frames)
{
    const uint64_t end = static_cast<uint64_t>(source.frames) << 32;
    const uint32_t last = source.frames - 1;
    uint64_t pos = position;
    if (pos >= end) {
        if (!source.looping) {
            position = 0;
            return false;
        }
        pos %= end;
    }
    for (size_t i = 0; i < frames; ++i) {
        const uint32_t index = static_cast<uint32_t>(pos >> 32);
        const uint32_t next = index != last ? index + 1 : (source.looping ? 0 : index);
        const int64_t fraction = static_cast<int64_t>(pos & 0xFFFFFFFFu);
        int32_t l0, r0, l1, r1;
        ReadFrame<Bits, Channels>(source.pcm, index, l0, r0);
        ReadFrame<Bits, Channels>(source.pcm, next, l1, r1);
        const int32_t left = Interpolate(l0, l1, fraction);
        const int32_t right = Channels == 2 ? Interpolate(r0, r1, fraction) : left;
        if constexpr (Out == 2) {
            accumulator[2 * i] += Scale(left, gainLeft);
            accumulator[2 * i + 1] += Scale(right, gainRight);
        } else {
            accumulator[i] += Scale(Channels == 2 ? (left + right) >> 1 : left, gainLeft);
        }
        pos += step;
        if (pos >= end) {
            if (!source.looping) {
                position = 0;
                return false;
            }
            pos %= end;
        }
    }
    position = pos;
    return true;
}

template <int Out>
bool MixFor(const MixSource& source, uint64_t& position, uint64_t step, int32_t gainLeft, int32_t gainRight,
            int32_t* accumulator, size_t frames)
{
    const bool stereo = source.channels == 2;
    if (source.bitsPerSample == 8)
        return stereo ? MixSpan<8, 2, Out>(source, position, step, gainLeft, gainRight, accumulator, frames)
                      : MixSpan<8, 1, Out>(source, position, step, gainLeft, gainRight, accumulator, frames);
    return stereo ? MixSpan<16, 2, Out>(source, position, step, gainLeft, gainRight, accumulator, frames)
                  : MixSpan<16, 1, Out>(source, position, step, gainLeft, gainRight, accumulator, frames);
}

} // namespace

bool MixVoice(const MixSource& source, uint64_t& position, uint64_t step, int32_t gainLeft, int32_t gainRight,
              int32_t* accumulator, int outputChannels, size_t frames)
{
    if (!source.pcm || source.frames == 0) {
        position = 0;
        return false;
    }
    if (outputChannels == 2)
        return MixFor<2>(source, position, step, gainLeft, gainRight, accumulator, frames);
    return MixFor<1>(source, position, step, gainLeft, gainRight, accumulator, frames);
}

void LimitToPcm16(const int32_t* accumulator, int16_t* out, size_t frames, int channels, PeakLimiter& limiter)
{
    constexpr int64_t kStep = PeakLimiter::kUnity / PeakLimiter::kReleaseFrames;
    for (size_t frame = 0; frame < frames; ++frame) {
        const int32_t* in = accumulator + frame * static_cast<size_t>(channels);
        int16_t* to = out + frame * static_cast<size_t>(channels);
        // The frame's loudest sample; the negative side reaches one further.
        int64_t loudest = 0;
        for (int c = 0; c < channels; ++c)
            loudest = std::max<int64_t>(loudest, in[c] < 0 ? -static_cast<int64_t>(in[c]) - 1 : in[c]);
        // At unity only an overflow limits; once limiting, the ceiling holds until unity is back.
        const int64_t limit = limiter.gain < PeakLimiter::kUnity ? PeakLimiter::kCeiling : 32767;
        // (A sum of int32 samples times a gain of at most 2^30 fits in 64 bits.)
        if ((loudest * limiter.gain >> 30) > limit)
            limiter.gain = (static_cast<int64_t>(PeakLimiter::kCeiling) << 30) / loudest;
        for (int c = 0; c < channels; ++c)
            to[c] = static_cast<int16_t>(
                std::clamp<int64_t>(static_cast<int64_t>(in[c]) * limiter.gain / PeakLimiter::kUnity, -32768, 32767));
        if (limiter.gain < PeakLimiter::kUnity) {
            ++limiter.limitedFrames;
            limiter.gain = std::min(PeakLimiter::kUnity, limiter.gain + kStep);
        }
    }
}

uint64_t ResampleStep(uint32_t sourceRate, int outputRate)
{
    if (outputRate <= 0)
        return 0;
    return (static_cast<uint64_t>(sourceRate) << 32) / static_cast<uint64_t>(outputRate);
}

} // namespace platform
