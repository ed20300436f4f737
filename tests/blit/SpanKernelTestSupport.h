#pragma once
// Shared by the span kernel tests: memory fenced by inaccessible pages, a call of any table entry
// by its operands, a level row set for the duration of a test, and reference formulas written
// from the pixel rules (they do not call the kernels' own steps).
#include "blit/Blitter.h"
#include "blit/ColorPacking.h"
#include "blit/kernels/SpanKernelTable.h"
#include "graphics/PaletteTable.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace spantest {

// One read-write page between two inaccessible ones: a run placed against either edge faults on
// the first byte read or written past that edge. The rest of the page holds a known fill, so
// stray writes on the other side show too.
class CFencedPage
{
public:
    static constexpr uint8_t kFill = 0xA5;

    CFencedPage()
    {
        m_pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        void* base = mmap(nullptr, 3 * m_pageSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED)
            throw std::runtime_error("mmap failed");
        m_base = static_cast<uint8_t*>(base);
        if (mprotect(m_base + m_pageSize, m_pageSize, PROT_READ | PROT_WRITE) != 0)
            throw std::runtime_error("mprotect failed");
    }
    ~CFencedPage() { munmap(m_base, 3 * m_pageSize); }
    CFencedPage(const CFencedPage&) = delete;
    CFencedPage& operator=(const CFencedPage&) = delete;

    // Fills the page and returns `size` bytes that end at the page's end or start at its start.
    uint8_t* Place(size_t size, bool atEnd)
    {
        std::memset(Page(), kFill, m_pageSize);
        m_run = atEnd ? Page() + m_pageSize - size : Page();
        m_size = size;
        return m_run;
    }
    // True when no byte outside the placed run changed.
    bool OutsideUntouched() const
    {
        for (size_t i = 0; i < m_pageSize; ++i) {
            const uint8_t* p = Page() + i;
            if ((p < m_run || p >= m_run + m_size) && *p != kFill)
                return false;
        }
        return true;
    }

private:
    uint8_t* Page() const { return m_base + m_pageSize; }

    uint8_t* m_base = nullptr;
    size_t m_pageSize = 0;
    uint8_t* m_run = nullptr;
    size_t m_size = 0;
};

// Calls entry `entry` of a table with the operands its operation takes, run length n.
inline void CallSpan(const SpanTable& table, SpanOperands operands, uint32_t entry, void* destination,
                     const void* source, const uint8_t* alpha, uint32_t value, uint32_t alphaByte, uint32_t n)
{
    const SpanKernel& kernel = table[entry];
    switch (operands) {
    case SpanOperands::Source: kernel.source(destination, source, n); break;
    case SpanOperands::Value: kernel.value(destination, value, n); break;
    case SpanOperands::SourceAlpha: kernel.sourceAlpha(destination, source, alpha, n); break;
    case SpanOperands::ValueAlpha: kernel.valueAlpha(destination, value, alphaByte, n); break;
    }
}

// Points g_currentAlphaRow at a row for `level` (entry v = floor(v * level / 255)) for the
// lifetime of the object.
class CScopedLevel
{
public:
    explicit CScopedLevel(uint32_t level) : m_previous(g_currentAlphaRow) { Set(level); }
    ~CScopedLevel() { g_currentAlphaRow = m_previous; }
    void Set(uint32_t level)
    {
        for (uint32_t v = 0; v < 256; ++v)
            m_row[v] = v * level / 255;
        g_currentAlphaRow = m_row;
    }

private:
    const uint32_t* m_previous;
    uint32_t m_row[256];
};

// Chooses a kernel path for the lifetime of the object.
class CScopedPath
{
public:
    explicit CScopedPath(SpanKernelPath path) : m_previous(GetSpanKernelPath()) { m_ok = SetSpanKernelPath(path); }
    ~CScopedPath() { SetSpanKernelPath(m_previous); }
    bool IsAvailable() const { return m_ok; }

private:
    SpanKernelPath m_previous;
    bool m_ok;
};

// Loads Alpha20_80 and Alpha40_60 with tables whose entries tell both operands apart, and empties
// them again.
class CScopedBlendTables
{
public:
    CScopedBlendTables()
    {
        Alpha20_80.Create(4);
        Alpha40_60.Create(4);
        for (uint32_t hi = 0; hi < 256; ++hi)
            for (uint32_t lo = 0; lo < 256; ++lo) {
                Alpha20_80.GetData()[hi * 256 + lo] = static_cast<uint8_t>(hi * 7 + lo);
                Alpha40_60.GetData()[hi * 256 + lo] = static_cast<uint8_t>(hi * 3 + lo * 5 + 1);
            }
    }
    ~CScopedBlendTables()
    {
        Alpha20_80.Free();
        Alpha40_60.Free();
    }
};

// Applies rule(f_d, f_s, w, bits) to the red, green and blue fields (5, 6 and 5 bits), with the
// weights w5 = a >> 3 and w6 = a >> 2.
template <class Rule>
uint16_t PerField565(uint32_t d, uint32_t s, uint32_t a, Rule rule)
{
    const int w5 = static_cast<int>(a / 8), w6 = static_cast<int>(a / 4);
    const int r = rule(static_cast<int>(d >> 11 & 31), static_cast<int>(s >> 11 & 31), w5, 5);
    const int g = rule(static_cast<int>(d >> 5 & 63), static_cast<int>(s >> 5 & 63), w6, 6);
    const int b = rule(static_cast<int>(d & 31), static_cast<int>(s & 31), w5, 5);
    return static_cast<uint16_t>(r * 2048 + g * 32 + b);
}

// Integer RGB565 step: per field d + floor((s - d) * w / 2^bits).
inline uint16_t Reference565(uint32_t d, uint32_t s, uint32_t a)
{
    return PerField565(d, s, a, [](int fd, int fs, int w, int bits) {
        return fd + static_cast<int>(std::floor((fs - fd) * w / static_cast<double>(1 << bits)));
    });
}

// Grouped RGB565 step: per field (s * w + d * (M - w)) / M rounded half up, M = 2^bits - 1.
inline uint16_t ReferenceRounded565(uint32_t d, uint32_t s, uint32_t a)
{
    return PerField565(d, s, a, [](int fd, int fs, int w, int bits) {
        const int m = (1 << bits) - 1;
        return (2 * (fs * w + fd * (m - w)) + m) / (2 * m);
    });
}

// 24-bit step on one byte: d + (s - d) * a / 256 rounded toward zero.
inline uint8_t Reference24(int d, int s, int a)
{
    const int product = (s - d) * a;
    const int quotient = product >= 0 ? product / 256 : -((-product) / 256);
    return static_cast<uint8_t>(d + quotient);
}

} // namespace spantest

namespace spantest {

// What operation `op` leaves in the n pixels at d, from the rules of each row. The 8-bit blend
// rows read the two tables given; level is the level behind g_currentAlphaRow.
inline void ReferenceRun(uint32_t op, uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t value,
                         uint32_t alphaByte, uint32_t level, uint32_t n, const uint8_t* table20_80,
                         const uint8_t* table40_60)
{
    const uint32_t v8 = value % 256, a8 = alphaByte % 256;
    if (n == 0)
        return;
    switch (op) {
    case kSpanCopy8: std::memcpy(d, s, n); return;
    case kSpanFill8: std::memset(d, static_cast<int>(v8), n); return;
    case kSpanCopy16: std::memcpy(d, s, 2 * n); return;
    case kSpanCopy24: std::memcpy(d, s, 3 * n); return;
    case kSpanFill16:
        for (uint32_t i = 0; i < n; ++i) {
            const uint16_t w = static_cast<uint16_t>(value);
            std::memcpy(d + 2 * i, &w, 2);
        }
        return;
    case kSpanFill24:
        for (uint32_t i = 0; i < 3 * n; ++i)
            d[i] = static_cast<uint8_t>(value >> (8 * (i % 3)));
        return;
    default: break;
    }
    if (op <= kSpanBlend20_80ValueDst) {
        // Rows 2..9: which table, whether the destination is the high index, source or value.
        const uint8_t* table = (op == 2 || op == 3 || op == 8 || op == 9) ? table20_80 : table40_60;
        const bool destinationHigh = op <= 5;
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t other = op % 2 == 0 ? s[i] : v8;
            d[i] = destinationHigh ? table[d[i] * 256 + other] : table[other * 256 + d[i]];
        }
        return;
    }
    const bool is24 = op >= kSpanBlend24SrcAlpha;
    const bool grouped = op >= kSpanBlend16SrcAlphaMmx && op <= kSpanBlend16ColorAlphaLevelMmx;
    const uint32_t kind = is24 ? op - kSpanBlend24SrcAlpha : (op - kSpanBlend16SrcAlpha) % 6;
    const bool fromSource = kind % 2 == 0;
    const uint32_t groupedPixels = grouped && n >= 4 ? n / 4 * 4 : 0;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t a = 0;
        switch (kind) {
        case 0: a = alpha[i]; break;
        case 1: a = a8; break;
        case 2:
        case 3: a = level; break;
        case 4: a = i < groupedPixels ? alpha[i] * level / 256 : alpha[i] * level / 255; break;
        case 5: a = a8 * level / 255; break;
        }
        if (is24) {
            for (uint32_t c = 0; c < 3; ++c) {
                const uint32_t sc = fromSource ? s[3 * i + c] : value >> (8 * c) & 0xFF;
                d[3 * i + c] = Reference24(d[3 * i + c], static_cast<int>(sc), static_cast<int>(a));
            }
        } else {
            uint16_t dp, sp = static_cast<uint16_t>(value);
            std::memcpy(&dp, d + 2 * i, 2);
            if (fromSource)
                std::memcpy(&sp, s + 2 * i, 2);
            const uint16_t result = i < groupedPixels ? ReferenceRounded565(dp, sp, a) : Reference565(dp, sp, a);
            std::memcpy(d + 2 * i, &result, 2);
        }
    }
}

// Bytes per pixel of an operation's destination.
inline uint32_t DestinationBytes(uint32_t op)
{
    return op < kSpanCopy16 ? 1 : op < kSpanCopy24 ? 2 : 3;
}

} // namespace spantest
