// The text, heap text, owned object and embedded object property types: their text forms, reading
// into existing objects, the "Invalid class type" reports, and their binary reads of damaged data.
#include "ContainerTestClasses.h"
#include "FatalCatcher.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/DynamicProperties.h"
#include "objects/IntProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/StringProperty.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// The container's text with one property line replaced (the line must exist).
std::string WithLine(const std::string& text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    std::string result = text;
    if (at != std::string::npos)
        result.replace(at, from.size(), to);
    return result;
}

const CPropertyDescriptor* ContainerProperty(const char* label)
{
    return CTestContainer::GetStaticClassRecord()->FindProperty(label);
}

} // namespace

TEST(TextProperties, DefaultsEmptyTextsAndTrailingBlanks)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    EXPECT_STREQ(object.m_title.CStr(), "Untitled");
    EXPECT_STREQ(object.m_caption.GetSourceText().CStr(), "Hello");
    EXPECT_EQ(object.m_note, nullptr);

    // An empty text is the label and "=" with nothing after it; so is a heap text never set.
    object.m_title.AssignText("");
    std::string text = TextOf(object);
    EXPECT_NE(text.find("\r\n\tTitle=\r\n\tCaption=Hello\r\n\tNote=\r\n"), std::string::npos) << text;

    CTestContainer read;
    ASSERT_TRUE(ReadText(read, WithLine(text, "\tTitle=\r\n", "\tTitle=Two words  \r\n")));
    EXPECT_STREQ(read.m_title.CStr(), "Two words  ");
    // A heap text read as empty holds an empty text, not none.
    ASSERT_NE(read.m_note, nullptr);
    EXPECT_STREQ(read.m_note, "");
}

TEST(TextProperties, LocalisableTextShowsItsTranslation)
{
    CLocalizationTable& table = CLocalizationTable::GetInstance();
    table.AddPair(CSharedString("Good morning"), CSharedString("Guten Morgen"));
    CTestContainer object;
    object.SetPropertiesToDefaults();
    ASSERT_TRUE(ReadText(object, WithLine(TextOf(object), "Caption=Hello", "Caption=Good morning")));
    EXPECT_STREQ(object.m_caption.GetSourceText().CStr(), "Good morning");
    EXPECT_STREQ(object.m_caption.GetDisplayText().CStr(), "Guten Morgen");
    // Written back as read, not as shown.
    EXPECT_NE(TextOf(object).find("Caption=Good morning\r\n"), std::string::npos);

    CTestContainer copy;
    copy.CopyPropertiesFrom(&object);
    EXPECT_STREQ(copy.m_caption.GetDisplayText().CStr(), "Guten Morgen");

    CTestContainer fromBinary;
    ASSERT_TRUE(ReadBinaryBytes(fromBinary, BinaryOf(object)));
    EXPECT_STREQ(fromBinary.m_caption.GetDisplayText().CStr(), "Guten Morgen");
    table.RemoveAllPairs();
}

TEST(TextProperties, HeapTextThroughASetter)
{
    CTestNoteSetter object;
    object.SetPropertiesToDefaults();
    ASSERT_TRUE(ReadText(object, "{\r\nNote=second\r\n}\r\n"));
    CTestNoteSetter copy;
    copy.CopyPropertiesFrom(&object); // the source holds no text of its own: copied as empty
    ASSERT_EQ(object.m_calls.size(), 3u);
    EXPECT_EQ(object.m_calls[0], "first");
    EXPECT_EQ(object.m_calls[1], "first"); // ReadFromTextStream resets to the default first
    EXPECT_EQ(object.m_calls[2], "second");
    ASSERT_EQ(copy.m_calls.size(), 1u);
    EXPECT_EQ(copy.m_calls[0], "");
    EXPECT_EQ(object.m_note, nullptr);
}

TEST(TextProperties, BinaryLengthsBeyondTheDataAreRefused)
{
    const auto* title = dynamic_cast<const CSharedStringPropertyDescriptor*>(ContainerProperty("Title"));
    const auto* note = dynamic_cast<const CStringProperty*>(ContainerProperty("Note"));
    ASSERT_TRUE(title && note);
    CTestContainer object;
    object.SetPropertiesToDefaults();
    object.m_note = CStringProperty::CopyText("kept");

    for (const std::string& bad : {std::string("\x05\0\0\0abcd", 8), std::string("\xFF\xFF\xFF\xFF", 4),
                                   std::string("\x01\0", 2)}) {
        CObjectTextStream in;
        OpenTextForReading(in, bad);
        EXPECT_FALSE(title->ReadBinary(&object, in));
        CObjectTextStream again;
        OpenTextForReading(again, bad);
        EXPECT_FALSE(note->ReadBinary(&object, again));
    }
    EXPECT_STREQ(object.m_title.CStr(), "Untitled");
    EXPECT_STREQ(object.m_note, "kept");

    CObjectTextStream exact;
    OpenTextForReading(exact, CountedBytes("abcd") + CountedBytes(""));
    EXPECT_TRUE(title->ReadBinary(&object, exact));
    EXPECT_TRUE(note->ReadBinary(&object, exact));
    EXPECT_STREQ(object.m_title.CStr(), "abcd");
    EXPECT_STREQ(object.m_note, "");
}

TEST(TextProperties, ValueArraysOfStringsAreConstructed)
{
    const auto* title = dynamic_cast<const CSharedStringPropertyDescriptor*>(ContainerProperty("Title"));
    auto* strings = static_cast<CSharedString*>(title->NewValueArray(3));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(strings[i].IsEmpty());
    strings[1].AssignText("held in a buffer of its own");
    title->DeleteValueArray(strings);
}

TEST(ObjectPointers, WrittenAsANestedObject)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    ASSERT_NE(object.m_figure, nullptr); // the default class
    EXPECT_STREQ(object.m_figure->GetClassRecord()->GetName(), "CTestDisc");
    EXPECT_EQ(object.m_extra, nullptr);
    std::string text = TextOf(object);
    EXPECT_NE(text.find("\tFigure=CTestDisc\r\n\t{\r\n\t\tSize=2\r\n\t\tRadius=5\r\n\t}\r\n\tExtra=\r\n"),
              std::string::npos)
        << text;
}

TEST(ObjectPointers, EmptyValueDeletesTheObjectAndReadsNoBlock)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    int destroyed = CTestFigure::s_destroyed;
    CObjectTextStream stream;
    OpenTextForReading(stream, "{\r\nFigure=\r\nTitle=After\r\n}\r\n");
    ASSERT_TRUE(object.ReadPropertyBlock(stream));
    EXPECT_EQ(object.m_figure, nullptr);
    // The held object and no other went.
    EXPECT_EQ(CTestFigure::s_destroyed, destroyed + 1);
    EXPECT_STREQ(object.m_title.CStr(), "After");
}

TEST(ObjectPointers, ReadingAgainReusesAnObjectOfTheSameClass)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    const std::string box = "{\r\nFigure=CTestBox\r\n{\r\nSide=8\r\n}\r\n}\r\n";
    // ReadPropertyBlock does not reset the container, so its held object carries over.
    CObjectTextStream first;
    OpenTextForReading(first, box);
    ASSERT_TRUE(object.ReadPropertyBlock(first));
    CTestFigure* held = object.m_figure;
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(static_cast<CTestBox*>(held)->m_side, 8);
    held->m_size = 77;

    CObjectTextStream second;
    OpenTextForReading(second, "{\r\nFigure=ctestbox\r\n{\r\nSide=6\r\n}\r\n}\r\n");
    ASSERT_TRUE(object.ReadPropertyBlock(second));
    EXPECT_EQ(object.m_figure, held);
    EXPECT_EQ(held->m_size, 2); // reset to its defaults before reading
    EXPECT_EQ(static_cast<CTestBox*>(held)->m_side, 6);

    CObjectTextStream third;
    OpenTextForReading(third, "{\r\nFigure=TestDisc\r\n{\r\nRadius=1\r\n}\r\n}\r\n");
    ASSERT_TRUE(object.ReadPropertyBlock(third));
    ASSERT_NE(object.m_figure, nullptr);
    ASSERT_TRUE(object.m_figure->IsKindOf(CTestDisc::GetStaticClassRecord()));
    EXPECT_EQ(static_cast<CTestDisc*>(object.m_figure)->m_radius, 1);
}

TEST(ObjectPointers, ReportsNameTheFileAndTheProperty)
{
    FatalCatcher catcher;
    CCurrentObjectFileNameScope scope("Resources/Level.txt");
    CTestContainer object;
    object.SetPropertiesToDefaults();
    struct Case
    {
        const char* value;
        const char* message;
    } cases[] = {
        {"CNoSuchFigure", "Tried to use an unknown class \"CNoSuchFigure\" for a \"Figure\" (CTestFigure). Last file "
                          "opened = \"Resources/Level.txt\""},
        {"CTestStone", "Tried to use a CTestStone for a Figure when a CTestFigure is expected. Last file opened = "
                       "\"Resources/Level.txt\""},
        {"CTestAbstractFigure", "Tried to use the abstract class \"CTestAbstractFigure\" for a \"Figure\" "
                                "(CTestFigure). Last file opened = \"Resources/Level.txt\""},
    };
    for (const Case& c : cases) {
        try {
            ReadText(object, std::string("{\r\nFigure=") + c.value + "\r\n{\r\n}\r\n}\r\n");
            ADD_FAILURE() << c.value << " was accepted";
        } catch (const FatalError& error) {
            EXPECT_EQ(error.m_caption, "Invalid class type");
            EXPECT_EQ(error.m_text, c.message);
        }
    }
}

TEST(ObjectPointersDeathTest, UnknownClassEndsTheProgram)
{
    CTestContainer object;
    EXPECT_EXIT(ReadText(object, "{\r\nFigure=CNoSuchFigure\r\n{\r\n}\r\n}\r\n"), testing::ExitedWithCode(255),
                "Invalid class type: Tried to use an unknown class \"CNoSuchFigure\"");
}

TEST(ObjectPointers, NestedReportsNameThePropertyPath)
{
    FatalCatcher catcher;
    CCurrentObjectFileNameScope scope("Props.txt");
    CTestContainer object;
    try {
        // The choice inside the held object is unknown: its report names the property path.
        ReadText(object, "{\r\nExtra=CTestAllTypes\r\n{\r\nSize=Gigantic\r\n}\r\n}\r\n");
        ADD_FAILURE();
    } catch (const FatalError& error) {
        EXPECT_NE(error.m_text.find("referenced by \"Props.txt:Extra:Size\""), std::string::npos) << error.m_text;
    }
    EXPECT_STREQ(CurrentObjectFileName().CStr(), "Props.txt");
}

TEST(ObjectPointers, CopiesCloneAndDynamicValuesOwnTheirObjects)
{
    CTestContainer source;
    source.SetPropertiesToDefaults();
    static_cast<CTestDisc*>(source.m_figure)->m_radius = 42;
    CTestContainer copy;
    copy.SetPropertiesToDefaults();
    copy.CopyPropertiesFrom(&source);
    ASSERT_NE(copy.m_figure, nullptr);
    EXPECT_NE(copy.m_figure, source.m_figure);
    EXPECT_EQ(static_cast<CTestDisc*>(copy.m_figure)->m_radius, 42);

    // As a dynamic property, the value slot owns the object.
    static CObjectPointerProperty* s_dynamic =
        new CObjectPointerProperty("Attached", 0, sizeof(CObject*), 0, CObject::GetStaticClassRecord(), nullptr, nullptr);
    CTestStone stone;
    EXPECT_EQ(s_dynamic->GetDynamicObject(&stone), nullptr);
    s_dynamic->SetDynamicObject(&stone, new CTestBox);
    s_dynamic->SetDynamicObject(&stone, new CTestDisc);
    ASSERT_NE(s_dynamic->GetDynamicObject(&stone), nullptr);
    EXPECT_TRUE(s_dynamic->GetDynamicObject(&stone)->IsKindOf(CTestDisc::GetStaticClassRecord()));
}

TEST(ObjectPointers, BinaryReadsRefuseClassesThatDoNotFit)
{
    const CObjectPointerProperty* figure = CTestContainer::GetFigureProperty();
    ASSERT_NE(figure, nullptr);
    CTestBox box;
    box.SetPropertiesToDefaults();
    box.m_side = 13;
    std::string boxBytes = BinaryOf(box);

    CTestContainer object;
    object.SetPropertiesToDefaults();
    {
        CObjectTextStream in;
        OpenTextForReading(in, CountedBytes("CTestBox") + boxBytes);
        ASSERT_TRUE(figure->ReadBinary(&object, in));
        ASSERT_NE(object.m_figure, nullptr);
        EXPECT_EQ(static_cast<CTestBox*>(object.m_figure)->m_side, 13);
    }
    // Unknown, abstract, unrelated and overlong class names mark the data stale; none ends the
    // program.
    for (const std::string& name : {std::string("CNoSuchFigure"), std::string("CTestAbstractFigure"),
                                    std::string("CTestStone"), std::string(100, 'C')}) {
        CObjectTextStream in;
        OpenTextForReading(in, CountedBytes(name) + boxBytes);
        EXPECT_FALSE(figure->ReadBinary(&object, in)) << name;
        EXPECT_EQ(object.m_figure, nullptr);
    }
    // No class name: no object.
    CObjectTextStream none;
    OpenTextForReading(none, CountedBytes(""));
    EXPECT_TRUE(figure->ReadBinary(&object, none));
    EXPECT_EQ(object.m_figure, nullptr);
}

TEST(EmbeddedObjects, TextBinaryAndCopies)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    object.m_embedded.m_int = 31;
    object.m_embedded.m_speed = 2.5f;
    *static_cast<int32_t*>(object.m_embedded.AddDynamicValue(CTestAllTypes::GetGlow())) = 4;
    std::string text = TextOf(object);
    EXPECT_NE(text.find("\tEmbedded=CTestAllTypes\r\n\t{\r\n\t\tDynamic Properties=1\r\n\t\t{\r\n\t\t\tGlow=4\r\n"
                        "\t\t}\r\n\t\tInt=31\r\n"),
              std::string::npos)
        << text;

    CTestContainer read;
    ASSERT_TRUE(ReadText(read, text));
    EXPECT_EQ(read.m_embedded.m_int, 31);
    EXPECT_EQ(read.m_embedded.m_speed, 2.5f);
    EXPECT_EQ(TextOf(read), text);

    CTestContainer copy;
    copy.CopyPropertiesFrom(&object);
    EXPECT_EQ(copy.m_embedded.m_int, 31);
    EXPECT_EQ(TextOf(copy), text);
}
