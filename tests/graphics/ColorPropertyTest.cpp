// The colour property: its text forms with and without alpha, clamping, binary bytes, defaults and
// copies through the setter.
#include "../objects/TextStreamHelpers.h"
#include "graphics/ColorProperty.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

class CTestPaint : public CObject
{
    DECLARE_CLASS_RECORD(CTestPaint)
    CTestPaint() { InitOwnProperties(); }
    ~CTestPaint() override { DestroyOwnProperties(); }
    void SetInk(const CColor& color)
    {
        m_ink.Set(color.GetBlue(), color.GetGreen(), color.GetRed(), color.GetAlpha());
        ++m_setterCalls;
    }
    CColor m_ink;
    CColor m_glass;
    int m_setterCalls = 0;
};

CColorProperty* GlassProperty()
{
    static CColorProperty* s_glass = [] {
        CColorProperty* glass = CColorProperty::ConstructFromComponents("Glass", &CTestPaint::m_glass, 0, 10, 20, 30, 40);
        glass->SetHasAlpha(true);
        return glass;
    }();
    return s_glass;
}

IMPLEMENT_CLASS_RECORD(CTestPaint, CObject, 1.0f)
void CTestPaint::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CColorProperty("Ink", &CTestPaint::m_ink, 0, CColor(), &CTestPaint::SetInk));
    record->AddProperty(GlassProperty());
}

using Rgba = std::tuple<int, int, int, int>;

Rgba Of(const CColor& color)
{
    return {color.GetRed(), color.GetGreen(), color.GetBlue(), color.GetAlpha()};
}

void Parse(CTestPaint& paint, const char* label, const char* text)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, "");
    paint.GetClassRecord()->FindProperty(label)->ParseValue(&paint, text, stream);
}

std::string Binary(const CTestPaint& paint, const char* label)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    EXPECT_TRUE(paint.GetClassRecord()->FindProperty(label)->WriteBinary(&paint, stream));
    return WrittenText(stream);
}

} // namespace

TEST(ColorProperty, TextWithAndWithoutAlpha)
{
    struct Case
    {
        const char* label;
        const char* text;
        Rgba color;
    };
    const Case cases[] = {
        {"Ink", "255,0,0,128", {255, 0, 0, 255}}, // no alpha flag: the fourth number is ignored
        {"Ink", "1,2,3", {1, 2, 3, 255}},
        {"Ink", "300,-5,7", {255, 0, 7, 255}},    // components clamp
        {"Ink", "9", {9, 0, 0, 255}},             // missing components are 0
        {"Ink", "9 ,8,7", {9, 0, 0, 255}},
        {"Glass", "10,20,30", {10, 20, 30, 255}}, // alpha flag, no fourth number: opaque
        {"Glass", "10,20,30,40", {10, 20, 30, 40}},
        {"Glass", "10,20,30,999", {10, 20, 30, 255}},
    };
    for (const Case& c : cases) {
        CTestPaint paint;
        Parse(paint, c.label, c.text);
        const CColor& color = *c.label == 'I' ? paint.m_ink : paint.m_glass;
        EXPECT_EQ(Of(color), c.color) << c.label << " " << c.text;
        EXPECT_EQ(paint.m_setterCalls, 0);
    }
    // The display pixel follows the colour read.
    CTestPaint paint;
    Parse(paint, "Ink", "255,0,0");
    EXPECT_EQ(paint.m_ink.GetPixel16(), 0xF800);
}

TEST(ColorProperty, FormsDefaultsAndCopies)
{
    CTestPaint paint;
    paint.SetPropertiesToDefaults();
    EXPECT_EQ(Of(paint.m_glass), (Rgba{10, 20, 30, 40}));
    paint.m_ink.Set(200, 100, 50);
    const std::string text = [&] {
        CObjectTextStream stream;
        stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
        paint.WriteToTextStream(stream);
        return WrittenText(stream);
    }();
    EXPECT_NE(text.find("Ink=200,100,50\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Glass=10,20,30,40\r\n"), std::string::npos) << text;

    EXPECT_EQ(Binary(paint, "Ink"), std::string("\x32\x64\xC8", 3));
    EXPECT_EQ(Binary(paint, "Glass"), std::string("\x1E\x14\x0A\x28", 4));
    CTestPaint read;
    CObjectTextStream in;
    OpenTextForReading(in, std::string("\x01\x02\x03\x04\x05\x06\x07", 7));
    ASSERT_TRUE(read.GetClassRecord()->FindProperty("Ink")->ReadBinary(&read, in));
    ASSERT_TRUE(read.GetClassRecord()->FindProperty("Glass")->ReadBinary(&read, in));
    EXPECT_EQ(Of(read.m_ink), (Rgba{3, 2, 1, 255}));
    EXPECT_EQ(Of(read.m_glass), (Rgba{6, 5, 4, 7}));
    EXPECT_FALSE(read.GetClassRecord()->FindProperty("Ink")->ReadBinary(&read, in));

    // Copies go through the setter (this one swaps red and blue).
    CTestPaint copy;
    copy.CopyPropertiesFrom(&paint);
    EXPECT_EQ(copy.m_setterCalls, 1);
    EXPECT_EQ(Of(copy.m_ink), (Rgba{50, 100, 200, 255}));
    EXPECT_EQ(Of(copy.m_glass), Of(paint.m_glass));
}
