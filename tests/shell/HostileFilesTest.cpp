// Small files made to cost: every reader of the object text (sequence headers, the force-feedback
// project, round layouts, the statistics file, the module database) reads or refuses each of them
// in a child process under a time and a memory bound. Each file is a few dozen kilobytes at most,
// compressed where its reader inflates. The bounds that keep them cheap leave every object text
// of the data set whole.
#include "BoundedRun.h"
#include "GameFixture.h"
#include "app/ForceFeedbackProject.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/TextUtilities.h"
#include "foundation/ZipArchive.h"
#include "game/bricks/BrickLayout.h"
#include "graphics/SequenceFrameInfoList.h"
#include "objects/ClassRegistry.h"
#include "objects/ObjectTextStream.h"
#include "online/DownloadableModuleList.h"
#include "shell/stats/Stats.h"

#include <zlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using testsupport::BoundedOutcome;

namespace {

std::string Repeat(const std::string& text, size_t times)
{
    std::string out;
    out.reserve(text.size() * times);
    while (times-- > 0)
        out += text;
    return out;
}

// The statistics file's compressed form: u8 1, u32 compressed length, u32 raw length, zlib data.
std::string Compressed(const std::string& text)
{
    uLongf packedLength = compressBound(text.size());
    std::string packed(packedLength, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(packed.data()), &packedLength,
                        reinterpret_cast<const Bytef*>(text.data()), text.size(), 9),
              Z_OK);
    packed.resize(packedLength);
    auto u32 = [](size_t value) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>(value >> (8 * i));
        return bytes;
    };
    // Appended to a string, not prefixed: g++ 12 at -O3 warns falsely (-Wrestrict) of a literal
    // inserted before a temporary.
    std::string file = "\x01";
    file += u32(packed.size());
    file += u32(text.size());
    file += packed;
    return file;
}

// One property holding an "Array" block of the given lines, inside an object of the class.
std::string ArrayText(const char* className, const char* label, const std::string& lines)
{
    return std::string(className) + "\r\n{\r\n\t" + label + "=Array\r\n\t{\r\n" + lines + "\t}\r\n}\r\n";
}

// What the game does with each kind of file: true when it takes the file whole.
bool ReadText(CObject* object, const std::string& text)
{
    auto* buffer = new CFileBuf;
    buffer->Write(text.data(), static_cast<uint32_t>(text.size()));
    buffer->Seek(0);
    CObjectTextStream stream;
    stream.OpenMemory(buffer, VF_READ);
    stream.SetDamageTolerated(true);
    const bool read = object->ReadFromTextStream(stream) && !stream.IsDamaged();
    delete object;
    return read;
}

bool ReadStats(const std::string& bytes)
{
    CStats stats;
    return stats.LoadFromBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

bool ReadModules(const std::string& bytes)
{
    CDownloadableModuleList list;
    return list.ReadDatabase(bytes.data(), bytes.size());
}

template <class Class>
std::function<bool(const std::string&)> Reader()
{
    return [](const std::string& text) { return ReadText(new Class, text); };
}

constexpr unsigned kSeconds =
#if defined(__SANITIZE_ADDRESS__)
    4;
#else
    2;
#endif

#ifdef VANTOREL_DATA_DIR
// The game over the data set, whose collections the texts name.
class HostileFiles : public GameFixture
{
};

TEST_F(HostileFiles, EachIsReadOrRefusedWithinItsBounds)
{
    const std::string alternating = Repeat("\t\tItem Count=65536\r\n\t\tItem Count=0\r\n", 1500);
    const std::string objectsAlternating = Repeat("\t\tArray Count=65536\r\n\t\tArray Count=1\r\n", 1400);
    const std::string profile = "\t\tPlayer=CPlayerStats\r\n\t\t{\r\n\t\t}\r\n";
    const std::string games = "\t\t\tItem Count=40000\r\n" +
                              Repeat("\t\t\tGame Stats=CGameStats\r\n\t\t\t{\r\n\t\t\t}\r\n", 40000);
    const std::string gamesProfile = "\t\tPlayer=CPlayerStats\r\n\t\t{\r\n\t\t\tAll Games Played=Array\r\n"
                                     "\t\t\t{\r\n" + games + "\t\t\t}\r\n\t\t}\r\n";
    struct Case
    {
        const char* name;
        std::function<bool(const std::string&)> read;
        std::string bytes;
        bool taken;
    } cases[] = {
        // The last count line decides; none of the counts before it makes anything.
        {"sequence header, alternating counts", Reader<CSequenceFrameInfoList>(),
         ArrayText("CSequenceFrameInfoList", "Frame Infos", alternating), true},
        {"force-feedback project, alternating counts", Reader<CForceFeedbackProject>(),
         ArrayText("CForceFeedbackProject", "Effects", objectsAlternating), true},
        // An array without a capacity grows geometrically, not by one item at a time.
        {"force-feedback project, many effects", Reader<CForceFeedbackProject>(),
         ArrayText("CForceFeedbackProject", "Effects",
                   Repeat("\t\tArray Item=CForceFeedbackEffect\r\n\t\t{\r\n\t\t}\r\n", 1300)),
         true},
        // Counts far beyond the text make at most the budget's default items, and the read is
        // damaged.
        {"round layout, a count of four billion", Reader<CBrickLayout>(),
         ArrayText("CBrickLayout", "Rows Offsets", "\t\tItem Count=4000000000\r\n"), false},
        {"round layout, a huge grid", Reader<CBrickLayout>(),
         "CBrickLayout\r\n{\r\n\tLayout=CFrame(65535,65535,8)\r\n\t{\r\n\t}\r\n}\r\n", false},
        {"statistics, 600,000 empty profiles", &ReadStats,
         Compressed(ArrayText("CStats", "Players", Repeat(profile, 600000))), false},
        {"statistics, 30 million profiles over blank lines", &ReadStats,
         Compressed(ArrayText("CStats", "Players", "\t\tItem Count=30000000\r\n" + std::string(30 << 20, '\n'))),
         false},
        {"statistics, archived games past the file's bound", &ReadStats,
         Compressed(ArrayText("CStats", "Players", "\t\tItem Count=2\r\n" + gamesProfile + gamesProfile)), false},
        // Arrays nested in the items of another draw on one budget of default items.
        {"statistics, games counted in every profile", &ReadStats,
         Compressed(ArrayText("CStats", "Players",
                              Repeat("\t\tPlayer=CPlayerStats\r\n\t\t{\r\n\t\t\tAll Games Played=Array\r\n"
                                     "\t\t\t{\r\n\t\t\t\tItem Count=60000\r\n\t\t\t}\r\n\t\t}\r\n",
                                     200))),
         false},
        {"statistics, alternating counts of games", &ReadStats,
         Compressed(ArrayText("CStats", "Players",
                              "\t\tItem Count=1\r\n\t\tPlayer=CPlayerStats\r\n\t\t{\r\n\t\t\tAll Games Played=Array\r\n"
                              "\t\t\t{\r\n" + alternating + "\t\t\t}\r\n\t\t}\r\n")),
         true},
        {"module database, alternating counts", &ReadModules,
         ArrayText("CDownloadableModuleList", "Version Info", objectsAlternating), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_LE(c.bytes.size(), 64u << 10);
        const BoundedOutcome outcome =
            testsupport::RunBounded([&] { return c.read(c.bytes) == c.taken; }, kSeconds, 256);
        EXPECT_EQ(outcome, BoundedOutcome::kTrue);
    }
}

using DataSetTexts = HostileFiles;

TEST_F(DataSetTexts, EveryObjectTextReadsWhole)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(VANTOREL_DATA_DIR)) {
        if (!file.is_regular_file())
            continue;
        const fs::path relative = fs::relative(file.path(), VANTOREL_DATA_DIR);
        if (file.path().extension() != ".zip") {
            names.push_back(relative.generic_string());
            continue;
        }
        CZipArchive archive;
        ASSERT_TRUE(archive.Open(file.path().c_str(), false, (relative.stem().string() + "/").c_str(), false, VF_READ));
        for (uint32_t i = 0; i < archive.GetEntryCount(); ++i)
            names.push_back(archive.GetEntry(i).GetFullName());
    }
    int texts = 0;
    for (const std::string& name : names) {
        CObjectTextStream stream;
        ASSERT_TRUE(stream.Open(name.c_str(), VF_READ)) << name;
        CSharedString first;
        const CClassRecord* record =
            stream.ReadNonBlankTextLine(first) ? CClassRegistry::GetInstance()->Find(SkipWhitespace(first.CStr())) : nullptr;
        if (!record || record->IsAbstract())
            continue; // not an object text
        stream.Seek(0);
        stream.SetDamageTolerated(true);
        CObject* object = record->CreateObject();
        EXPECT_TRUE(object->ReadFromTextStream(stream) && !stream.IsDamaged()) << name;
        delete object;
        ++texts;
    }
    EXPECT_GT(texts, 100);
}
#endif

} // namespace
