#include "graphics/ColorHistogram.h"

#include "graphics/Frame.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace {

constexpr uint32_t kSide = CColorHistogram::kSide;

// The statistics of a set of cells: pixel count, sums of the positions on each axis and the sum
// of the squared positions. 64-bit, so that a large image cannot overflow them.
struct Moments
{
    uint64_t count = 0;
    uint64_t sum[3] = {};
    uint64_t squares = 0;

    void Add(const Moments& other)
    {
        count += other.count;
        for (int a = 0; a < 3; ++a)
            sum[a] += other.sum[a];
        squares += other.squares;
    }
    Moments Minus(const Moments& other) const
    {
        Moments result = *this;
        result.count -= other.count;
        for (int a = 0; a < 3; ++a)
            result.sum[a] -= other.sum[a];
        result.squares -= other.squares;
        return result;
    }
    // The summed squared distance of the cells from their mean, truncated to 32 bits (and held
    // at the largest 32-bit value rather than wrapped).
    uint32_t SquaredError() const
    {
        if (count == 0)
            return 0;
        const double s0 = static_cast<double>(sum[0]), s1 = static_cast<double>(sum[1]),
                     s2 = static_cast<double>(sum[2]);
        const double error = static_cast<double>(squares) - (s0 * s0 + s1 * s1 + s2 * s2) / static_cast<double>(count);
        if (!(error > 0.0))
            return 0;
        return error >= 4294967295.0 ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(error);
    }
};

struct Box
{
    uint32_t priority = 0;
    Moments moments;
    uint32_t low[3] = {};
    uint32_t high[3] = {};

    bool IsSplittable() const
    {
        return (high[0] - low[0]) + (high[1] - low[1]) + (high[2] - low[2]) != 0;
    }
};

class Quantizer
{
public:
    explicit Quantizer(const CColorHistogram& histogram) : m_histogram(histogram) {}

    uint32_t Run(uint32_t maxColors, uint8_t* entries);

private:
    uint32_t Count(const uint32_t pos[3]) const { return m_histogram.GetCount(pos[0], pos[1], pos[2]); }
    // The statistics of the cells of the box at position p of the axis.
    Moments Slab(const Box& box, int axis, uint32_t p) const;
    Moments Statistics(const Box& box) const;
    // Moves the bounds inward to the outermost slabs that hold pixels; false when none does.
    bool Shrink(Box& box) const;
    // Makes the upper part of the box at its best cut a new box.
    void Split(uint32_t index);

    // The heap holds box indices; position 0 is unused so that the children of p are 2p, 2p + 1.
    void Sink(uint32_t position);
    void Rise(uint32_t position);
    bool Above(uint32_t a, uint32_t b) const { return m_boxes[a].priority > m_boxes[b].priority; }

    const CColorHistogram& m_histogram;
    std::vector<Box> m_boxes;
    std::vector<uint32_t> m_heap{0};
};

Moments Quantizer::Slab(const Box& box, int axis, uint32_t p) const
{
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    Moments m;
    uint32_t pos[3];
    pos[axis] = p;
    for (pos[u] = box.low[u]; pos[u] <= box.high[u]; ++pos[u])
        for (pos[v] = box.low[v]; pos[v] <= box.high[v]; ++pos[v]) {
            const uint64_t n = Count(pos);
            if (n == 0)
                continue;
            m.count += n;
            for (int a = 0; a < 3; ++a)
                m.sum[a] += n * pos[a];
            m.squares += n * (pos[0] * pos[0] + pos[1] * pos[1] + pos[2] * pos[2]);
        }
    return m;
}

Moments Quantizer::Statistics(const Box& box) const
{
    Moments total;
    for (uint32_t p = box.low[0]; p <= box.high[0]; ++p)
        total.Add(Slab(box, 0, p));
    return total;
}

bool Quantizer::Shrink(Box& box) const
{
    for (int axis = 0; axis < 3; ++axis) {
        while (box.low[axis] <= box.high[axis] && Slab(box, axis, box.low[axis]).count == 0)
            ++box.low[axis];
        if (box.low[axis] > box.high[axis])
            return false;
        while (Slab(box, axis, box.high[axis]).count == 0)
            --box.high[axis];
    }
    return true;
}

void Quantizer::Split(uint32_t index)
{
    Box& box = m_boxes[index];
    int bestAxis = -1;
    uint32_t bestCut = 0;
    uint64_t bestCost = std::numeric_limits<uint64_t>::max();
    for (int axis = 0; axis < 3; ++axis) {
        // Every cut leaves pixels on both sides: the box is shrunk, so its outer slabs hold some.
        Moments lower;
        for (uint32_t p = box.low[axis]; p < box.high[axis]; ++p) {
            lower.Add(Slab(box, axis, p));
            const uint64_t cost = uint64_t{lower.SquaredError()} + box.moments.Minus(lower).SquaredError();
            if (cost < bestCost) {
                bestCost = cost;
                bestAxis = axis;
                bestCut = p;
            }
        }
    }
    Box upper = box;
    box.high[bestAxis] = bestCut;
    upper.low[bestAxis] = bestCut + 1;
    for (Box* part : {&box, &upper}) {
        Shrink(*part);
        part->moments = Statistics(*part);
        part->priority = part->moments.SquaredError();
    }

    // The split box is at the top of the heap.
    if (box.IsSplittable()) {
        Sink(1);
    } else {
        m_heap[1] = m_heap.back();
        m_heap.pop_back();
        if (m_heap.size() > 1)
            Sink(1);
    }
    m_boxes.push_back(upper);
    if (upper.IsSplittable()) {
        m_heap.push_back(static_cast<uint32_t>(m_boxes.size() - 1));
        Rise(static_cast<uint32_t>(m_heap.size() - 1));
    }
}

void Quantizer::Sink(uint32_t position)
{
    const uint32_t size = static_cast<uint32_t>(m_heap.size());
    for (;;) {
        uint32_t child = position * 2;
        if (child >= size)
            return;
        if (child + 1 < size && Above(m_heap[child + 1], m_heap[child]))
            ++child;
        if (!Above(m_heap[child], m_heap[position]))
            return;
        std::swap(m_heap[child], m_heap[position]);
        position = child;
    }
}

void Quantizer::Rise(uint32_t position)
{
    while (position > 1 && Above(m_heap[position], m_heap[position / 2])) {
        std::swap(m_heap[position], m_heap[position / 2]);
        position /= 2;
    }
}

uint32_t Quantizer::Run(uint32_t maxColors, uint8_t* entries)
{
    Box whole;
    for (int axis = 0; axis < 3; ++axis)
        whole.high[axis] = kSide - 1;
    // An empty image has no colour to give.
    if (maxColors == 0 || !Shrink(whole))
        return 0;
    whole.moments = Statistics(whole);
    whole.priority = 1;
    m_boxes.reserve(maxColors);
    m_boxes.push_back(whole);
    if (whole.IsSplittable())
        m_heap.push_back(0);

    while (m_boxes.size() < maxColors && m_heap.size() > 1)
        Split(m_heap[1]);

    for (const Box& box : m_boxes) {
        const uint64_t n = box.moments.count;
        for (int axis = 0; axis < 3; ++axis)
            *entries++ = static_cast<uint8_t>((n / 2 + box.moments.sum[axis] * 4) / n);
    }
    return static_cast<uint32_t>(m_boxes.size());
}

} // namespace

CColorHistogram::CColorHistogram() : m_counts(kSide * kSide * kSide, 0) {}

void CColorHistogram::Clear()
{
    std::fill(m_counts.begin(), m_counts.end(), 0u);
}

void CColorHistogram::AddColor(uint8_t red, uint8_t green, uint8_t blue)
{
    ++m_counts[IndexOf(blue, green, red)];
}

void CColorHistogram::AddFramePixels(const CFrame& frame)
{
    const uint8_t* pixels = frame.GetPixels();
    const uint32_t* rows = frame.GetRowOffsets();
    if (!pixels || !rows || frame.GetBitsPerPixel() != 24 || (frame.GetFormatFlags() & kFrameRunLengthMask) != 0)
        return;
    for (uint32_t r = 0; r < frame.GetHeight(); ++r) {
        const uint8_t* at = pixels + static_cast<size_t>(rows[r]) * 3;
        for (uint32_t c = 0; c < frame.GetWidth(); ++c, at += 3)
            ++m_counts[IndexOf(at[0], at[1], at[2])];
    }
}

void QuantizeHistogram(const CColorHistogram& histogram, uint32_t maxColors, uint8_t* entries,
                       uint32_t& colorCount)
{
    colorCount = entries ? Quantizer(histogram).Run(maxColors, entries) : 0;
}
