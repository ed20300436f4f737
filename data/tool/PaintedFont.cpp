#include "PaintedFont.h"

#include "FontPainter.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"

#include <cstring>

CFrame* MakeFrameFromImage(const CImage& image)
{
    auto* frame = new CFrame;
    frame->Create(static_cast<uint32_t>(image.GetWidth()), static_cast<uint32_t>(image.GetHeight()), 32);
    const size_t rowBytes = static_cast<size_t>(image.GetWidth()) * CImage::kBytesPerPixel;
    for (int y = 0; frame->GetPixels() && y < image.GetHeight(); ++y)
        std::memcpy(frame->GetPixels() + static_cast<size_t>(frame->GetRowOffsets()[y]) * 4,
                    image.GetBytes().data() + rowBytes * y, rowBytes);
    return frame;
}

std::unique_ptr<CFont> MakePaintedFont(const char* name, const std::string& fontFolder, std::string& error)
{
    for (const FontRecipe& recipe : GetFontRecipes()) {
        if (std::strcmp(recipe.name, name) != 0)
            continue;
        FontImages images;
        if (!PaintFont(recipe, fontFolder, images, error))
            return nullptr;
        auto font = std::make_unique<CFont>();
        font->SetPropertiesToDefaults();
        font->SetLoadFlags(images.fixedWidth ? CFont::kFixedWidth : 0);
        font->SetCodeRange(images.firstCode, images.lastCode);
        font->SetBlitTypeByName("Transparent Mask");
        CFrameLoadStage stages;
        font->GetLoadStages(stages, nullptr);
        for (const CImage& glyph : images.glyphs)
            font->AddFrame(MakeFrameFromImage(glyph), &stages);
        font->SetLineBase(images.baseline);
        return font;
    }
    error = std::string("no font recipe \"") + name + "\"";
    return nullptr;
}
