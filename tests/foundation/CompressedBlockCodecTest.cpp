// The compressed block record: round trips, records read and written by Python's zlib, and
// truncated or damaged records that must be reported, never returned as data.
#include "FileTestHelpers.h"
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <zlib.h>

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// A file in memory holding the given bytes, positioned at the start.
void OpenOverBytes(CVirtualFile& file, const std::string& bytes)
{
    auto* memory = new CFileBuf();
    if (!bytes.empty())
        memory->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    memory->Seek(0);
    file.AttachStream(memory, VF_READ | VF_WRITE);
}

std::string EncodeRecord(const std::string& data, int level)
{
    CVirtualFile file;
    OpenOverBytes(file, "");
    EXPECT_TRUE(CCompressedBlockCodec::Write(file, data.data(), static_cast<uint32_t>(data.size()), level));
    auto* memory = static_cast<CFileBuf*>(file.GetStream());
    return std::string(reinterpret_cast<const char*>(memory->GetData()), memory->GetSize());
}

struct Decoded
{
    bool present = false;
    bool damaged = false;
    std::string data;
    int32_t position = 0;
};

Decoded DecodeRecord(const std::string& record, uint32_t maxRaw = UINT32_MAX)
{
    CVirtualFile file;
    OpenOverBytes(file, record);
    Decoded result;
    uint32_t rawLength = 12345;
    uint8_t* data = CCompressedBlockCodec::Read(file, rawLength, &result.damaged, maxRaw);
    result.position = file.GetPosition();
    if (data) {
        result.present = true;
        result.data.assign(reinterpret_cast<const char*>(data), rawLength);
        std::free(data);
    } else {
        EXPECT_EQ(0u, rawLength);
    }
    return result;
}

std::string Record(uint8_t flag, uint32_t compressed, uint32_t raw, const std::string& payload)
{
    std::string record(9, '\0');
    record[0] = static_cast<char>(flag);
    for (int i = 0; i < 4; ++i) {
        record[1 + i] = static_cast<char>(compressed >> (8 * i));
        record[5 + i] = static_cast<char>(raw >> (8 * i));
    }
    return record + payload;
}

} // namespace

TEST(CompressedBlock, RoundTrips)
{
    const std::string cases[] = {std::string(), std::string("x"), RandomBytes(1 << 20, 1),
                                 std::string(1 << 20, '\0'), std::string("0123456789")};
    for (const std::string& data : cases) {
        for (int level : {6, 9}) {
            const std::string record = EncodeRecord(data, level);
            ASSERT_GE(record.size(), 9u);
            EXPECT_EQ(1, record[0]);
            uint32_t compressed = 0;
            uint32_t raw = 0;
            std::memcpy(&compressed, record.data() + 1, 4);
            std::memcpy(&raw, record.data() + 5, 4);
            EXPECT_EQ(data.size(), raw);
            EXPECT_EQ(record.size() - 9, compressed);
            const Decoded decoded = DecodeRecord(record);
            ASSERT_TRUE(decoded.present) << "size " << data.size() << " level " << level;
            EXPECT_FALSE(decoded.damaged);
            EXPECT_TRUE(decoded.data == data);
            EXPECT_EQ(static_cast<int32_t>(record.size()), decoded.position);
        }
    }
    // A megabyte of zeros shrinks to almost nothing.
    EXPECT_LT(EncodeRecord(std::string(1 << 20, '\0'), 9).size(), 2000u);
}

TEST(CompressedBlock, IncompressibleDataStillFits)
{
    // Random data grows a little under deflate; the output is sized for the worst case.
    for (size_t n : {1u, 100u, 16384u, 65537u}) {
        const std::string data = RandomBytes(n, static_cast<unsigned>(n));
        const std::string record = EncodeRecord(data, 9);
        EXPECT_LE(record.size() - 9, compressBound(static_cast<uLong>(n)));
        EXPECT_TRUE(DecodeRecord(record).data == data);
    }
}

TEST(CompressedBlock, RecordEmbeddedAfterOtherData)
{
    const std::string data = RandomBytes(3000, 4);
    const std::string file = "HEADER" + EncodeRecord(data, 9) + "TRAILER";
    CVirtualFile reader;
    OpenOverBytes(reader, file);
    reader.Seek(6);
    uint32_t rawLength = 0;
    uint8_t* out = CCompressedBlockCodec::Read(reader, rawLength);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(0, std::memcmp(out, data.data(), data.size()));
    std::free(out);
    char trailer[8] = {};
    EXPECT_EQ(7u, reader.Read(trailer, 7));
    EXPECT_STREQ("TRAILER", trailer);
}

TEST(CompressedBlock, NoRecordConsumesOneByte)
{
    for (char first : {'\0', '\x02', 'C', '\xFF'}) {
        const Decoded decoded = DecodeRecord(std::string(1, first) + "rest of a plain file");
        EXPECT_FALSE(decoded.present);
        EXPECT_FALSE(decoded.damaged);
        EXPECT_EQ(1, decoded.position);
    }
    const Decoded empty = DecodeRecord("");
    EXPECT_FALSE(empty.present);
    EXPECT_FALSE(empty.damaged);
}

TEST(CompressedBlock, TruncatedRecordsAreDamaged)
{
    const std::string record = EncodeRecord(RandomBytes(2000, 5), 6);
    for (size_t length = 1; length < record.size(); ++length) {
        const Decoded decoded = DecodeRecord(record.substr(0, length));
        EXPECT_FALSE(decoded.present) << length;
        EXPECT_TRUE(decoded.damaged) << length;
    }
}

TEST(CompressedBlock, CorruptedRecordsAreDamaged)
{
    const std::string data = RandomBytes(4000, 6);
    const std::string record = EncodeRecord(data, 6);
    const uint32_t compressed = static_cast<uint32_t>(record.size() - 9);
    const std::string payload = record.substr(9);

    // Any flipped byte of the zlib data is caught (header, deflate data or checksum).
    for (size_t at = 0; at < payload.size(); at += 97) {
        std::string broken = payload;
        broken[at] ^= 0x20;
        EXPECT_TRUE(DecodeRecord(Record(1, compressed, 4000, broken)).damaged) << at;
    }
    std::string lastByte = payload;
    lastByte.back() ^= 1;
    EXPECT_TRUE(DecodeRecord(Record(1, compressed, 4000, lastByte)).damaged);

    // Lengths that disagree with the data.
    EXPECT_TRUE(DecodeRecord(Record(1, compressed, 3999, payload)).damaged);
    EXPECT_TRUE(DecodeRecord(Record(1, compressed, 4001, payload)).damaged);
    EXPECT_TRUE(DecodeRecord(Record(1, compressed + 1, 4000, payload)).damaged);
    EXPECT_TRUE(DecodeRecord(Record(1, 0, 4000, payload)).damaged);
    EXPECT_TRUE(DecodeRecord(Record(1, 0xFFFFFFFFu, 4000, payload)).damaged);
    // A huge raw length behind a few bytes is refused before anything is allocated.
    EXPECT_TRUE(DecodeRecord(Record(1, compressed, 0xFFFFFFFFu, payload)).damaged);
    EXPECT_TRUE(DecodeRecord(Record(1, 20, 0x7FFFFFFFu, std::string(20, 'x'))).damaged);
    // The record of a failed compression (no data) is damaged too.
    EXPECT_TRUE(DecodeRecord(Record(1, 0, 0, "")).damaged);
    // A reader's bound for its kind of file: the raw length may reach it, not pass it.
    EXPECT_TRUE(DecodeRecord(record, 4000).present);
    EXPECT_TRUE(DecodeRecord(record, 3999).damaged);

    // A shorter compressed length still holding a whole stream reads fine; trailing bytes after
    // the record are no concern of the reader.
    const Decoded withTail = DecodeRecord(record + "tail");
    EXPECT_TRUE(withTail.present);
    EXPECT_TRUE(withTail.data == data);
}

TEST(CompressedBlock, PythonInflatesWhatWeWriteAndWeReadWhatPythonWrites)
{
    if (!filetest::HavePython())
        GTEST_SKIP() << "python3 with zlib is not available";
    filetest::WorkFolder work;
    const std::string data = RandomBytes(1 << 20, 8) + std::string(300000, 'a');
    WriteFileBytes(work / "raw.bin", data);
    CVirtualFile file;
    ASSERT_TRUE(file.Open("ours.dat", VF_CREATE | VF_WRITE | VF_COMPRESSED));
    ASSERT_EQ(data.size(), file.Write(data.data(), static_cast<uint32_t>(data.size())));
    ASSERT_TRUE(file.Close());

    const std::string script = R"(
import struct, sys, zlib
raw = open('raw.bin', 'rb').read()
d = open('ours.dat', 'rb').read()
flag, c, r = struct.unpack('<BII', d[:9])
assert flag == 1 and r == len(raw) and c == len(d) - 9, (flag, c, r, len(d))
assert zlib.decompress(d[9:]) == raw
payload = zlib.compress(raw[:200000], 9)
open('theirs.dat', 'wb').write(struct.pack('<BII', 1, len(payload), 200000) + payload)
)";
    ASSERT_EQ(0, filetest::RunPython(work.Path(), script, ""));
    ASSERT_TRUE(file.Open("theirs.dat", VF_READ | VF_COMPRESSED));
    ASSERT_EQ(200000u, file.GetSize());
    std::string back(200000, '\0');
    ASSERT_EQ(200000u, file.Read(back.data(), 200000));
    EXPECT_TRUE(back == data.substr(0, 200000));
}
