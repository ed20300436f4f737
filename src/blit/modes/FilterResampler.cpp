#include "blit/modes/FilterResampler.h"

#include "blit/ColorPacking.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/modes/BlitFrameAccess.h"
#include "graphics/FrameInterface.h"

#include <algorithm>
#include <cmath>

namespace {

// Channel sums of -128..383 (index sum + 128) packed into their fields, rounded, clamped.
constexpr int32_t kPackOffset = 128;
constexpr uint32_t kPackEntries = 512;
uint32_t s_packBlue[kPackEntries];
uint32_t s_packGreen[kPackEntries];
uint32_t s_packRed[kPackEntries];

uint32_t PackChannel(int32_t value, float factor, double top)
{
    const double x = std::clamp(value * static_cast<double>(factor) + 0.5, 0.0, top);
    return static_cast<uint32_t>(x);
}

void BuildPackTables()
{
    // The single-precision constants nearest 31/255 and 63/255.
    for (uint32_t i = 0; i < kPackEntries; ++i) {
        const int32_t v = static_cast<int32_t>(i) - kPackOffset;
        s_packBlue[i] = PackChannel(v, 0.12156863f, 31.0);
        s_packGreen[i] = PackChannel(v, 0.24705882f, 63.0) << 5;
        s_packRed[i] = PackChannel(v, 0.12156863f, 31.0) << 11;
    }
}

uint32_t PackIndex(double sum)
{
    // The sums stay well inside the tables; the clamp only keeps rounding slips from reading past.
    const double index = std::clamp(sum + (kPackOffset + 0.5), 0.0, kPackEntries - 1.0);
    return static_cast<uint32_t>(index);
}

int32_t MirrorIndex(int64_t j, uint32_t size)
{
    if (j < 0)
        j = -j;
    else if (j >= size)
        j = 2 * int64_t{size} - j - 1;
    // One mirror is not enough when the filter reaches further than the source is long.
    return static_cast<int32_t>(std::clamp<int64_t>(j, 0, int64_t{size} - 1));
}

// Lines of 16-bit pixels: line l, cell c at first + l * lineStep + c * cellStep (bytes).
struct Lines
{
    uint8_t* first;
    ptrdiff_t lineStep;
    ptrdiff_t cellStep;

    uint8_t* At(uint32_t line, uint32_t cell) const { return first + line * lineStep + cell * cellStep; }
};

// Resamples `count` lines of `length` cells into lines of lists.size() cells. Each line is first
// unpacked to its channels at their 8-bit places, the low bits zero (white is 248, 252, 248), so
// the packing by 31/255 and 63/255 takes a level off the upper values on every pass.
void ResampleLines(const Lines& from, uint32_t length, const Lines& to, uint32_t count,
                   const std::vector<FilterContributorList>& lists)
{
    std::vector<double> blue(length), green(length), red(length);
    for (uint32_t line = 0; line < count; ++line) {
        for (uint32_t c = 0; c < length; ++c) {
            const uint32_t bytes = Expand565(LoadPixel16(from.At(line, c), 0));
            blue[c] = bytes & 0xFF;
            green[c] = bytes >> 8 & 0xFF;
            red[c] = bytes >> 16;
        }
        for (uint32_t out = 0; out < lists.size(); ++out) {
            double b = 0.0, g = 0.0, r = 0.0;
            for (const FilterContributor& contributor : lists[out]) {
                const double weight = contributor.weight;
                b += blue[contributor.sourceIndex] * weight;
                g += green[contributor.sourceIndex] * weight;
                r += red[contributor.sourceIndex] * weight;
            }
            StorePixel16(to.At(line, out), 0, s_packBlue[PackIndex(b)] + s_packGreen[PackIndex(g)] + s_packRed[PackIndex(r)]);
        }
    }
}

bool ResolveWhole16(CFrameInterface* frame, PlainRect& out)
{
    return frame->GetBitsPerPixel() == 16 && (frame->GetFormatFlags() & kFrameRunLengthMask) == 0 &&
           ResolvePlainRect(frame, CIntRect{0, 0, frame->GetWidth(), frame->GetHeight()}, 2, out);
}

} // namespace

CFilterResampler::CFilterResampler()
{
    BuildPackTables();
}

CFilterResampler& CFilterResampler::GetShared()
{
    static CFilterResampler s_shared;
    return s_shared;
}

float CFilterResampler::Filter(double t)
{
    // The single-precision constants of (7x^3 - 12x^2 + 16/3) / 6 and
    // (-7/3 x^3 + 12x^2 - 20x + 32/3) / 6, evaluated in double precision.
    const double x = std::fabs(t), x2 = x * x, x3 = x2 * x;
    constexpr double kSixth = 0.16666667f;
    if (x < 1.0)
        return static_cast<float>((7.0 * x3 - 12.0 * x2 + double{5.3333335f}) * kSixth);
    if (x < 2.0)
        return static_cast<float>((double{-2.3333333f} * x3 + 12.0 * x2 - 20.0 * x + double{10.666667f}) * kSixth);
    return 0.0f;
}

void CFilterResampler::BuildHorizontalContributors(uint32_t sourceSize, uint32_t outputSize, float scale)
{
    BuildContributors(m_horizontal, sourceSize, outputSize, scale);
}

void CFilterResampler::BuildVerticalContributors(uint32_t sourceSize, uint32_t outputSize, float scale)
{
    BuildContributors(m_vertical, sourceSize, outputSize, scale);
}

void CFilterResampler::BuildContributors(Axis& axis, uint32_t sourceSize, uint32_t outputSize, float scale)
{
    axis.lists.assign(outputSize, {});
    axis.scale = scale;
    axis.outputSize = outputSize;
    axis.sourceSize = sourceSize;
    ++axis.builds;
    if (sourceSize == 0 || !(scale > 0.0f))
        return;
    const double step = 1.0 / scale;
    const bool shrinking = scale < 1.0f;
    // Shrinking widens the filter by the reduction factor and lowers it to keep its area.
    const double radius = shrinking ? 2.0 * step : 2.0;
    for (uint32_t i = 0; i < outputSize; ++i) {
        const double center = i * step;
        const int64_t left = static_cast<int64_t>(std::ceil(center - radius));
        const int64_t right = static_cast<int64_t>(std::floor(center + radius));
        FilterContributorList& list = axis.lists[i];
        list.reserve(static_cast<size_t>(right - left + 1));
        for (int64_t j = left; j <= right; ++j) {
            const double distance = center - static_cast<double>(j);
            const float weight = shrinking ? Filter(distance * scale) * scale : Filter(distance);
            list.push_back({MirrorIndex(j, sourceSize), weight});
        }
    }
}

void CFilterResampler::Resample(CFrameInterface* destination, CFrameInterface* source)
{
    PlainRect to, from;
    if (!ResolveWhole16(destination, to) || !ResolveWhole16(source, from))
        return;
    const uint32_t width = to.width, height = to.height, sourceWidth = from.width, sourceHeight = from.height;
    m_intermediate.resize(static_cast<size_t>(width) * sourceHeight);
    uint8_t* intermediate = reinterpret_cast<uint8_t*>(m_intermediate.data());

    const float scaleX = static_cast<float>(width) / static_cast<float>(sourceWidth);
    if (!m_horizontal.Matches(sourceWidth, width, scaleX))
        BuildHorizontalContributors(sourceWidth, width, scaleX);
    ResampleLines(Lines{from.first, from.pitch, 2}, sourceWidth, Lines{intermediate, 2 * ptrdiff_t{width}, 2},
                  sourceHeight, m_horizontal.lists);

    const float scaleY = static_cast<float>(height) / static_cast<float>(sourceHeight);
    if (!m_vertical.Matches(sourceHeight, height, scaleY))
        BuildVerticalContributors(sourceHeight, height, scaleY);
    ResampleLines(Lines{intermediate, 2, 2 * ptrdiff_t{width}}, sourceHeight, Lines{to.first, 2, to.pitch}, width,
                  m_vertical.lists);
}
