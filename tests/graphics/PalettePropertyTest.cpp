// The frame's "Palette" property: an owned palette holder, copied with its table, written as the
// holder's class name and block, read back from that text and from its binary form (the class name,
// then the holder's own binary form).
#include "../objects/TextStreamHelpers.h"
#include "foundation/FileBuf.h"
#include "graphics/Frame.h"
#include "graphics/PaletteHolder.h"
#include "objects/ObjectPointerProperty.h"

#include <gtest/gtest.h>

namespace {

CObjectPointerProperty& Property()
{
    return *CFrame::GetPaletteProperty();
}

CPaletteHolder* Holder(CFrame& frame)
{
    return static_cast<CPaletteHolder*>(Property().GetDynamicObject(&frame));
}

CObject* Slot(CFrame& frame)
{
    return static_cast<CObject*>(frame.GetOrAddDynamicValue(&Property()));
}

} // namespace

TEST(PaletteProperty, CopiesCarryTheirOwnTable)
{
    CFrame frame, other;
    frame.CreatePalette();
    frame.GetPalette()->SetEntry(3, 1, 2, 3);
    Property().CopyValue(Slot(other), Slot(frame), Property());
    CPaletteHolder* mine = Holder(frame);
    CPaletteHolder* theirs = Holder(other);
    ASSERT_NE(theirs, nullptr);
    EXPECT_NE(theirs, mine);
    EXPECT_FALSE(theirs->GetTable().Differs(mine->GetTable()));
    Property().SetDefault(Slot(other));
    EXPECT_EQ(Holder(other), nullptr);
}

TEST(PaletteProperty, TextFormRoundTrips)
{
    CFrame frame;
    frame.GetPalette();
    CSharedString value;
    Property().FormatValue(Slot(frame), value);
    EXPECT_STREQ(value.CStr(), "CPaletteHolder");

    CObjectTextStream out;
    out.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE);
    out.WriteText("Palette=");
    Property().WriteText(Slot(frame), out);
    out.WriteLine("Next=1");
    std::string text = WrittenText(out);
    EXPECT_EQ(text, "Palette=CPaletteHolder\r\n{\r\n}\r\nNext=1\r\n");

    // Read back: the holder is made and its block consumed; the next line stays.
    CObjectTextStream in;
    OpenTextForReading(in, "{\r\n}\r\nNext=1\r\n");
    CFrame read;
    Property().ParseValue(Slot(read), "cpaletteholder", in);
    EXPECT_NE(Holder(read), nullptr);
    CSharedString line;
    ASSERT_TRUE(in.ReadNonBlankTextLine(line));
    EXPECT_STREQ(line.CStr(), "Next=1");

    // An empty value drops the holder and reads nothing more.
    CObjectTextStream none;
    OpenTextForReading(none, "Next=1\r\n");
    Property().ParseValue(Slot(read), "", none);
    EXPECT_EQ(Holder(read), nullptr);
    ASSERT_TRUE(none.ReadNonBlankTextLine(line));
    EXPECT_STREQ(line.CStr(), "Next=1");
}

TEST(PaletteProperty, BinaryFormRoundTripsAndRefusesOtherClasses)
{
    CFrame frame, empty;
    frame.GetPalette();
    CVirtualFile file;
    ASSERT_TRUE(file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ));
    ASSERT_TRUE(Property().WriteBinary(Slot(frame), file));
    Property().SetDefault(Slot(empty));
    ASSERT_TRUE(Property().WriteBinary(Slot(empty), file));
    file.WriteCountedString("CFrame");

    file.Seek(0);
    CFrame read;
    ASSERT_TRUE(Property().ReadBinary(Slot(read), file));
    EXPECT_NE(Holder(read), nullptr);
    ASSERT_TRUE(Property().ReadBinary(Slot(read), file));
    EXPECT_EQ(Holder(read), nullptr);
    EXPECT_FALSE(Property().ReadBinary(Slot(read), file));
    EXPECT_FALSE(Property().ReadBinary(Slot(read), file)); // past the end
}

TEST(PaletteProperty, TravelsWithTheFramesObjectText)
{
    CFrame frame;
    frame.CreatePalette();
    CObjectTextStream out;
    out.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE);
    frame.WriteToTextStream(out);
    std::string text = WrittenText(out);
    EXPECT_NE(text.find("Palette=CPaletteHolder"), std::string::npos) << text;

    CObjectTextStream in;
    OpenTextForReading(in, text);
    CFrame read;
    ASSERT_TRUE(read.ReadFromTextStream(in));
    EXPECT_NE(Holder(read), nullptr);

    // Without palette storage nothing is written for it.
    CFrame plain;
    CObjectTextStream bare;
    bare.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE);
    plain.WriteToTextStream(bare);
    EXPECT_EQ(WrittenText(bare).find("Palette"), std::string::npos);
}
