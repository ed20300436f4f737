// Frames embedded in objects (text rows of hexadecimal bytes, binary frame blocks, copies) and
// frames over memory that belongs to someone else.
#include "LoadTestSupport.h"
#include "foundation/FileBuf.h"
#include "graphics/Color.h"
#include "graphics/DIBFrame.h"
#include "graphics/FrameProperty.h"
#include "objects/ClassRegistry.h"
#include "objects/ObjectTextStream.h"
#include "objects/UIntProperty.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace frametest;

namespace {

class CPictureHolder : public CObject
{
    DECLARE_CLASS_RECORD(CPictureHolder)
    CPictureHolder() { InitOwnProperties(); }
    ~CPictureHolder() override { DestroyOwnProperties(); }
    CFrame m_picture;
    uint32_t m_after = 0;
};

std::string WriteText(const CObject& object)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    object.WriteToTextStream(stream);
    std::string bytes(stream.GetSize(), '\0');
    stream.Seek(0);
    stream.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return bytes;
}

bool ReadText(CObject& object, const std::string& text)
{
    CObjectTextStream stream;
    auto* buffer = new CFileBuf;
    buffer->Write(text.data(), static_cast<uint32_t>(text.size()));
    buffer->Seek(0);
    stream.OpenMemory(buffer, VF_READ);
    stream.SetDamageTolerated(true);
    return object.ReadFromTextStream(stream);
}

std::string Holder(const std::string& value, const std::string& rows)
{
    return "CPictureHolder\r\n{\r\n\tPicture=" + value + "\r\n\t{\r\n" + rows + "\t}\r\n\tAfter=7\r\n}\r\n";
}

} // namespace

IMPLEMENT_CLASS_RECORD(CPictureHolder, CObject, 1.0f)
void CPictureHolder::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CFrameProperty("Picture", &CPictureHolder::m_picture, 0, 2, 1, 8));
    record->AddProperty(new CUIntProperty("After", &CPictureHolder::m_after, 0, 0));
}

TEST(FrameProperty, DefaultsAndTextForm)
{
    CPictureHolder holder;
    holder.SetPropertiesToDefaults();
    EXPECT_EQ(holder.m_picture.GetWidth(), 2);
    EXPECT_EQ(Snapshot(holder.m_picture), (std::vector<uint32_t>{1, 1})) << "black of palette index 1";

    WritePixel(holder.m_picture, 0, 0, 0x0A);
    WritePixel(holder.m_picture, 1, 0, 0xFF);
    const std::string text = WriteText(holder);
    EXPECT_NE(text.find("\tPicture=CFrame(2,1,8)\r\n\t{\r\n\t\t0AFF\r\n\t}\r\n"), std::string::npos) << text;

    CPictureHolder back;
    ASSERT_TRUE(ReadText(back, text));
    EXPECT_EQ(Snapshot(back.m_picture), (std::vector<uint32_t>{0x0A, 0xFF}));

    CPictureHolder wide;
    ASSERT_TRUE(ReadText(wide, Holder("CFrame(2,2,16)", "\t\t0a0BfFfe\r\n\t\t01020304\r\n")));
    EXPECT_EQ(Snapshot(wide.m_picture), (std::vector<uint32_t>{0x0B0A, 0xFEFF, 0x0201, 0x0403}));
    EXPECT_EQ(wide.m_after, 7u);
}

TEST(FrameProperty, EarlyEndsAndRefusedValues)
{
    CPictureHolder early;
    ASSERT_TRUE(ReadText(early, "CPictureHolder\r\n{\r\n\tPicture=CFrame(1,3,8)\r\n\t{\r\n\t\t09\r\n\t}\r\n\tAfter=7\r\n}\r\n"));
    EXPECT_EQ(Snapshot(early.m_picture), (std::vector<uint32_t>{9, 0, 0})) << "rows not given stay zero";
    EXPECT_EQ(early.m_after, 7u);

    for (const char* value : {"Frame(2,1,8)", "CFrame(2,1,12)", "CFrame(70000,1,8)", "CFrame(-1,1,8)", "CFrame(2,1)"}) {
        CPictureHolder holder;
        ReadText(holder, Holder(value, "\t\t0102\r\n"));
        EXPECT_EQ(holder.m_picture.GetWidth(), 2) << value << " leaves the default";
        EXPECT_EQ(Snapshot(holder.m_picture), (std::vector<uint32_t>{1, 1})) << value;
        EXPECT_EQ(holder.m_after, 7u) << value << ": reading goes on after the refused block";
    }
}

TEST(FrameProperty, BinaryFormAndCopiesCarryThePixels)
{
    CPictureHolder holder;
    holder.SetPropertiesToDefaults();
    MakeRunLengthFrame(holder.m_picture, 6, 8, kFrameRunLength8, {{0x43, 4, 5, 6, 0x83}});
    holder.m_picture.SetOrigin(2, 3);
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    ASSERT_TRUE(holder.WriteBinary(file));
    file.Seek(0);
    CPictureHolder back;
    ASSERT_TRUE(back.ReadBinary(file));
    CPictureHolder copy;
    copy.CopyPropertiesFrom(&holder);
    for (const CPictureHolder* other : {&back, &copy}) {
        EXPECT_EQ(other->m_picture.GetFormatFlags(), holder.m_picture.GetFormatFlags());
        EXPECT_EQ(other->m_picture.GetLeft(), 2);
        for (int32_t x = 2; x < 8; ++x)
            EXPECT_EQ(other->m_picture.GetRawPixel(x, 3), x < 5 ? 0xFFFFFFFFu : 0u) << x;
    }
}

TEST(DIBFrame, DrawsIntoMemoryItDoesNotOwn)
{
    struct Owner
    {
        std::vector<uint8_t> pixels = std::vector<uint8_t>(4 * 3 * 2, 0);
        int releases = 0;
    } owner;
    {
        auto* frame = static_cast<CDIBFrame*>(CClassRegistry::GetInstance()->CreateObject("CDIBFrame"));
        ASSERT_NE(frame, nullptr);
        EXPECT_FALSE(frame->Attach(owner.pixels.data(), 4, 2, 12, 4, nullptr, nullptr));
        ASSERT_TRUE(frame->Attach(owner.pixels.data(), 3, 2, 24, 4, [](void* o) { ++static_cast<Owner*>(o)->releases; },
                                  &owner));
        CColor color;
        color.ConstructRgba(1, 2, 3, 255);
        frame->SetPixel(2, 1, color);
        EXPECT_EQ(frame->GetPitch(), 4u);
        delete frame; // the memory is the owner's: freeing it here would be caught by the sanitizer
    }
    EXPECT_EQ(owner.releases, 1);
    EXPECT_EQ(owner.pixels[(4 + 2) * 3], 3);
    EXPECT_EQ(owner.pixels[(4 + 2) * 3 + 2], 1);
}
