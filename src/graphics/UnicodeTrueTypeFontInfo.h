#pragma once
// The settings for text whose characters the bitmap fonts lack, to be drawn from a TrueType face:
// the face file shipped with the game, its typeface, scaling and offsets, and whether every
// character is to come from it. One instance is read from "UnicodeFontInfo.txt" on first use; no
// TrueType rendering exists, so only "Ignore TGA Font Data" has an effect (on font loading).
#include "objects/Object.h"
#include "objects/Point.h"

#include <cstdint>

class CUnicodeTrueTypeFontInfo : public CObject
{
    DECLARE_CLASS_RECORD(CUnicodeTrueTypeFontInfo)

    CUnicodeTrueTypeFontInfo();
    ~CUnicodeTrueTypeFontInfo() override;

    // The settings read from the file (which is then saved back); the defaults when the file is
    // missing, unreadable or holds an object of another class. Never null; the caller owns it.
    static CUnicodeTrueTypeFontInfo* ReadFromFile(const char* path);

    bool IgnoresTgaFontData() const { return m_ignoreTgaFontData != 0; }

    char* m_fontFileName = nullptr;
    char* m_typefaceName = nullptr;
    float m_scaleFactor = 1.0f;
    CFloatPoint m_characterOffset;
    CFloatPoint m_scaledOffset;
    uint8_t m_ignoreTgaFontData = 0;
    uint8_t m_autoTrimHorizontally = 1;
};

// The process's settings, read from "UnicodeFontInfo.txt" on first use and kept until exit.
CUnicodeTrueTypeFontInfo& GetUnicodeFontInfo();
bool IgnoreTgaFontData();
