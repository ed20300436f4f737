// The memory stream: growth, writes inside and past the data, borrowed buffers, line reading,
// handing the buffer over and loading whole files.
#include "FileTestHelpers.h"
#include "foundation/FileBuf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::string Contents(const CFileBuf& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.GetData()), const_cast<CFileBuf&>(buffer).GetSize());
}

} // namespace

TEST(FileBuf, CapacityGrowsByHalfAndAtLeastFour)
{
    CFileBuf buffer;
    EXPECT_EQ(1u, buffer.Write("a", 1));
    EXPECT_EQ(4u, buffer.GetCapacity());
    EXPECT_EQ(5u, buffer.Write("bcdef", 5));
    EXPECT_EQ(8u, buffer.GetCapacity());
    EXPECT_EQ(10u, buffer.Write("ghijklmnop", 10));
    EXPECT_EQ(16u, buffer.GetCapacity());
    EXPECT_EQ("abcdefghijklmnop", Contents(buffer));

    CFileBuf big;
    std::string block(100, 'x');
    big.Write(block.data(), 100);
    EXPECT_EQ(100u, big.GetCapacity()); // the first write allocates exactly what it needs
    big.Write("y", 1);
    EXPECT_EQ(150u, big.GetCapacity());
}

TEST(FileBuf, OverwriteInsideKeepsTheLength)
{
    CFileBuf buffer;
    buffer.Write("0123456789", 10);
    ASSERT_TRUE(buffer.Seek(2));
    buffer.Write("ab", 2);
    EXPECT_EQ(10u, buffer.GetSize());
    EXPECT_EQ(4, buffer.GetPosition());
    EXPECT_EQ("01ab456789", Contents(buffer));
    buffer.Seek(8);
    buffer.Write("XYZ", 3);
    EXPECT_EQ("01ab4567XYZ", Contents(buffer));
}

TEST(FileBuf, SeekingPastTheEndAndWritingFillsTheGapWithZeros)
{
    CFileBuf buffer;
    buffer.Write("ab", 2);
    // Grow a larger buffer first so that stale bytes would lie in the gap.
    buffer.Write("cdefghijklmnopqrstuvwxyz", 24);
    buffer.Empty();
    buffer.Write("ab", 2);
    ASSERT_TRUE(buffer.Seek(10));
    buffer.Write("z", 1);
    EXPECT_EQ(11u, buffer.GetSize());
    EXPECT_EQ(std::string("ab\0\0\0\0\0\0\0\0z", 11), Contents(buffer));

    // An empty write past the end also makes the data reach the position.
    ASSERT_TRUE(buffer.Seek(14));
    EXPECT_EQ(0u, buffer.Write("", 0));
    EXPECT_EQ(14u, buffer.GetSize());
    EXPECT_EQ(std::string("ab\0\0\0\0\0\0\0\0z\0\0\0", 14), Contents(buffer));

    // Reading past the end gives nothing.
    buffer.Seek(20);
    char c;
    EXPECT_EQ(0u, buffer.Read(&c, 1));
}

TEST(FileBuf, ReadLineRules)
{
    CFileBuf buffer;
    const char text[] = "abc\r\ndef\nghi\r\rjk";
    buffer.Write(text, sizeof text - 1);
    buffer.Seek(0);
    char line[8];
    EXPECT_FALSE(buffer.ReadLine(line, 4)); // abc needs 5 bytes
    EXPECT_EQ(0, buffer.GetPosition());
    ASSERT_TRUE(buffer.ReadLine(line, 5));
    EXPECT_STREQ("abc", line);
    EXPECT_EQ(5, buffer.GetPosition()); // after the LF
    ASSERT_TRUE(buffer.ReadLine(line, 8));
    EXPECT_STREQ("def", line);
    ASSERT_TRUE(buffer.ReadLine(line, 8));
    EXPECT_STREQ("ghi", line);
    ASSERT_TRUE(buffer.ReadLine(line, 8)); // the second CR ends an empty line
    EXPECT_STREQ("", line);
    ASSERT_TRUE(buffer.ReadLine(line, 8)); // the last line has no line end
    EXPECT_STREQ("jk", line);
    EXPECT_FALSE(buffer.ReadLine(line, 8));
}

TEST(FileBuf, TakeBufferThenWriteAgain)
{
    CFileBuf buffer;
    buffer.Write("data", 4);
    uint8_t* taken = buffer.TakeBuffer();
    ASSERT_NE(nullptr, taken);
    EXPECT_EQ(0, std::memcmp(taken, "data", 4));
    std::free(taken);
    EXPECT_EQ(0u, buffer.GetSize());
    EXPECT_EQ(0u, buffer.GetCapacity());
    EXPECT_EQ(nullptr, buffer.TakeBuffer());
    buffer.Write("more", 4);
    EXPECT_EQ(4u, buffer.GetCapacity());
    EXPECT_EQ("more", Contents(buffer));
}

TEST(FileBuf, AccessAndAdvanceStaysInsideTheData)
{
    CFileBuf buffer;
    buffer.Write("0123456789", 10);
    buffer.Seek(2);
    const uint8_t* at = buffer.AccessAndAdvance(3);
    ASSERT_NE(nullptr, at);
    EXPECT_EQ('2', at[0]);
    EXPECT_EQ(5, buffer.GetPosition());
    EXPECT_EQ(nullptr, buffer.AccessAndAdvance(6));
    EXPECT_EQ(5, buffer.GetPosition());
    EXPECT_NE(nullptr, buffer.AccessAndAdvance(5));
    buffer.Seek(50);
    EXPECT_EQ(nullptr, buffer.AccessAndAdvance(0));
}

TEST(FileBuf, BorrowedBufferIsNeverGrownOrFreed)
{
    CFileBuf owner;
    owner.Write("0123456789", 10);
    {
        CFileBuf view;
        view.ConstructView(owner);
        EXPECT_FALSE(view.OwnsBuffer());
        EXPECT_EQ(10u, view.GetSize());
        view.Seek(8);
        EXPECT_EQ(2u, view.Write("abcdef", 6)); // clipped at the end of the borrowed bytes
        EXPECT_EQ(10u, view.GetSize());
        view.Seek(12);
        EXPECT_EQ(0u, view.Write("x", 1));
        EXPECT_FALSE(view.Grow(100));
        // Taking the buffer of a view hands out a copy.
        uint8_t* copy = view.TakeBuffer();
        ASSERT_NE(nullptr, copy);
        EXPECT_NE(owner.GetData(), copy);
        EXPECT_EQ(0, std::memcmp(copy, "01234567ab", 10));
        std::free(copy);
    }
    EXPECT_EQ("01234567ab", Contents(owner));
}

TEST(FileBuf, SetSizeCutsAndExtendsWithZeros)
{
    CFileBuf buffer;
    buffer.Write("0123456789", 10);
    EXPECT_EQ(0, buffer.SetSize(4));
    EXPECT_EQ("0123", Contents(buffer));
    buffer.Seek(4);
    buffer.Write("ab", 2);
    EXPECT_EQ("0123ab", Contents(buffer)); // the cut bytes do not come back
    EXPECT_EQ(0, buffer.SetSize(9));
    EXPECT_EQ(std::string("0123ab\0\0\0", 9), Contents(buffer));

    CFileBuf view;
    view.ConstructView(buffer);
    EXPECT_EQ(-1, view.SetSize(100));
    EXPECT_EQ(0, view.SetSize(3));
    EXPECT_EQ(3u, view.GetSize());
}

TEST(FileBuf, ContentEqualsAndCopyFrom)
{
    CFileBuf a;
    CFileBuf b;
    EXPECT_FALSE(a.ContentEquals(b)); // neither has a buffer
    a.Write("same bytes", 10);
    std::string big(64, 'x');
    b.Write(big.data(), 64);
    b.Empty();
    b.Write("same bytes", 10);
    EXPECT_NE(a.GetCapacity(), b.GetCapacity());
    EXPECT_TRUE(a.ContentEquals(b));
    b.Seek(0);
    b.Write("S", 1);
    EXPECT_FALSE(a.ContentEquals(b));

    CFileBuf emptyA;
    CFileBuf emptyB;
    emptyA.ConstructOverBuffer(static_cast<uint8_t*>(std::malloc(1)), 0);
    emptyB.ConstructOverBuffer(static_cast<uint8_t*>(std::malloc(1)), 0);
    EXPECT_TRUE(emptyA.ContentEquals(emptyB));

    CFileBuf c;
    c.Write("previous longer contents", 24);
    c.CopyFrom(a);
    EXPECT_EQ("same bytes", Contents(c));
    EXPECT_EQ(10, c.GetPosition());
    c.CopyFrom(c);
    EXPECT_EQ("same bytes", Contents(c));
}

TEST(FileBuf, ConstructOverBufferOwnsIt)
{
    auto* bytes = static_cast<uint8_t*>(std::malloc(6));
    std::memcpy(bytes, "abc\r\nd", 6);
    auto buffer = std::make_unique<CFileBuf>();
    buffer->ConstructOverBuffer(bytes, 6);
    EXPECT_TRUE(buffer->OwnsBuffer());
    EXPECT_EQ(6u, buffer->GetSize());
    EXPECT_EQ(6u, buffer->GetCapacity());
    buffer->Seek(6);
    buffer->Write("e", 1); // grows: the adopted block is replaced
    EXPECT_EQ(std::string("abc\r\nde"), Contents(*buffer));
    EXPECT_TRUE(buffer->IsMemoryStream());
    EXPECT_TRUE(buffer->HasDirectAccess());
}

TEST(FileBuf, LoadFileToMemoryStream)
{
    filetest::WorkFolder work;
    testsupport::WriteFileBytes(work / "whole.bin", std::string("\x01\x02\x00\x03", 4));
    std::unique_ptr<CFileBuf> stream(LoadFileToMemoryStream("whole.bin", VF_READ));
    ASSERT_TRUE(stream);
    EXPECT_EQ(0, stream->GetPosition());
    EXPECT_EQ(std::string("\x01\x02\x00\x03", 4), Contents(*stream));
    EXPECT_EQ(nullptr, LoadFileToMemoryStream("missing.bin", VF_READ));

    testsupport::WriteFileBytes(work / "empty.bin", "");
    stream.reset(LoadFileToMemoryStream("empty.bin", VF_READ));
    ASSERT_TRUE(stream);
    EXPECT_EQ(0u, stream->GetSize());
}
