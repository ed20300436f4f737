// The start-up set-up of the blit tables over a temporary tree holding a game palette written by
// Python: which cache files each start reads and writes, the depth rule, and the derived tables.
#include "BlitTableTestSupport.h"
#include "blit/Blitter.h"
#include "../objects/FatalCatcher.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

using namespace blittest;

namespace {

const std::map<std::string, uintmax_t> kCacheFiles = {
    {"-GamePalette.pal", 768},        {"-InvColorTable15.pal", 32768},     {"-InvColorTable16.pal", 65536},
    {"-Alpha20_80.pal", 65536},       {"-Alpha40_60.pal", 65536},          {"-BlackBias.pal", 65536},
    {"-Blend Amplify Light.pal", 65536}, {"-Blend Test Light.pal", 65536}, {"-FadeTable.pal", 8192}};

std::vector<std::vector<uint8_t>> Snapshot()
{
    std::vector<std::vector<uint8_t>> snapshot;
    for (CPaletteTable* table : EightBitTables())
        snapshot.emplace_back(table->GetData(), table->GetData() + table->GetSize());
    snapshot.emplace_back(g_fadeTable, g_fadeTable + (g_fadeTable ? kFadeTableSize : 0));
    return snapshot;
}

class BlitTableSetUp : public testing::Test
{
protected:
    void TearDown() override { ForgetEightBitTables(); }

    fs::path Cache(const std::string& file) const { return m_dir.Path() / "Palettes" / "Cache" / file; }
    void Start(int depth)
    {
        ForgetEightBitTables();
        SetUpBlitTables("Palettes", "GamePalette", depth);
    }
    // Sets every cache file's time far back; then tells which files a start wrote.
    void AgeCache()
    {
        for (const auto& [file, size] : kCacheFiles) {
            EXPECT_EQ(fs::file_size(Cache(file)), size) << file;
            m_times[file] = fs::last_write_time(Cache(file)) - std::chrono::hours(24 * 400);
            fs::last_write_time(Cache(file), m_times[file]);
        }
    }
    std::set<std::string> Written() const
    {
        std::set<std::string> written;
        for (const auto& [file, size] : kCacheFiles) {
            EXPECT_EQ(fs::file_size(Cache(file)), size) << file;
            if (fs::last_write_time(Cache(file)) != m_times.at(file))
                written.insert(file);
        }
        return written;
    }
    void Rewrite(const std::string& file, const std::string& bytes)
    {
        testsupport::WriteFileBytes(Cache(file), bytes);
        fs::last_write_time(Cache(file), m_times[file]);
    }

    filetest::WorkFolder m_dir;
    std::map<std::string, fs::file_time_type> m_times;
};

} // namespace

TEST_F(BlitTableSetUp, FirstStartWritesTheCacheSecondReadsItAChangedPaletteRebuildsIt)
{
    WriteGamePalette(m_dir.Path());
    Start(8);
    for (int i = 0; i < 256; ++i) {
        int r, g, b;
        PaletteEntry(i, -1, r, g, b);
        uint8_t cr, cg, cb;
        g_currentPalette.GetEntry(static_cast<uint32_t>(i), cr, cg, cb);
        ASSERT_TRUE(cr == r && cg == g && cb == b) << i;
    }
    const auto first = Snapshot();
    AgeCache();
    EXPECT_EQ(testsupport::ReadFileBytes(Cache("-GamePalette.pal")),
              std::string(reinterpret_cast<const char*>(g_currentPalette.GetData()), 768));

    // A byte changed in a cache file, within the table's range, shows the table is read from it.
    std::string bytes = testsupport::ReadFileBytes(Cache("-Alpha40_60.pal"));
    bytes[1234] = static_cast<char>(bytes[1234] == 7 ? 8 : 7);
    Rewrite("-Alpha40_60.pal", bytes);
    Start(8);
    EXPECT_TRUE(Written().empty());
    auto second = Snapshot();
    EXPECT_EQ(second[4][1234], static_cast<uint8_t>(bytes[1234]));
    second[4][1234] = first[4][1234];
    EXPECT_EQ(second, first);

    WriteGamePalette(m_dir.Path(), 77);
    Start(8);
    EXPECT_EQ(Written().size(), kCacheFiles.size());
    uint8_t r, g, b;
    g_currentPalette.GetEntry(77, r, g, b);
    EXPECT_EQ(g_inverseColorTable16.FindNearest(r, g, b, 0, 0), 77);
    EXPECT_NE(Snapshot(), first);
}

TEST_F(BlitTableSetUp, CutOrDamagedCacheFilesAreRebuilt)
{
    WriteGamePalette(m_dir.Path());
    Start(8);
    const auto good = Snapshot();
    AgeCache();
    // Cut short; index 0 everywhere (no inverse table holds it); one byte short; one byte long.
    Rewrite("-Alpha20_80.pal", testsupport::ReadFileBytes(Cache("-Alpha20_80.pal")).substr(0, 1000));
    Rewrite("-InvColorTable15.pal", std::string(32768, '\0'));
    Rewrite("-FadeTable.pal", testsupport::ReadFileBytes(Cache("-FadeTable.pal")).substr(1));
    Rewrite("-Blend Test Light.pal", testsupport::ReadFileBytes(Cache("-Blend Test Light.pal")) + "x");
    Start(8);
    EXPECT_EQ(Snapshot(), good);
    EXPECT_EQ(Written(), (std::set<std::string>{"-Alpha20_80.pal", "-InvColorTable15.pal", "-FadeTable.pal",
                                                "-Blend Test Light.pal"}));
}

TEST_F(BlitTableSetUp, OtherDepthsTouchNoFileAndBuildOnlyTheOpacityTables)
{
    WriteGamePalette(m_dir.Path());
    std::memset(g_alphaScaleTables, 0, sizeof g_alphaScaleTables);
    std::memset(g_blendStepForLevel, 0, sizeof g_blendStepForLevel);
    filetest::FakeArchives archives;
    for (int depth : {16, 24, 32}) {
        Start(depth);
        EXPECT_EQ(archives.m_openCalls, 0);
        EXPECT_FALSE(fs::exists(m_dir.Path() / "Palettes" / "Cache"));
        for (const auto& table : Snapshot())
            EXPECT_TRUE(table.empty());
        EXPECT_FALSE(ArePackingTablesBuilt());
        EXPECT_EQ(g_alphaScaleTables[100][200], 200u * 100u / 255u);
        EXPECT_EQ(g_blendStepForLevel[0] * 10 + g_blendStepForLevel[128], 52u);
    }
}

TEST_F(BlitTableSetUp, AnEightBitStartWithoutAUsablePaletteIsFatal)
{
    FatalCatcher catcher;
    fs::create_directories(m_dir.Path() / "Palettes");
    testsupport::WriteFileBytes(m_dir.Path() / "Palettes" / "GamePalette.bmp", std::string(2000, 'B'));
    try {
        Start(8);
        ADD_FAILURE() << "no fatal end";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.m_caption + error.m_text, "FATAL ERROR!The executable or data file appears to have become "
                                                  "corrupted. Please reinstall the product, or contact the vendor for "
                                                  "assistance.");
    }
}

TEST_F(BlitTableSetUp, DerivedTablesFollowThePalette)
{
    WriteGamePalette(m_dir.Path());
    Start(8);
    // The packers now scale to nearest.
    EXPECT_EQ(PackRgbToPixel16(4, 2, 4), 0u);
    EXPECT_EQ(PackRgbToPixel16(128, 128, 128), 0x8410u);
    EXPECT_EQ(PackRgbToPixel15(255, 0, 255), 0x7C1Fu);
    const uint32_t* rows[] = {g_paletteRow80, g_paletteRow60, g_paletteRow40, g_paletteRow20};
    auto five = [](int c) { return static_cast<uint32_t>(std::floor(c * 31 / 255.0 + 0.5)); };
    for (int i = 0; i < 256; ++i) {
        int r, g, b;
        PaletteEntry(i, -1, r, g, b);
        EXPECT_EQ(g_paletteRed[i] << 16 | g_paletteGreen[i] << 8 | g_paletteBlue[i], static_cast<uint32_t>(r << 16 | g << 8 | b));
        for (int k = 0, s = 8; k < 4; ++k, s -= 2) {
            const uint32_t pixel = five(s * r / 10) << 10 | five(s * g / 10) << 5 | five(s * b / 10);
            ASSERT_EQ(rows[k][i], 256u * g_inverseColorTable15.GetData()[pixel]) << i << " " << k;
        }
    }
    // Fade rows: 16 is the identity, 0 the nearest black of entries 1 to 254; 0 and 255 kept.
    const uint8_t black = g_currentPalette.FindNearest(0, 0, 0, 1, 255);
    for (uint32_t i = 0; i < 256; ++i) {
        EXPECT_EQ(g_fadeTable[16 * 256 + i], i);
        EXPECT_EQ(g_fadeTable[i], i == 0 || i == 255 ? i : black);
    }
}
