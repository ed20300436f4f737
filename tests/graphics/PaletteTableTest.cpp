// Palette tables: kinds and sizes, the nearest-colour search, the lazily filled table, files, and
// the palette of 8-bit BMP files written by other tools.
#include "FrameTestSupport.h"
#include "../foundation/FileTestHelpers.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace frametest;

TEST(PaletteTable, CreateGivesTheIdentityAndKindsFixTheSize)
{
    const std::pair<int32_t, uint32_t> sizes[] = {{0, 0},     {1, 768},   {2, 256},   {3, 1024}, {4, 65536},
                                                  {5, 32768}, {6, 32768}, {7, 65536}, {8, 0}};
    for (auto [kind, size] : sizes)
        EXPECT_EQ(CPaletteTable::GetSizeForKind(kind), size);
    CPaletteTable table;
    table.Create(2);
    ASSERT_EQ(table.GetSize(), 256u);
    for (uint32_t i = 0; i < 256; ++i)
        EXPECT_EQ(table.GetData()[i], i);
    table.Create(0);
    EXPECT_TRUE(table.IsEmpty());
}

TEST(PaletteTable, CopyAndCompare)
{
    CPaletteTable a, b;
    EXPECT_FALSE(a.Differs(b));
    a.Create(1);
    EXPECT_TRUE(a.Differs(b));
    b.CopyFrom(a);
    EXPECT_FALSE(a.Differs(b));
    b.SetEntry(255, 1, 1, 1);
    EXPECT_TRUE(a.Differs(b));
    CPaletteTable empty;
    b.CopyFrom(empty); // nothing to copy
    EXPECT_EQ(b.GetKind(), 1);
}

TEST(PaletteTable, NearestColourSearch)
{
    CPaletteTable palette;
    palette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        palette.SetEntry(i, 0, 0, 0);
    palette.SetEntry(0, 100, 100, 100);
    palette.SetEntry(3, 90, 100, 100);
    palette.SetEntry(9, 110, 100, 100); // as far as entry 3
    EXPECT_EQ(palette.FindNearest(100, 100, 100, 1, 256), 3);
    EXPECT_EQ(palette.FindNearest(100, 100, 100, 0, 256), 0);
    EXPECT_EQ(palette.FindNearest(100, 100, 100, 4, 256), 9);
    // Green weighs more than red, red more than blue.
    palette.SetEntry(20, 50, 60, 50);
    palette.SetEntry(21, 60, 50, 50);
    palette.SetEntry(22, 50, 50, 60);
    EXPECT_EQ(palette.FindNearest(50, 50, 50, 20, 23), 22);
    EXPECT_EQ(palette.FindNearest(50, 50, 50, 20, 22), 21);
}

TEST(PaletteTable, LookupKindsAndTheLazyTable)
{
    CPaletteTable palette;
    palette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        palette.SetEntry(i, static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
    CPaletteTable lazy;
    lazy.Create(6);
    std::memset(lazy.GetData(), 0, lazy.GetSize());
    lazy.SetFallbackPalette(&palette);
    EXPECT_EQ(lazy.FindNearest(255, 255, 255, 0, 0), 254); // entries 1 to 254 of the fallback
    EXPECT_EQ(lazy.GetData()[0x7FFF], 254);
    EXPECT_EQ(lazy.FindNearest(0, 0, 0, 0, 0), 1);

    CPaletteTable remap;
    remap.Create(2);
    // A 16-bit index would read past a 256-byte table.
    EXPECT_EQ(remap.FindNearest(255, 255, 255, 0, 0), 0);
    EXPECT_EQ(remap.FindNearest(0, 0, 0, 0, 0), 0);
    EXPECT_EQ(remap.FindNearest(0, 0, 255, 0, 0), 31); // 5-6-5 value 0x1F
    CPaletteTable empty;
    EXPECT_EQ(empty.FindNearest(1, 2, 3, 0, 256), 0);
}

TEST(PaletteTable, SaveAndLoadFiles)
{
    filetest::WorkFolder dir;
    std::string name = "table.pal";
    CPaletteTable table;
    table.Create(4);
    for (uint32_t i = 0; i < 65536; ++i)
        table.GetData()[i] = static_cast<uint8_t>(i * 7);
    ASSERT_TRUE(table.Save(name.c_str(), 0));
    EXPECT_EQ(testsupport::ReadFileBytes(dir / name).size(), 65536u);
    CPaletteTable loaded;
    ASSERT_TRUE(loaded.Load(name.c_str(), 4));
    EXPECT_FALSE(loaded.Differs(table));
    // A missing file leaves the identity.
    EXPECT_FALSE(loaded.Load("missing.pal", 2));
    EXPECT_EQ(loaded.GetData()[77], 77);
    // A cut or padded file is no table: refused, with the identity left.
    for (size_t size : {10, 255, 257}) {
        testsupport::WriteFileBytes(dir / "odd.pal", std::string(size, '\x05'));
        CPaletteTable odd;
        EXPECT_FALSE(odd.Load("odd.pal", 2)) << size;
        ASSERT_EQ(odd.GetSize(), 256u);
        EXPECT_EQ(odd.GetData()[3], 3) << size;
    }
    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(table.Save("no/such/folder/t.pal", 0));
}

namespace {

// An 8-bit BMP made by python3 with the standard library only: a colour table of the given number
// of entries (entry i is blue i, green 3i, red 255 - i) named in the header's used-colour count,
// and pixels of the byte 0x77.
bool WritePythonBmp(const std::string& path, int bitCount, int colours = 256, int width = 4, int height = 2)
{
    std::string script = "import struct,sys\n"
                         "bits=" + std::to_string(bitCount) + "\n"
                         "n=" + std::to_string(colours) + "\n"
                         "w,h=" + std::to_string(width) + "," + std::to_string(height) + "\n"
                         "pal=b''.join(bytes([i,(i*3)&255,255-i,0]) for i in range(n)) if bits==8 else b''\n"
                         "row=((w*bits//8)+3)//4*4\n"
                         "pix=bytes([0x77])*(row*h)\n"
                         "off=54+len(pal)\n"
                         "hdr=b'BM'+struct.pack('<IHHI',off+len(pix),0,0,off)\n"
                         "info=struct.pack('<IiiHHIIiiII',40,w,h,1,bits,0,len(pix),2835,2835,n if bits==8 else 0,0)\n"
                         "open(sys.argv[1],'wb').write(hdr+info+pal+pix)\n";
    std::ofstream(path + ".py") << script;
    return testsupport::RunCommand("python3 '" + path + ".py' '" + path + "'") == 0;
}

} // namespace

TEST(FramePalette, LoadBmpPaletteReadsEightBitFilesFromOtherTools)
{
    filetest::WorkFolder dir;
    ASSERT_TRUE(WritePythonBmp(dir / "palette.bmp", 8));
    CFrame frame;
    ASSERT_TRUE(frame.LoadBmpPalette("palette.bmp"));
    EXPECT_TRUE(frame.HasPalette());
    CPaletteTable* palette = frame.GetPalette();
    ASSERT_EQ(palette->GetKind(), 1);
    for (uint32_t i : {0u, 1u, 100u, 255u}) {
        uint8_t r, g, b;
        palette->GetEntry(i, r, g, b);
        EXPECT_EQ(b, i);
        EXPECT_EQ(g, (i * 3) & 255);
        EXPECT_EQ(r, 255 - i);
    }

    // ImageMagick's 8-bit palette BMPs of a picture quantised to 200 colours, with the classic
    // 40-byte information header (BMP3) and with its default 124-byte one.
    for (const char* format : {"BMP3", "BMP"}) {
        if (testsupport::RunCommand(std::string("convert -size 32x32 xc: +noise Random -colors 200 -type Palette ") +
                                    format + ":'" + dir / "magick.bmp" + "' 2>/dev/null") != 0)
            continue;
        std::string bytes = testsupport::ReadFileBytes(dir / "magick.bmp");
        const uint32_t entries = 14 + static_cast<uint8_t>(bytes[14]);
        ASSERT_GE(bytes.size(), entries + 1024u);
        ASSERT_EQ(bytes[28], 8);
        CFrame other;
        ASSERT_TRUE(other.LoadBmpPalette("magick.bmp")) << format;
        for (uint32_t i = 0; i < 256; ++i) {
            uint8_t r, g, b;
            other.GetPalette()->GetEntry(i, r, g, b);
            EXPECT_EQ(b, static_cast<uint8_t>(bytes[entries + i * 4])) << format;
            EXPECT_EQ(g, static_cast<uint8_t>(bytes[entries + 1 + i * 4])) << format;
            EXPECT_EQ(r, static_cast<uint8_t>(bytes[entries + 2 + i * 4])) << format;
        }
    }
}

TEST(FramePalette, LoadBmpPaletteTakesAShortColourTableAsItsHeaderCountsIt)
{
    filetest::WorkFolder dir;
    // A small image whose file is shorter than a whole table would be, and a large one whose
    // pixels lie where the missing entries would: neither lends its pixel bytes to the palette.
    const struct
    {
        int colours, width, height;
    } cases[] = {{16, 4, 2}, {16, 64, 32}, {1, 8, 8}, {255, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colours << " colours, " << c.width << " x " << c.height);
        ASSERT_TRUE(WritePythonBmp(dir / "short.bmp", 8, c.colours, c.width, c.height));
        CFrame frame;
        ASSERT_TRUE(frame.LoadBmpPalette("short.bmp"));
        for (int i = 0; i < 256; ++i) {
            uint8_t r, g, b;
            frame.GetPalette()->GetEntry(static_cast<uint32_t>(i), r, g, b);
            const bool listed = i < c.colours;
            EXPECT_EQ(b, listed ? i : 0) << i;
            EXPECT_EQ(g, listed ? (i * 3) & 255 : 0) << i;
            EXPECT_EQ(r, listed ? 255 - i : 0) << i;
        }
    }
    // A table cut short before its counted entries end is refused.
    const std::string bytes = testsupport::ReadFileBytes(dir / "short.bmp");
    testsupport::WriteFileBytes(dir / "cut.bmp", bytes.substr(0, 54 + 100));
    CFrame frame;
    EXPECT_FALSE(frame.LoadBmpPalette("cut.bmp"));
}

TEST(FramePalette, LoadBmpPaletteRefusesOtherFiles)
{
    filetest::WorkFolder dir;
    ASSERT_TRUE(WritePythonBmp(dir / "rgb.bmp", 24));
    CFrame frame;
    EXPECT_FALSE(frame.LoadBmpPalette("rgb.bmp"));
    EXPECT_FALSE(frame.LoadBmpPalette("missing.bmp"));
    // Cut short inside the palette.
    std::string whole = dir / "whole.bmp";
    ASSERT_TRUE(WritePythonBmp(whole, 8));
    std::string bytes = testsupport::ReadFileBytes(whole);
    testsupport::WriteFileBytes(dir / "cut.bmp", bytes.substr(0, 54 + 1000));
    EXPECT_FALSE(frame.LoadBmpPalette("cut.bmp"));
    EXPECT_FALSE(ReadBmpPalette(frame, nullptr, 0));
}
