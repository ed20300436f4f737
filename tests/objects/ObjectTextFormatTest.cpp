// The object text format: writing, reading, nested blocks, dynamic properties, and the file-level
// create, load and save operations.
#include "FatalCatcher.h"
#include "TestClasses.h"
#include "TextStreamHelpers.h"
#include "objects/ClassRegistry.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/DynamicProperties.h"
#include "objects/DynamicPropertiesProperty.h"
#include "objects/IntProperty.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// CTestAllTypes at its defaults with the dynamic value Glow=9, as the writer writes it. (A named
// value whose name does not read as a number round-trips only when 0 is not a listed value or
// the value is the one named for 0: "On" would read back as 0, the "Off" value.)
const std::string kGolden = "CTestAllTypes\r\n"
                            "{\r\n"
                            "\tDynamic Properties=1\r\n"
                            "\t{\r\n"
                            "\t\tGlow=9\r\n"
                            "\t}\r\n"
                            "\tInt=5\r\n"
                            "\tClamped=3\r\n"
                            "\tX=-4\r\n"
                            "\tUnsigned=7\r\n"
                            "\tMode=Off\r\n"
                            "\tEnabled=1\r\n"
                            "\tBright=0\r\n"
                            "\tLoud=1\r\n"
                            "\tSize=Medium\r\n"
                            "\tSpeed=1.5\r\n"
                            "\tAngle=0.5\r\n"
                            "\tBig=1234567890123\r\n"
                            "}\r\n";

std::string WriteObject(const CObject& object)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    object.WriteToTextStream(stream);
    return WrittenText(stream);
}

bool ReadObject(CObject& object, const std::string& text)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, text);
    return object.ReadFromTextStream(stream);
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(ObjectTextFormat, WritesTheGoldenTextAndReadsItBackByteForByte)
{
    CTestAllTypes object;
    object.SetPropertiesToDefaults();
    *static_cast<int32_t*>(object.AddDynamicValue(CTestAllTypes::GetGlow())) = 9;
    EXPECT_EQ(WriteObject(object), kGolden);

    CTestAllTypes read;
    read.m_int = 1000;
    ASSERT_TRUE(ReadObject(read, kGolden));
    EXPECT_EQ(read.m_int, 5);
    EXPECT_EQ(read.m_mode, 0u);
    EXPECT_EQ(read.m_size, 1u);
    EXPECT_EQ(read.m_hidden, 77); // the property without a label keeps its default
    ASSERT_NE(read.FindDynamicValue(CTestAllTypes::GetGlow()), nullptr);
    EXPECT_EQ(*static_cast<int32_t*>(read.FindDynamicValue(CTestAllTypes::GetGlow())), 9);
    EXPECT_EQ(WriteObject(read), kGolden);
}

TEST(ObjectTextFormat, SpacesInPlaceOfTabsAndBlankLinesReadTheSame)
{
    CTestAllTypes read;
    ASSERT_TRUE(ReadObject(read, Replace(Replace(kGolden, "\t", "    "), "\r\n", "\r\n  \r\n")));
    EXPECT_EQ(WriteObject(read), kGolden);
    CTestAllTypes unixLines;
    ASSERT_TRUE(ReadObject(unixLines, Replace(kGolden, "\r\n", "\n")));
    EXPECT_EQ(WriteObject(unixLines), kGolden);
}

TEST(ObjectTextFormat, LabelsIgnoreCaseAndMayBeQualified)
{
    CTestAllTypes read;
    ASSERT_TRUE(ReadObject(read, "{\r\nint=12\r\nCTestAllTypes::Clamped=4\r\nAnything::X=9\r\nSIZE=Large\r\n}\r\n"));
    EXPECT_EQ(read.m_int, 12);
    EXPECT_EQ(read.m_clamped, 4);
    EXPECT_EQ(read.m_coordinate, 9);
    EXPECT_EQ(read.m_size, 2u);
    // Unset properties hold their defaults; unknown labels and lines without "=" are skipped.
    CTestAllTypes other;
    ASSERT_TRUE(ReadObject(other, "{\r\nno equals sign here\r\nUnknown=1\r\nSpeed=2\r\n}"));
    EXPECT_FLOAT_EQ(other.m_speed, 2.0f);
    EXPECT_EQ(other.m_int, 5);
}

TEST(ObjectTextFormat, ValuesKeepTrailingBlanks)
{
    CTestText read;
    ASSERT_TRUE(ReadObject(read, "CTestText\r\n{\r\n\tText= two words \t\r\n\tNumber=3\r\n}\r\n"));
    EXPECT_STREQ(read.m_text.CStr(), " two words \t");
    EXPECT_EQ(read.m_number, 3);
    ASSERT_TRUE(ReadObject(read, "{\r\nText=a=b\r\n}\r\n"));
    EXPECT_STREQ(read.m_text.CStr(), "a=b");
}

TEST(ObjectTextFormat, BlockMustBeOpenedAndClosedExactly)
{
    CTestAllTypes read;
    EXPECT_FALSE(ReadObject(read, "CTestAllTypes\r\n{\r\nInt=8\r\n"));
    EXPECT_EQ(read.m_int, 8); // what was read before the failure stays
    EXPECT_FALSE(ReadObject(read, "{\r\nInt=8\r\n} \r\n"));
    EXPECT_FALSE(ReadObject(read, "{\r\nInt=8\r\n}}\r\n"));
    EXPECT_FALSE(ReadObject(read, "{ \r\nInt=8\r\n}\r\n"));
    EXPECT_FALSE(ReadObject(read, "Int=8\r\n}\r\n"));
    EXPECT_FALSE(ReadObject(read, "CTestAllTypes\r\nInt=8\r\n}\r\n"));
    EXPECT_FALSE(ReadObject(read, ""));
    EXPECT_TRUE(ReadObject(read, "  \t{\r\n\t\t}"));
}

TEST(ObjectTextFormat, ClassLineMustNameTheClassOrABase)
{
    CTestAllTypesChild child;
    EXPECT_TRUE(ReadObject(child, "CTestAllTypesChild\r\n{\r\nExtra=3\r\n}\r\n"));
    EXPECT_EQ(child.m_extra, 3);
    EXPECT_TRUE(ReadObject(child, "CTestAllTypes\r\n{\r\nInt=4\r\n}\r\n"));
    EXPECT_TRUE(ReadObject(child, "CObject  \r\n{\r\n}\r\n"));
    EXPECT_TRUE(ReadObject(child, "TestAllTypes\r\n{\r\n}\r\n"));
    EXPECT_FALSE(ReadObject(child, "CTestText\r\n{\r\n}\r\n"));
    EXPECT_FALSE(ReadObject(child, "CNoSuchClassAtAll\r\n{\r\n}\r\n"));
    CTestAllTypes base;
    EXPECT_FALSE(ReadObject(base, "CTestAllTypesChild\r\n{\r\n}\r\n"));
}

TEST(ObjectTextFormat, IdentifierLinesAreRecognisedAndIgnored)
{
    CTestAllTypes read;
    ASSERT_TRUE(ReadObject(read, "{\r\nObject ID=0x00000010\r\nInt=6\r\n}\r\n"));
    EXPECT_EQ(read.m_int, 6);
    ASSERT_TRUE(ReadObject(read, "{\r\nReferenced Object List Location=0x00420042\r\nobject id=0x1\r\nInt=7\r\n}\r\n"));
    EXPECT_EQ(read.m_int, 7);
}

TEST(ObjectTextFormat, UnknownNestedBlocksAreSkipped)
{
    CTestAllTypes read;
    ASSERT_TRUE(ReadObject(read, "CTestAllTypes\r\n{\r\n\tRetired=CTestOldThing\r\n\t{\r\n\t\tInner=CDeeper\r\n\t\t{\r\n"
                                 "\t\t\tValue=1\r\n\t\t}\r\n\t}\r\n\tInt=21\r\n}\r\n"));
    EXPECT_EQ(read.m_int, 21);
}

TEST(ObjectTextFormatDeathTest, UnexpectedOpeningBraceIsFatal)
{
    CTestAllTypes read;
    EXPECT_EXIT(ReadObject(read, "CTestAllTypes\r\n{\r\n\tInt=1\r\n\t{\r\n\t}\r\n}\r\n"), testing::ExitedWithCode(255),
                "Fatal Error: Found unexpected '\\{' while parsing class \"CTestAllTypes\"\\.  ReadCustomProperties was "
                "likely overridden without calling through to the base class for unhandled properties\\.");
}

TEST(DynamicProperties, NoValuesWriteNoLine)
{
    CTestAllTypes object;
    object.SetPropertiesToDefaults();
    std::string text = WriteObject(object);
    EXPECT_EQ(text.find("Dynamic Properties"), std::string::npos);
    EXPECT_EQ(text, Replace(kGolden, "\tDynamic Properties=1\r\n\t{\r\n\t\tGlow=9\r\n\t}\r\n", ""));
    // An empty set writes no line either.
    object.AddDynamicValue(CTestAllTypes::GetGlow());
    object.RemoveDynamicValue(CTestAllTypes::GetGlow());
    EXPECT_EQ(WriteObject(object).find("Dynamic"), std::string::npos);
}

TEST(DynamicProperties, ZeroMeansNoSetAndRepeatsParseOver)
{
    CTestAllTypes read;
    ASSERT_TRUE(ReadObject(read, "{\r\nDynamic Properties=0\r\nInt=2\r\n}\r\n"));
    EXPECT_EQ(read.GetDynamicProperties(), nullptr);
    EXPECT_EQ(read.m_int, 2);

    ASSERT_TRUE(ReadObject(read, "{\r\nDynamic Properties=2\r\n{\r\nGlow=3\r\nno equals\r\nGLOW=4\r\nMystery=1\r\n}\r\n"
                                 "Int=6\r\n}\r\n"));
    ASSERT_NE(read.GetDynamicProperties(), nullptr);
    EXPECT_EQ(read.GetDynamicProperties()->GetCount(), 1u);
    EXPECT_EQ(*static_cast<int32_t*>(read.FindDynamicValue(CTestAllTypes::GetGlow())), 4);
    EXPECT_EQ(read.m_int, 6);

    // A dynamic property's label may also stand directly in the block.
    CTestAllTypesChild child;
    ASSERT_TRUE(ReadObject(child, "{\r\nGlow=15\r\n}\r\n"));
    EXPECT_EQ(*static_cast<int32_t*>(child.FindDynamicValue(CTestAllTypes::GetGlow())), 15);
    ASSERT_TRUE(ReadObject(child, "{\r\nGlow=0\r\n}\r\n"));
    EXPECT_EQ(child.GetDynamicProperties(), nullptr);
}

TEST(DynamicProperties, BinaryFormRoundTripsAndRefusesUnknownLabels)
{
    CTestAllTypes object;
    *static_cast<int32_t*>(object.AddDynamicValue(CTestAllTypes::GetGlow())) = -3;
    CPropertyDescriptor* dynamic = object.GetClassRecord()->GetProperty(0);
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    ASSERT_TRUE(dynamic->WriteBinary(&object, stream));
    EXPECT_EQ(WrittenText(stream), std::string("\x01\0\0\0\x04\0\0\0Glow\xFD\xFF\xFF\xFF", 16));

    CTestAllTypes copy;
    stream.Seek(0);
    ASSERT_TRUE(dynamic->ReadBinary(&copy, stream));
    EXPECT_EQ(*static_cast<int32_t*>(copy.FindDynamicValue(CTestAllTypes::GetGlow())), -3);

    for (const std::string& bad : {std::string("\x01\0\0\0\x04\0\0\0Fizz\0\0\0\0", 16),
                                   std::string("\x01\0\0\0\xFF\xFF\0\0Glow", 12), std::string("\x02\0\0\0", 4)}) {
        CObjectTextStream in;
        OpenTextForReading(in, bad);
        EXPECT_FALSE(dynamic->ReadBinary(&copy, in));
    }
    CObjectTextStream none;
    OpenTextForReading(none, std::string("\0\0\0\0", 4));
    EXPECT_TRUE(dynamic->ReadBinary(&copy, none));
    EXPECT_EQ(copy.GetDynamicProperties(), nullptr);
}

class ObjectFiles : public testing::Test
{
protected:
    testsupport::TempDir m_folder;
    std::string Path(const char* name) { return m_folder / name; }
};

TEST_F(ObjectFiles, SaveRewritesOnlyWhenTheTextChanges)
{
    std::string path = Path("Props.txt");
    CTestAllTypes object;
    object.SetPropertiesToDefaults();
    *static_cast<int32_t*>(object.AddDynamicValue(CTestAllTypes::GetGlow())) = 9;
    ASSERT_TRUE(object.SaveToFile(path.c_str(), 0));
    EXPECT_EQ(testsupport::ReadFileBytes(path), kGolden);

    auto old = std::filesystem::last_write_time(path) - std::chrono::hours(24);
    std::filesystem::last_write_time(path, old);
    ASSERT_TRUE(object.SaveToFile(path.c_str(), 0));
    EXPECT_EQ(std::filesystem::last_write_time(path), old);

    object.m_int = 6;
    ASSERT_TRUE(object.SaveToFile(path.c_str(), 0));
    EXPECT_GT(std::filesystem::last_write_time(path), old);
    EXPECT_EQ(testsupport::ReadFileBytes(path), Replace(kGolden, "Int=5", "Int=6"));

    CTestAllTypes loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path.c_str(), 0));
    EXPECT_EQ(loaded.m_int, 6);
    EXPECT_FALSE(object.SaveToFile((m_folder / "missing/folder/Props.txt").c_str(), 0));
}

TEST_F(ObjectFiles, ReadOnlyFileIsNotSaved)
{
    std::string path = Path("Locked.txt");
    testsupport::WriteFileBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    CTestAllTypes object;
    object.SetPropertiesToDefaults();
    EXPECT_FALSE(object.SaveToFile(path.c_str(), 0));
    EXPECT_FALSE(object.SaveToFile(path.c_str(), VF_COMPRESSED));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "old");
}

TEST_F(ObjectFiles, CompressedFilesRoundTrip)
{
    std::string path = Path("Stats.dat");
    CTestAllTypes object;
    object.SetPropertiesToDefaults();
    object.m_big = -42;
    ASSERT_TRUE(object.SaveToFile(path.c_str(), VF_COMPRESSED));
    EXPECT_EQ(testsupport::ReadFileBytes(path).find("CTestAllTypes"), std::string::npos);
    CTestAllTypes loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path.c_str(), VF_COMPRESSED));
    EXPECT_EQ(loaded.m_big, -42);
}

TEST_F(ObjectFiles, LoadOfAMissingFileResetsToDefaults)
{
    CTestAllTypes object;
    object.m_int = 99;
    EXPECT_FALSE(object.LoadFromFile(Path("Nothing.txt").c_str(), 0));
    EXPECT_EQ(object.m_int, 5);
}

TEST_F(ObjectFiles, CreateFromFileTakesTheTrimmedClassName)
{
    std::string path = Path("Made.txt");
    testsupport::WriteFileBytes(path, "\r\n  CTestAllTypesChild \t\r\n{\r\n    Extra=8\r\n  Int=2\r\n}\r\n");
    CObject* out = nullptr;
    std::unique_ptr<CObject> object(CObject::CreateFromFile(path.c_str(), 0, true, &out));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(out, object.get());
    ASSERT_EQ(object->GetClassRecord(), CTestAllTypesChild::GetStaticClassRecord());
    auto* child = static_cast<CTestAllTypesChild*>(object.get());
    EXPECT_EQ(child->m_extra, 8);
    EXPECT_EQ(child->m_int, 2);
    // Re-saved in the writer's form.
    std::string saved = testsupport::ReadFileBytes(path);
    EXPECT_EQ(saved.substr(0, 29), "CTestAllTypesChild\r\n{\r\n\tInt=2");
    EXPECT_NE(saved.find("\tExtra=8\r\n}\r\n"), std::string::npos);
    EXPECT_STREQ(CurrentObjectFileName().CStr(), "");
}

TEST_F(ObjectFiles, CreateFromFileFailsCleanly)
{
    CObject* out = reinterpret_cast<CObject*>(0x1);
    EXPECT_EQ(CObject::CreateFromFile(Path("Absent.txt").c_str(), 0, false, &out), nullptr);
    EXPECT_EQ(out, nullptr);
    std::string path = Path("Broken.txt");
    testsupport::WriteFileBytes(path, "CTestAllTypes\r\n{\r\nInt=3\r\n");
    out = reinterpret_cast<CObject*>(0x1);
    EXPECT_EQ(CObject::CreateFromFile(path.c_str(), 0, false, &out), nullptr);
    EXPECT_EQ(out, nullptr);
    testsupport::WriteFileBytes(path, " \r\n\t\r\n");
    EXPECT_EQ(CObject::CreateFromFile(path.c_str(), 0, false, nullptr), nullptr);
}

TEST_F(ObjectFiles, NestedReadsRestoreTheOuterFileName)
{
    std::string path = Path("Outer.txt");
    testsupport::WriteFileBytes(path, "CTestAllTypes\r\n{\r\n\tSize=Nonexistent\r\n}\r\n");
    CCurrentObjectFileNameScope outer("Outer Source");
    FatalCatcher catcher;
    CTestAllTypes object;
    try {
        object.LoadFromFile(path.c_str(), 0);
        FAIL() << "an unknown choice must be fatal";
    } catch (const FatalError& error) {
        EXPECT_NE(error.m_text.find("referenced by \"" + path + ":Size\""), std::string::npos) << error.m_text;
    }
    EXPECT_STREQ(CurrentObjectFileName().CStr(), "Outer Source");
}

TEST(ObjectFilesDeathTest, UnknownClassNameIsFatal)
{
    testsupport::TempDir folder;
    std::string path = folder / "Unknown.txt";
    testsupport::WriteFileBytes(path, "CNoSuchClassAnywhere\r\n{\r\n}\r\n");
    EXPECT_EXIT(CObject::CreateFromFile(path.c_str(), 0, false, nullptr), testing::ExitedWithCode(255),
                "FATAL ERROR!: The executable or data file appears to have become corrupted");
}
