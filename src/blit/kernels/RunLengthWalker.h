#pragma once
// The run-length row walkers: they decode run-length rows and hand each run to the entry of a
// span table indexed by the run's length, so that what a blend mode does per pixel is chosen only
// by the span tables it passes. They take plain pointers, pitches and counts, never frames.
//
// Row format. A row is a sequence of runs that together cover the source width, each opened by
// a code byte c:
//   c & 0x80          skip c & 0x7F pixels (nothing drawn)
//   c & 0x40          literal run of c & 0x3F pixels; their values follow
//   otherwise         fill run of c & 0x3F pixels of the one value that follows
// Values are ValueBytes bytes each (1 palette index, 2 an RGB565 word, 3 blue, green, red), low
// byte first. A translucent layer is such a row of colours plus a row of bare alpha bytes read in
// step with it: one per fill run and one per pixel of a literal run.
//
// Span tables. Main-layer rows call fill[n].value(at, value, n) and literal[n].source(at, values,
// n); translucent rows call fill[n].valueAlpha(at, value, alpha, n) and
// literal[n].sourceAlpha(at, values, alphas, n). Runs of length 0 call nothing.
//
// The rule a caller must know: the walkers trust the codes (the frame loader checks that every
// row stays inside its block and that its runs add up to the width), but whatever a row holds
// they never draw outside the destination columns [left, right) of the row they are given.
// Columns are destination pixels; a pixel is PixelBytes bytes (the destination's stride, which
// may differ from ValueBytes when the kernels convert).
//
// Two forms: whole rows (Clip false: for rows that start at the left edge, origin = left; only
// the right edge is watched) and clipped rows (Clip true: runs are cut at both edges, a cut
// literal run resumes at the value of its first visible pixel, and a row ends as soon as the
// right edge is reached).
#include "blit/kernels/PixelAccess.h"
#include "blit/kernels/SpanKernelTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Run-length rows of one layer: row r starts at data + rowOffsets[r] (offsets in bytes).
struct RunLengthRows
{
    const uint8_t* data = nullptr;
    const uint32_t* rowOffsets = nullptr;

    bool IsPresent() const { return data && rowOffsets; }
    const uint8_t* Row(uint32_t r) const { return data + rowOffsets[r]; }
};

// Where the rows land: destination columns of one row.
struct RunLengthColumns
{
    int32_t origin = 0; // destination column of source column 0 (destination left - source left)
    int32_t left = 0;   // first column that may be drawn
    int32_t right = 0;  // one past the last
};

// The destination of a walk over several rows.
struct RunLengthTarget
{
    uint8_t* firstRow = nullptr; // start (column 0) of the destination row of the first source row
    ptrdiff_t pitch = 0;         // bytes from one destination row to the next
    uint32_t rowCount = 0;
    RunLengthColumns columns;
};

namespace runlength {

template <uint32_t ValueBytes>
inline uint32_t ReadValue(const uint8_t* p)
{
    if constexpr (ValueBytes == 1)
        return p[0];
    else if constexpr (ValueBytes == 2)
        return p[0] | p[1] << 8;
    else
        return p[0] | p[1] << 8 | p[2] << 16;
}

// Where the decoding of one row stands.
struct Cursor
{
    const uint8_t* codes;
    const uint8_t* alpha; // translucent rows only
    uint8_t* row;         // column 0 of the destination row
    int32_t x;            // the destination column of the next code
};

// Decodes one code of a row and draws its run. Draw(at, isLiteral, values, alphas, n) draws n
// pixels at `at`, `values` and `alphas` pointing at those of the first pixel drawn (for a fill
// run: the run's value and its alpha byte). With Translucent, every fill or literal run consumes
// its alpha bytes, drawn or not.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Clip, bool Translucent, class Draw>
VANTOREL_KERNEL_INLINE void Step(Cursor& cursor, const RunLengthColumns& columns, const Draw& draw)
{
    uint32_t code = *cursor.codes++;
    if (code & 0x80) {
        // A skip is mostly followed by a run: take that too while the row goes on.
        cursor.x += static_cast<int32_t>(code & 0x7F);
        if (cursor.x >= columns.right)
            return;
        code = *cursor.codes++;
        if (code & 0x80) {
            cursor.x += static_cast<int32_t>(code & 0x7F);
            return;
        }
    }
    const int32_t n = static_cast<int32_t>(code & 0x3F);
    const bool literal = (code & 0x40) != 0;
    const uint8_t* values = cursor.codes;
    const uint8_t* alphas = cursor.alpha;
    cursor.codes += literal ? static_cast<size_t>(n) * ValueBytes : ValueBytes;
    if constexpr (Translucent)
        cursor.alpha += literal ? n : 1;
    int32_t x = cursor.x, count = n;
    // Past the run the row goes on; a run cut at the right edge ends it (x reaches the edge).
    cursor.x += n;
    if (Clip && x < columns.left) {
        const int32_t cut = std::min(columns.left - x, n);
        x += cut;
        count -= cut;
        if (literal) {
            values += static_cast<size_t>(cut) * ValueBytes;
            alphas += Translucent ? cut : 0;
        }
    }
    count = std::min(count, columns.right - x);
    if (count > 0)
        draw(cursor.row + static_cast<size_t>(x) * PixelBytes, literal, values, alphas, static_cast<uint32_t>(count));
}

// One row to its end.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Clip, bool Translucent, class Draw>
VANTOREL_KERNEL_INLINE void WalkRow(Cursor cursor, const RunLengthColumns& columns, const Draw& draw)
{
    while (cursor.x < columns.right)
        Step<ValueBytes, PixelBytes, Clip, Translucent>(cursor, columns, draw);
}

// Every row of a rectangle, two rows at a time: decoding a row is a chain of dependent reads (each
// code says where the next one is), and two chains side by side run in about the time of one.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Clip, bool Translucent, class Draw>
VANTOREL_KERNEL_INLINE void WalkRows(const RunLengthRows& codes, const RunLengthRows* alphas, uint32_t firstRow,
                                     const RunLengthTarget& target, const Draw& draw)
{
    // Copies: the kernels write through byte pointers, which could alias anything read through
    // a reference, so the compiler would read these again after every run.
    const RunLengthColumns columns = target.columns;
    const RunLengthRows rows = codes;
    const RunLengthRows alphaRows = Translucent ? *alphas : RunLengthRows{};
    uint8_t* const destination = target.firstRow;
    const ptrdiff_t pitch = target.pitch;
    const uint32_t rowCount = target.rowCount;
    auto cursor = [&](uint32_t r) {
        return Cursor{rows.Row(firstRow + r), Translucent ? alphaRows.Row(firstRow + r) : nullptr,
                      destination + static_cast<ptrdiff_t>(r) * pitch, columns.origin};
    };
    uint32_t r = 0;
    for (; r + 1 < rowCount; r += 2) {
        Cursor a = cursor(r), b = cursor(r + 1);
        while (a.x < columns.right && b.x < columns.right) {
            Step<ValueBytes, PixelBytes, Clip, Translucent>(a, columns, draw);
            Step<ValueBytes, PixelBytes, Clip, Translucent>(b, columns, draw);
        }
        WalkRow<ValueBytes, PixelBytes, Clip, Translucent>(a, columns, draw);
        WalkRow<ValueBytes, PixelBytes, Clip, Translucent>(b, columns, draw);
    }
    if (r < rowCount)
        WalkRow<ValueBytes, PixelBytes, Clip, Translucent>(cursor(r), columns, draw);
}

// Rows no wider than this are walked one at a time: a sprite's rows hold a run or two, and the
// bookkeeping of two rows side by side (the pair's loop, its two tails, the registers it keeps)
// costs more than the wait it hides.
constexpr int32_t kNarrowRowWidth = 32;

// Whole rows, one at a time.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Translucent, class Draw>
VANTOREL_KERNEL_INLINE void WalkNarrowRows(const RunLengthRows& codes, const RunLengthRows* alphas, uint32_t firstRow,
                                           const RunLengthTarget& target, const Draw& draw)
{
    const RunLengthColumns columns = target.columns;
    const RunLengthRows rows = codes;
    const RunLengthRows alphaRows = Translucent ? *alphas : RunLengthRows{};
    uint8_t* row = target.firstRow;
    const ptrdiff_t pitch = target.pitch;
    const uint32_t end = firstRow + target.rowCount;
    for (uint32_t r = firstRow; r < end; ++r, row += pitch)
        WalkRow<ValueBytes, PixelBytes, false, Translucent>(
            Cursor{rows.Row(r), Translucent ? alphaRows.Row(r) : nullptr, row, columns.origin}, columns, draw);
}

// The same in whole (whole = true: the source rectangle spans the source width) or clipped form.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Translucent, class Draw>
VANTOREL_KERNEL_INLINE void WalkRows(const RunLengthRows& codes, const RunLengthRows* alphas, uint32_t firstRow,
                                     const RunLengthTarget& target, bool whole, const Draw& draw)
{
    if (whole && target.columns.right - target.columns.left <= kNarrowRowWidth)
        WalkNarrowRows<ValueBytes, PixelBytes, Translucent>(codes, alphas, firstRow, target, draw);
    else if (whole)
        WalkRows<ValueBytes, PixelBytes, false, Translucent>(codes, alphas, firstRow, target, draw);
    else
        WalkRows<ValueBytes, PixelBytes, true, Translucent>(codes, alphas, firstRow, target, draw);
}

// Draws through a pair of span tables: entry n of the fill or literal table for a run of n.
template <uint32_t ValueBytes>
struct TableDraw
{
    const SpanTable& fill;
    const SpanTable& literal;
    void operator()(uint8_t* at, bool isLiteral, const uint8_t* values, const uint8_t*, uint32_t n) const
    {
        if (isLiteral)
            literal[n].source(at, values, n);
        else
            fill[n].value(at, ReadValue<ValueBytes>(values), n);
    }
};

template <uint32_t ValueBytes>
struct TableAlphaDraw
{
    const SpanTable& fill;
    const SpanTable& literal;
    void operator()(uint8_t* at, bool isLiteral, const uint8_t* values, const uint8_t* alphas, uint32_t n) const
    {
        if (isLiteral)
            literal[n].sourceAlpha(at, values, alphas, n);
        else
            fill[n].valueAlpha(at, ReadValue<ValueBytes>(values), *alphas, n);
    }
};

} // namespace runlength

// One main-layer row.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Clip>
void WalkRunLengthRow(const uint8_t* codes, const RunLengthColumns& columns, uint8_t* row, const SpanTable& fill,
                      const SpanTable& literal)
{
    runlength::WalkRow<ValueBytes, PixelBytes, Clip, false>(runlength::Cursor{codes, nullptr, row, columns.origin},
                                                            columns, runlength::TableDraw<ValueBytes>{fill, literal});
}

// One translucent-layer row: colours from `codes`, alpha bytes from `alpha`.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Clip>
void WalkRunLengthAlphaRow(const uint8_t* codes, const uint8_t* alpha, const RunLengthColumns& columns, uint8_t* row,
                           const SpanTable& fill, const SpanTable& literal)
{
    runlength::WalkRow<ValueBytes, PixelBytes, Clip, true>(runlength::Cursor{codes, alpha, row, columns.origin},
                                                           columns, runlength::TableAlphaDraw<ValueBytes>{fill, literal});
}

// Every row of a rectangle: source rows firstRow .. firstRow + rowCount - 1 of `rows`, drawn in
// whole (whole = true: the source rectangle spans the source width) or clipped form.
template <uint32_t ValueBytes, uint32_t PixelBytes>
void WalkRunLengthRows(const RunLengthRows& rows, uint32_t firstRow, const RunLengthTarget& target,
                       const SpanTable& fill, const SpanTable& literal, bool whole)
{
    runlength::WalkRows<ValueBytes, PixelBytes, false>(rows, nullptr, firstRow, target, whole,
                                                       runlength::TableDraw<ValueBytes>{fill, literal});
}

// The translucent layer of a rectangle: colour rows and their alpha rows.
template <uint32_t ValueBytes, uint32_t PixelBytes>
void WalkRunLengthAlphaRows(const RunLengthRows& colours, const RunLengthRows& alphas, uint32_t firstRow,
                            const RunLengthTarget& target, const SpanTable& fill, const SpanTable& literal, bool whole)
{
    runlength::WalkRows<ValueBytes, PixelBytes, true>(colours, &alphas, firstRow, target, whole,
                                                      runlength::TableAlphaDraw<ValueBytes>{fill, literal});
}
