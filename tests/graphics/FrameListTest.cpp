// Stand-alone frames and the frame list: options read from a picture's property file steer its
// load stages, and the start-up lists the pictures of "Resources".
#include "LoadTestSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/StandAloneFrame.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace frametest;
using namespace loadtest;

namespace {

// "Cache/<folder>/<name>.Frame" holding a lossless record of the image.
void WriteSource(const std::string& folder, const std::string& name, CFrame& image)
{
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    const uint32_t origin[2] = {0, 0};
    file.Write(origin, 8);
    ASSERT_TRUE(image.WriteSourceImage(file, 80, true));
    std::string bytes(file.GetSize(), '\0');
    file.Seek(0);
    file.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const std::filesystem::path path = "Cache/" + folder + "/" + name + ".Frame";
    std::filesystem::create_directories(path.parent_path());
    testsupport::WriteFileBytes(path, bytes);
}

// A 70 x 1 image of one opaque colour on the 5-6-5 grid (so dithering keeps it uniform): a fill
// run unless fills are refused.
void WriteUniformSource(const std::string& folder, const std::string& name)
{
    CFrame image;
    Fill32(image, 70, 1, [](uint32_t, uint32_t) { return Bgra(0, 255, 255, 255); });
    WriteSource(folder, name, image);
}

void WriteOptions(const std::string& path, const std::string& lines)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    testsupport::WriteFileBytes(path, "CStandAloneFrame\r\n{\r\n" + lines + "}\r\n");
}

// A list converting to 16 bits and encoding, as the frame list's default would on a 16-bit display.
void SixteenBitList(CFrameLoadStage& list)
{
    list.InsertStage(new CDepthConvertStage(true, 16));
    list.AddStage(kStageRunLength);
}

// Whether the first row (of 2-byte values) holds a fill run.
bool HasFillRun(const CFrame& frame)
{
    const uint8_t* block = frame.GetPixels();
    uint32_t at = frame.GetRowOffsets()[0];
    for (uint32_t covered = 0; covered < frame.GetWidth();) {
        const uint8_t header = block[at++];
        const uint32_t count = header & ((header & 0x80) ? 0x7F : 0x3F);
        if ((header & 0xC0) == 0)
            return true;
        if (!(header & 0x80))
            at += (header & 0x40 ? count : 1) * 2;
        covered += count;
    }
    return false;
}

std::unique_ptr<CFrame> Create(const char* name, CFrameLoadStage* list)
{
    return std::unique_ptr<CFrame>(CreateFrameFromFolder("Pictures", name, list, true, 0, nullptr));
}

} // namespace

TEST(StandAloneFrame, PropertiesAndDefaults)
{
    CStandAloneFrame frame;
    frame.SetPropertiesToDefaults();
    EXPECT_EQ(frame.GetOptions(), CStandAloneFrame::kRunLengthEncode | CStandAloneFrame::kCropColor0 |
                                      CStandAloneFrame::kDoDither);
    EXPECT_EQ(frame.GetQuality(), 65u);
    CClassRecord* record = CStandAloneFrame::GetStaticClassRecord();
    for (const char* label : {"Run Length Encode", "RLE All Copy", "Crop Color 0", "Do Dither", "Loss Less", "Quality",
                              "Center Hot Spot"})
        EXPECT_NE(record->FindProperty(label), nullptr) << label;
}

TEST(StandAloneFrame, PicturesWithoutOptionsLoadAsPlainFramesThroughTheGivenStages)
{
    WorkFolder folder;
    WriteUniformSource("Pictures", "Plain");
    CFrameLoadStage list;
    SixteenBitList(list);
    std::unique_ptr<CFrame> frame = Create("Plain", &list);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->GetClassRecord(), CFrame::GetStaticClassRecord());
    EXPECT_EQ(frame->GetFormatFlags() & (kFrameRunLengthMask | kFrameDepthMask), kFrameRunLengthAlpha | kFrameDepth16);
    EXPECT_TRUE(HasFillRun(*frame));
}

TEST(StandAloneFrame, OptionsSteerTheStages)
{
    WorkFolder folder;
    DisplayDepth depth(16); // the options' conversion stage converts to the display's depth
    CFrameLoadStage list;
    SixteenBitList(list);
    WriteUniformSource("Pictures", "NoRle");
    WriteOptions("Pictures/NoRle.txt", "\tRun Length Encode=0\r\n");
    std::unique_ptr<CFrame> plain = Create("NoRle", &list);
    ASSERT_TRUE(plain && plain->IsKindOf(CStandAloneFrame::GetStaticClassRecord()));
    EXPECT_EQ(plain->GetFormatFlags() & (kFrameRunLengthMask | kFrameDepthMask), kFrameDepth16);

    // "RLE All Copy" refuses fill runs for this load only, and the threshold comes back.
    CRunLengthEncodeStage::SetFillThreshold(8);
    WriteUniformSource("Pictures", "AllCopy");
    WriteOptions("Pictures/AllCopy.txt", "\tRLE All Copy=1\r\n");
    std::unique_ptr<CFrame> copies = Create("AllCopy", &list);
    ASSERT_TRUE(copies);
    EXPECT_EQ(copies->GetFormatFlags() & kFrameRunLengthMask, kFrameRunLengthAlpha);
    EXPECT_FALSE(HasFillRun(*copies));
    EXPECT_EQ(CRunLengthEncodeStage::GetFillThreshold(), 8u);

    // ... also when the load fails.
    CRunLengthEncodeStage::SetFillThreshold(5);
    CStandAloneFrame missing;
    missing.SetOptions(CStandAloneFrame::kRunLengthEncode | CStandAloneFrame::kRleAllCopy);
    EXPECT_FALSE(missing.LoadCached("Pictures", "Missing", &list, true, 0));
    EXPECT_EQ(CRunLengthEncodeStage::GetFillThreshold(), 5u);
    CRunLengthEncodeStage::SetFillThreshold(8);

    // Without "Run Length Encode" it changes nothing; a centred hot spot does not survive the
    // rebuild from the source image (its stage is not part of the cache's list).
    WriteUniformSource("Pictures", "Neither");
    WriteOptions("Pictures/Neither.txt", "\tRun Length Encode=0\r\n\tRLE All Copy=1\r\n\tCenter Hot Spot=1\r\n");
    std::unique_ptr<CFrame> neither = Create("Neither", &list);
    ASSERT_TRUE(neither);
    EXPECT_EQ(neither->GetFormatFlags() & kFrameRunLengthMask, 0u);
    EXPECT_EQ(neither->GetLeft(), 0);
}

TEST(FrameCollection, StartUpListsThePicturesOfResources)
{
    WorkFolder folder;
    for (const char* name : {"Resources/Logo.TGA", "Resources/Skins/Button.tga", "Resources/-Work/Draft.TGA"}) {
        std::filesystem::create_directories(std::filesystem::path(name).parent_path());
        testsupport::WriteFileBytes(name, "x");
    }
    CFrameCollection& frames = CFrameCollection::GetInstance();
    frames.SetUpAtStartUp();
    ASSERT_EQ(frames.GetCount(), 2u);
    EXPECT_STREQ(frames.GetItemName(0), "Logo");
    EXPECT_STREQ(frames.GetItemName(1), "Skins/Button");
    EXPECT_GE(frames.GetRegistryIndex(), 0);
    CSharedString path;
    frames.GetItemFilePath(1, path);
    EXPECT_STREQ(path.CStr(), "Resources/Skins/Button.txt");

    // Without TGA files the source images name the pictures; they load on first use.
    std::filesystem::remove_all("Resources");
    WriteUniformSource("Resources/Ship", "Idle");
    CFrameLoadStage list;
    SixteenBitList(list);
    frames.SetDefaultLoadStages(list);
    frames.SetUpAtStartUp();
    ASSERT_EQ(frames.GetCount(), 1u);
    EXPECT_STREQ(frames.GetItemName(0), "Ship/Idle");
    auto* frame = dynamic_cast<CFrame*>(frames.GetItem(0));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetWidth(), 70);
    EXPECT_TRUE(std::filesystem::exists("Cache/Resources/Ship/-Idle.frm16"));
    frames.FreeEntries();
}

TEST(FrameCollection, WithoutStagesOfItsOwnAListConvertsForTheDepthOfEachLoad)
{
    // A display of another depth (a mode change, another game in the process) gets its pictures
    // in its own depth; a list given stages keeps them.
    WorkFolder folder;
    WriteUniformSource("Resources/Ship", "Idle");
    const int32_t savedDepth = GetDisplayBitsPerPixel();
    CFrameCollection frames;
    frames.SetUpFolder("Pictures Of Each Depth", "Resources");
    CFrameCollection fixed;
    CFrameLoadStage list;
    SixteenBitList(list);
    fixed.SetDefaultLoadStages(list);
    fixed.SetUpFolder("Pictures Of Sixteen Bits", "Resources");
    for (int32_t depth : {16, 32, 16}) {
        SetDisplayBitsPerPixel(depth);
        for (CFrameCollection* collection : {&frames, &fixed}) {
            collection->UnloadItem(0);
            auto* frame = dynamic_cast<CFrame*>(collection->GetItem(0));
            ASSERT_NE(frame, nullptr);
            // A 32-bit display draws the frames of a 24-bit one.
            const uint32_t own = depth == 32 ? 24u : static_cast<uint32_t>(depth);
            EXPECT_EQ(frame->GetBitsPerPixel(), collection == &frames ? own : 16u) << depth;
        }
    }
    SetDisplayBitsPerPixel(savedDepth);
}
