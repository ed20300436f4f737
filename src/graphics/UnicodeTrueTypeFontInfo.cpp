#include "graphics/UnicodeTrueTypeFontInfo.h"

#include "objects/BoolProperty.h"
#include "objects/FloatPointProperty.h"
#include "objects/FloatProperty.h"
#include "objects/StringProperty.h"

#include <memory>

IMPLEMENT_CLASS_RECORD(CUnicodeTrueTypeFontInfo, CObject, 0.0f)

void CUnicodeTrueTypeFontInfo::AddProperties(CClassRecord* record)
{
    using Info = CUnicodeTrueTypeFontInfo;
    record->AddProperty(new CStringProperty("Font FileName", &Info::m_fontFileName, 1, "MSGOTHIC.TTC"));
    record->GetLastProperty()->SetHelpText("The filename of the Font file that ships with this version of the game... "
                                           "If no external font file ships with the game this should be empty");
    record->AddProperty(new CStringProperty("Font Typeface Name", &Info::m_typefaceName, 1, "MS UI Gothic"));
    record->GetLastProperty()->SetHelpText("The windows typeface name");
    record->AddProperty(new CFloatProperty("Font Scale Factor", &Info::m_scaleFactor, 1, 1.0f, nullptr, 0.0f, 99999.9f));
    record->GetLastProperty()->SetHelpText("a scale factor for the point size for the font");
    record->AddProperty(new CFloatPointProperty("Character Offset Position", &Info::m_characterOffset, 1));
    record->GetLastProperty()->SetHelpText("Where in the frame to offset the character");
    record->AddProperty(new CFloatPointProperty("Scaled Offset Position", &Info::m_scaledOffset, 1));
    record->GetLastProperty()->SetHelpText(
        "a tweek to the Character Offset Position that is multiplied by point size.");
    record->AddProperty(new CBoolProperty("Ignore TGA Font Data", &Info::m_ignoreTgaFontData, 1, false));
    record->GetLastProperty()->SetHelpText("With this on, all symbols are generated from the TrueType Font, instead of "
                                           "only generating characters not found in the TGA");
    record->AddProperty(new CBoolProperty("AutoTrim Characters Horiz", &Info::m_autoTrimHorizontally, 1, true));
    record->GetLastProperty()->SetHelpText("Attempt to auto-trim left and right edges of font.");
}

CUnicodeTrueTypeFontInfo::CUnicodeTrueTypeFontInfo()
{
    InitOwnProperties();
}

CUnicodeTrueTypeFontInfo::~CUnicodeTrueTypeFontInfo()
{
    DestroyOwnProperties();
}

CUnicodeTrueTypeFontInfo* CUnicodeTrueTypeFontInfo::ReadFromFile(const char* path)
{
    // Saved back only when it holds these settings: a file of another class is left as it is.
    CObject* object = CObject::CreateFromFile(path, 0, false, nullptr);
    if (auto* info = dynamic_cast<CUnicodeTrueTypeFontInfo*>(object)) {
        info->SaveToFile(path, 0);
        return info;
    }
    delete object;
    auto* info = new CUnicodeTrueTypeFontInfo;
    info->SetPropertiesToDefaults();
    return info;
}

CUnicodeTrueTypeFontInfo& GetUnicodeFontInfo()
{
    static const std::unique_ptr<CUnicodeTrueTypeFontInfo> s_info(
        CUnicodeTrueTypeFontInfo::ReadFromFile("UnicodeFontInfo.txt"));
    return *s_info;
}

bool IgnoreTgaFontData()
{
    return GetUnicodeFontInfo().IgnoresTgaFontData();
}
