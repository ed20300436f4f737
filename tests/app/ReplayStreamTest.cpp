// The replay stream: bit packing against an independent packer, byte-aligned records and raw
// fields, the 0xCF fill past the end, function indices and their widths, quantised points,
// colours, and item references resolved by name.
#include "TestSupport.h"
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "graphics/Color.h"
#include "objects/ValueNameList.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Functions that exist only in the tests of this file carry this bit, so that a stream made with
// it holds them alone.
constexpr uint32_t kTestMask = 0x40000000;

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const CReplayStream& stream)
{
    return Bytes(stream.GetBytes(), stream.GetBytes() + stream.GetLength());
}

// Least significant bit first, each field right after the previous one: the format, written out
// bit by bit.
Bytes ReferencePack(const std::vector<std::pair<uint32_t, uint32_t>>& fields)
{
    Bytes out;
    size_t bit = 0;
    for (auto [value, width] : fields) {
        for (uint32_t k = 0; k < width; ++k, ++bit) {
            if (bit / 8 >= out.size())
                out.push_back(0);
            if ((value >> k) & 1)
                out[bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
        }
    }
    return out;
}

std::unique_ptr<CStringList> MakeList(std::initializer_list<const char*> names)
{
    auto list = std::make_unique<CStringList>();
    for (const char* name : names)
        list->Add(name, 0);
    return list;
}

void Ignore(CReplayStream&)
{
}

// A stream over bytes.
struct Reader
{
    explicit Reader(const Bytes& bytes) { stream.AppendBytes(bytes.data(), static_cast<uint32_t>(bytes.size())); }
    CReplayStream stream;
};

} // namespace

TEST(ReplayStreamBits, PacksLeastSignificantBitFirst)
{
    CReplayStream stream;
    stream.WriteBits(0b101, 3);
    stream.WriteBits(0b110011, 6);
    EXPECT_EQ(BytesOf(stream), (Bytes{0x9D, 0x01}));

    // Random fields of every width against the reference packer, and read back.
    std::mt19937 random(23);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::pair<uint32_t, uint32_t>> fields;
        CReplayStream writer;
        for (int i = 0; i < 40; ++i) {
            const uint32_t width = random() % 33;
            const uint32_t value = width == 32 ? static_cast<uint32_t>(random()) : static_cast<uint32_t>(random()) & ((1u << width) - 1);
            fields.emplace_back(value, width);
            writer.WriteBits(value, width);
        }
        ASSERT_EQ(BytesOf(writer), ReferencePack(fields)) << "round " << round;
        Reader reader(BytesOf(writer));
        for (auto [value, width] : fields)
            ASSERT_EQ(reader.stream.ReadBits(width), value);
    }
    // Bits above the width are not written.
    CReplayStream masked;
    masked.WriteBits(0xFFFFFFFF, 4);
    masked.WriteBits(0, 4);
    EXPECT_EQ(BytesOf(masked), (Bytes{0x0F}));
}

TEST(ReplayStreamBits, RawFieldsAndRecordsStartOnByteBoundaries)
{
    CReplayCallback first(&Ignore, "A", kTestMask);
    CReplayCallback second(&Ignore, "B", kTestMask);
    CReplayCallback third(&Ignore, "C", kTestMask);
    CReplayStream stream;
    stream.RegisterFunctions(kTestMask);
    ASSERT_EQ(stream.GetIndexWidth(), 2u);

    EXPECT_TRUE(stream.BeginRecord(&third, CReplayStream::kDrawRecord));
    EXPECT_FALSE(stream.HasContent()); // drawing records do not mark content
    stream.WriteBool(true);
    stream.WriteDword(0x11223344);
    stream.WriteBits(1, 1);
    EXPECT_TRUE(stream.BeginRecord(&second, CReplayStream::kStateRecord));
    EXPECT_TRUE(stream.HasContent());
    stream.WriteQword(0x0102030405060708ull);
    stream.WriteByte(0xAB);
    EXPECT_EQ(BytesOf(stream), (Bytes{0x06, 0x44, 0x33, 0x22, 0x11, 0x01, 0x01, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03,
                                      0x02, 0x01, 0xAB}));
    // A function the stream does not hold writes nothing.
    CReplayCallback stranger(&Ignore, "D", 0);
    EXPECT_FALSE(stream.BeginRecord(&stranger, CReplayStream::kDrawRecord));
    EXPECT_EQ(stream.GetLength(), 16u);

    Reader reader(BytesOf(stream));
    EXPECT_EQ(reader.stream.ReadBits(2), 2u);
    EXPECT_TRUE(reader.stream.ReadBool());
    uint32_t dword = 0;
    ASSERT_TRUE(reader.stream.ReadDword(dword));
    EXPECT_EQ(dword, 0x11223344u);
}

TEST(ReplayStreamBits, MissingBytesReadAsCF)
{
    CReplayStream stream;
    EXPECT_EQ(stream.ReadBits(8), 0xCFu);
    EXPECT_EQ(stream.GetReadPosition(), 0u);
    uint32_t dword = 77;
    EXPECT_FALSE(stream.ReadDword(dword));
    EXPECT_EQ(dword, 77u);
    uint64_t qword = 5;
    EXPECT_FALSE(stream.ReadQword(qword));
    EXPECT_EQ(qword, 5u);

    // A byte read partly from past the end gives the rest of 0xCF.
    Reader reader(Bytes{0xFF});
    EXPECT_EQ(reader.stream.ReadBits(8), 0xFFu);
    EXPECT_EQ(reader.stream.ReadBits(3), 0xCFu & 7);
    EXPECT_EQ(reader.stream.ReadBits(5), 0xCFu >> 3);
    EXPECT_EQ(reader.stream.ReadBits(16), 0xCFCFu);
    // Bytes appended later are read from where reading stopped.
    const uint8_t more[2] = {0x12, 0x34};
    reader.stream.AppendBytes(more, 2);
    uint8_t byte = 0;
    ASSERT_TRUE(reader.stream.ReadByte(byte));
    EXPECT_EQ(byte, 0x12);
    EXPECT_TRUE(reader.stream.HasBytesLeft(1));
    EXPECT_FALSE(reader.stream.HasBytesLeft(2));

    // Clearing forgets the bytes, counts those read and keeps the buffer.
    const uint32_t capacity = reader.stream.GetCapacity();
    reader.stream.Clear();
    EXPECT_EQ(reader.stream.GetLength(), 0u);
    EXPECT_EQ(reader.stream.GetTotalRead(), 2u);
    EXPECT_EQ(reader.stream.GetCapacity(), capacity);
}

TEST(ReplayFunctions, SortedByteWiseWithTheirIndexWidths)
{
    CReplayCallback lower(&Ignore, "CSprite::drawFromStream", kTestMask);
    CReplayCallback upper(&Ignore, "CSprite::DrawFromStream", kTestMask);
    CReplayCallback accent(&Ignore, "CSprite::\xC9tatFromStream", kTestMask);
    CReplayStream stream;
    stream.RegisterFunctions(kTestMask);
    ASSERT_EQ(stream.GetFunctions().GetCount(), 3u);
    EXPECT_EQ(stream.GetFunctions()[0], &upper);
    EXPECT_EQ(stream.GetFunctions()[1], &lower);
    EXPECT_EQ(stream.GetFunctions()[2], &accent); // bytes compare unsigned

    struct Case
    {
        int count;
        uint32_t width;
    };
    for (Case c : {Case{1, 0}, Case{2, 1}, Case{200, 8}, Case{256, 8}, Case{257, 9}}) {
        std::vector<std::string> names;
        for (int i = 0; i < c.count; ++i)
            names.push_back(testsupport::Numbered("F", 1000 + i));
        std::vector<std::unique_ptr<CReplayCallback>> functions;
        for (const std::string& name : names)
            functions.push_back(std::make_unique<CReplayCallback>(&Ignore, name.c_str(), kTestMask | 0x20000000));
        CReplayStream many;
        many.RegisterFunctions(kTestMask | 0x20000000);
        EXPECT_EQ(many.GetFunctions().GetCount(), static_cast<uint32_t>(c.count));
        EXPECT_EQ(many.GetIndexWidth(), c.width) << c.count;
    }
    // Destroyed functions leave the registry.
    const uint32_t before = CReplayFunction::GetRegistry().GetCount();
    { CReplayCallback passing(&Ignore, "Passing", kTestMask); }
    EXPECT_EQ(CReplayFunction::GetRegistry().GetCount(), before);
}

TEST(ReplayFunctions, RecordsRunTheirFunctionAndBadIndicesStop)
{
    static std::vector<int> s_calls;
    s_calls.clear();
    CReplayCallback one([](CReplayStream& s) { s_calls.push_back(static_cast<int>(s.ReadBits(4))); }, "One", kTestMask);
    CReplayCallback two([](CReplayStream&) { s_calls.push_back(-2); }, "Two", kTestMask);
    CReplayCallback three([](CReplayStream&) { s_calls.push_back(-3); }, "Three", kTestMask);
    CReplayStream stream;
    stream.RegisterFunctions(kTestMask);
    stream.BeginRecord(&one, CReplayStream::kDrawRecord);
    stream.WriteBits(9, 4);
    stream.BeginRecord(&two, CReplayStream::kDrawRecord);
    stream.BeginRecord(&three, CReplayStream::kDrawRecord);
    stream.WriteBits(3, 2); // index 3 of three functions: no function
    Reader reader(BytesOf(stream));
    reader.stream.RegisterFunctions(kTestMask);
    EXPECT_TRUE(reader.stream.ExecuteNextRecord());
    EXPECT_EQ(reader.stream.GetCurrentRecord(), &one);
    EXPECT_TRUE(reader.stream.ExecuteNextRecord());
    EXPECT_TRUE(reader.stream.ExecuteNextRecord());
    EXPECT_FALSE(reader.stream.ExecuteNextRecord());
    EXPECT_EQ(s_calls, (std::vector<int>{9, -2, -3}));

    // A stream of one function without fields would never move on: refused.
    CReplayCallback only([](CReplayStream&) {}, "Only", kTestMask | 0x10000000);
    Reader single(Bytes{0, 0});
    single.stream.RegisterFunctions(kTestMask | 0x10000000);
    EXPECT_EQ(single.stream.GetIndexWidth(), 0u);
    EXPECT_FALSE(single.stream.ExecuteNextRecord());
}

TEST(ReplayStreamFields, QuantisedPointsAndColours)
{
    struct Case
    {
        CFloatPoint point;
        int32_t xmin, xmax, ymin, ymax;
        CFloatPoint expected;
        size_t bits;
    };
    const Case cases[] = {
        {{10.4f, 20.6f}, -190, 830, 0, 0, {10, 21}, 20},      // both axes on the x bounds: 10 bits each
        {{-500, 5000}, -190, 830, 0, 0, {-190, 830}, 20},      // clamped
        {{3.5f, -2.5f}, 0, 7, -4, 3, {4, -3}, 6},               // halves round away from zero
        {{std::nanf(""), 1}, 0, 1, 0, 1, {0, 1}, 2},
        {{5, 5}, 5, 5, 9, 9, {5, 9}, 0},                        // one value: no bits
    };
    for (const Case& c : cases) {
        CReplayStream stream;
        stream.WriteQuantizedPoint(c.point, c.xmin, c.xmax, c.ymin, c.ymax);
        EXPECT_EQ(stream.GetLength(), (c.bits + 7) / 8);
        Reader reader(BytesOf(stream));
        CFloatPoint read{99, 99};
        reader.stream.ReadQuantizedPoint(read, c.xmin, c.xmax, c.ymin, c.ymax);
        EXPECT_EQ(read, c.expected) << c.point.m_x << "," << c.point.m_y;
    }
    // Bits that say more than the bounds allow still give a point inside them.
    Reader wild(Bytes{0xFF});
    CFloatPoint point;
    wild.stream.ReadQuantizedPoint(point, 0, 4, 0, 0);
    EXPECT_EQ(point, (CFloatPoint{4, 4}));

    CColor red;
    red.Set(255, 0, 0);
    CColor teal;
    teal.Set(0, 130, 120);
    CReplayStream stream;
    stream.WriteBool(true);
    stream.WriteColor(red);
    stream.WriteColor(teal);
    Reader reader(BytesOf(stream));
    reader.stream.ReadBool();
    CColor read;
    reader.stream.ReadColor(read);
    EXPECT_EQ(read.GetPixel16(), 0xF800);
    reader.stream.ReadColor(read);
    EXPECT_EQ(read.GetPixel16(), teal.GetPixel16());
    EXPECT_EQ(read.GetAlpha(), 255);
}

TEST(ReplayStreamReferences, NamesResolveAcrossReorderedCollections)
{
    auto recorded = MakeList({"Ball", "Brick", "Ship"});
    auto local = MakeList({"Ship", "Laser", "Ball"}); // reordered; "Brick" is gone
    CReplayStream stream;
    for (int index : {2, 0, 2, -1, 1, 1, 7, 0})
        stream.WriteObjectReference(index, recorded.get());
    Reader reader(BytesOf(stream));
    std::vector<int32_t> read;
    for (int i = 0; i < 8; ++i)
        read.push_back(reader.stream.ReadObjectReference(local.get()));
    // -1 (and any index outside the collection) is written as no item and read as -1; a name the
    // collection lacks reads as -1 every time, and the stream stays in step.
    EXPECT_EQ(read, (std::vector<int32_t>{0, 2, 0, -1, -1, -1, -1, 2}));
    EXPECT_FALSE(reader.stream.HasBytesLeft(1));

    // The encoding: count, then the number in BitLength(count) bits, the name on first use.
    auto single = MakeList({"Only"});
    CReplayStream one;
    one.WriteObjectReference(0, single.get());
    one.WriteObjectReference(0, single.get());
    one.WriteObjectReference(-1, single.get());
    EXPECT_EQ(BytesOf(one), (Bytes{1, 0, 0, 0, 0, 'O', 'n', 'l', 'y', 0, 0b10}));

    // Two collections keep tables of their own; resetting forgets both.
    auto other = MakeList({"X", "Y"});
    CReplayStream two;
    two.WriteObjectReference(1, other.get());
    two.WriteObjectReference(0, single.get());
    two.ResetObjectTables();
    two.WriteObjectReference(1, other.get());
    Reader twoReader(BytesOf(two));
    EXPECT_EQ(twoReader.stream.ReadObjectReference(other.get()), 1);
    EXPECT_EQ(twoReader.stream.ReadObjectReference(single.get()), 0);
    twoReader.stream.ResetObjectTables();
    EXPECT_EQ(twoReader.stream.ReadObjectReference(other.get()), 1);
}

TEST(ReplayStreamReferences, DamagedCountsIndicesAndNames)
{
    auto list = MakeList({"A", "B"});
    // A huge count costs no memory until its numbers appear; a number past it is no item.
    Reader huge(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 'B', 0, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(huge.stream.ReadObjectReference(list.get()), 1);
    EXPECT_EQ(huge.stream.ReadObjectReference(list.get()), -1);
    EXPECT_EQ(huge.stream.GetReadingReferences().GetTableSize(list.get()), 0xFFFFFFFFu);

    // Count 2 (2 bits), number 3: outside the table.
    Reader past(Bytes{2, 0, 0, 0, 0x03});
    EXPECT_EQ(past.stream.ReadObjectReference(list.get()), -1);

    // A name without its terminator is empty and not consumed.
    Reader unterminated(Bytes{2, 0, 0, 0, 0x00, 'A'});
    EXPECT_EQ(unterminated.stream.ReadObjectReference(list.get()), -1);
    EXPECT_EQ(unterminated.stream.GetReadPosition(), 5u);

    // No count at all: a table of no items.
    Reader empty(Bytes{});
    EXPECT_EQ(empty.stream.ReadObjectReference(list.get()), -1);
    EXPECT_EQ(empty.stream.ReadObjectReference(nullptr), -1);
}
