#include "CursorAndFonts.h"

#include "ImageFrame.h"
#include "StagingFolder.h"
#include "graphics/Font.h"
#include "graphics/Sequence.h"

#include <algorithm>

namespace {

constexpr const char* kCursorName = "MouseCursor";
// The collections' folders: sequences under "Resources", fonts under "Fonts".
constexpr const char* kSequences = "Resources";
constexpr const char* kFonts = "Fonts";
constexpr const char* kBlitType = "Transparent Mask";

// Both keep the drawn alpha in the run-length layers that blend it and leave the hot spot and
// the colours as drawn: no centring, no cropping, no un-premultiplying (the pictures hold
// straight alpha) and no dithering of the small shapes.
constexpr uint32_t kLoadFlags = CSequence::kUse8BitAlpha;

} // namespace

bool SaveMouseCursor(const CImage& cursor)
{
    std::unique_ptr<CFrame> frame = MakeImageFrame(cursor);
    if (!frame)
        return false;
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    sequence.SetLoadFlags(kLoadFlags | CSequence::kLossLess);
    if (!sequence.SetBlitTypeByName(kBlitType))
        return false;
    sequence.AddFrame(frame.release());
    CSequenceSourceOptions options;
    options.m_wasRunLength = true;
    options.m_lossless = true;
    return sequence.SaveProperties(kSequences, kCursorName) &&
           sequence.SaveSourceImage(kSequences, kCursorName, options);
}

bool SaveFont(const FontImages& images)
{
    CFont font;
    font.SetPropertiesToDefaults();
    font.SetLoadFlags(kLoadFlags);
    font.SetFixedWidth(images.fixedWidth);
    if (!font.SetBlitTypeByName(kBlitType))
        return false;
    font.SetCodeRange(images.firstCode, images.lastCode);
    int height = 0;
    for (const CImage& glyph : images.glyphs) {
        // A glyph's top-left corner is at the pen: text is drawn from the top of its line.
        std::unique_ptr<CFrame> frame = MakeImageFrame(glyph);
        if (!frame || glyph.GetHotSpotX() != 0 || glyph.GetHotSpotY() != 0)
            return false;
        height = std::max(height, glyph.GetHeight());
        font.AddFrame(frame.release());
    }
    if (static_cast<int32_t>(images.glyphs.size()) != font.GetGlyphCount())
        return false;
    font.SetLineBase(height);
    return font.SaveGlyphStrip(kFonts, images.name.c_str());
}

bool AddCursorAndFonts(const CImage& cursor, const std::vector<FontImages>& fonts, CContentSet& set,
                       std::string& error)
{
    const CStagingFolder staging;
    if (!staging.IsReady()) {
        error = "cannot make a scratch folder for the cursor and the fonts";
        return false;
    }
    if (!SaveMouseCursor(cursor)) {
        error = std::string("cannot write the sequence ") + kCursorName;
        return false;
    }
    for (const FontImages& font : fonts)
        if (!SaveFont(font)) {
            error = "cannot write the font " + font.name;
            return false;
        }
    return staging.AddFilesTo(set, error);
}
