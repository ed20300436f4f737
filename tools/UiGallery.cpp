// The window toolkit's gallery: pages of windows drawn as the game draws them, from the data set,
// on the real display. The pages open on a screen window, which routes the mouse and keyboard to
// them; the gallery draws the mouse cursor itself.
//
//   vantorel_uigallery [--page tree] [--depth 8|16] [--frames N] [--data FOLDER] [--headless]
//
// FOLDER holds the data set "Data" (default: the build's). The window state goes to
// "Vantorel Editor.ini" beside the program; display settings to the temporary folder.
#include "GalleryTreePage.h"
#include "ToolStartUp.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "blit/BlitTableSetUp.h"
#include "blit/ColorPacking.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/FileSystem.h"
#include "foundation/Win32Services.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameCollection.h"
#include "graphics/ScreenFrame.h"
#include "graphics/ScreenMode.h"
#include "graphics/SequenceCollection.h"
#include "platform/Platform.h"
#include "ui/ScreenWindow.h"

#include "FontPainter.h"
#include "MouseCursor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr const char* kWindowFont = "OCR Monospaced Numbers";

// A 32-bit frame of the painted picture's pixels.
CFrame* FrameFromImage(const CImage& image)
{
    auto* frame = new CFrame;
    frame->Create(static_cast<uint32_t>(image.GetWidth()), static_cast<uint32_t>(image.GetHeight()), 32);
    const size_t rowBytes = static_cast<size_t>(image.GetWidth()) * CImage::kBytesPerPixel;
    for (int y = 0; frame->GetPixels() && y < image.GetHeight(); ++y)
        std::memcpy(frame->GetPixels() + static_cast<size_t>(frame->GetRowOffsets()[y]) * 4,
                    image.GetBytes().data() + rowBytes * y, rowBytes);
    return frame;
}

// The window font painted from its recipe, for a data set that does not hold the fonts yet.
std::unique_ptr<CFont> PaintWindowFont()
{
    for (const FontRecipe& recipe : GetFontRecipes()) {
        if (std::strcmp(recipe.name, kWindowFont) != 0)
            continue;
        FontImages images;
        std::string error;
        if (!PaintFont(recipe, VANTOREL_FONT_DIR, images, error)) {
            std::fprintf(stderr, "uigallery: %s\n", error.c_str());
            return nullptr;
        }
        auto font = std::make_unique<CFont>();
        font->SetPropertiesToDefaults();
        font->SetLoadFlags(images.fixedWidth ? CFont::kFixedWidth : 0);
        font->SetCodeRange(images.firstCode, images.lastCode);
        font->SetBlitTypeByName("Transparent Mask");
        CFrameLoadStage stages;
        font->GetLoadStages(stages, nullptr);
        for (const CImage& glyph : images.glyphs)
            font->AddFrame(FrameFromImage(glyph), &stages);
        font->SetLineBase(images.baseline);
        return font;
    }
    return nullptr;
}

// The mouse cursor painted from its recipe, for a data set that does not hold it yet.
std::unique_ptr<CSequence> PaintCursor()
{
    const CImage image = PaintMouseCursor();
    auto cursor = std::make_unique<CSequence>();
    cursor->SetPropertiesToDefaults();
    cursor->SetBlitTypeByName("Transparent Mask");
    CFrameLoadStage stages;
    cursor->GetLoadStages(stages, nullptr);
    CFrame* frame = FrameFromImage(image);
    frame->SetOrigin(static_cast<int16_t>(-image.GetHotSpotX()), static_cast<int16_t>(-image.GetHotSpotY()));
    cursor->AddFrame(frame, &stages);
    return cursor;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string page = GetToolOption(argc, argv, "--page", "tree");
    const int depth = GetToolOptionInt(argc, argv, "--depth", 16);
    const int frames = GetToolOptionInt(argc, argv, "--frames", 0);
    if (page != "tree") {
        std::fprintf(stderr, "uigallery: no page \"%s\" (pages: tree)\n", page.c_str());
        return 2;
    }
    if (!StartToolWindow(argc, argv, "Vantorel window gallery", "vantorel-uigallery.ini"))
        return 1;

    // The data set, as the game mounts it.
    std::error_code ignored;
    std::filesystem::current_path(GetToolOption(argc, argv, "--data", VANTOREL_DATA_PARENT), ignored);
    CFileSystem::MountArchives("Data", false, false);

    CScreenFrame screen;
    SetUpScreenMode(depth, 640, 480);
    // Pictures are converted for this display as they load.
    SetDisplayBitsPerPixel(static_cast<int32_t>(screen.GetBitsPerPixel()));
    SetUpBlitTables("Palettes", "GamePalette", screen.GetBitsPerPixel());
    if (screen.GetBitsPerPixel() == 8)
        screen.SetPaletteEntries(GetCurrentPaletteRef(), true);

    // What the shell will set up: the fonts, the interface textures and the window-state file.
    CFontCollection& fonts = CFontCollection::GetInstance();
    fonts.SetUpAtStartUp();
    std::unique_ptr<CFont> painted;
    CFont* font = fonts.FindFont(kWindowFont);
    if (!font) {
        painted = PaintWindowFont();
        font = painted.get();
    }
    CFrameCollection textures;
    textures.SetUpFolder("User Interface Textures", "Interface/Textures");
    CJWindow::SetDefaultFont(font);
    CJWindow::SetSkinResources(nullptr, &textures);
    CJWindow::SetWindowStateFile("Vantorel Editor.ini");

    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    std::unique_ptr<CSequence> paintedCursor;
    CSequence* cursor = sequences.FindSequence("MouseCursor");
    if (!cursor) {
        paintedCursor = PaintCursor();
        cursor = paintedCursor.get();
    }
    g_mouse.SetCursorSequence(cursor);

    CDirtyRectFrame back;
    back.Create(screen.GetWidth(), screen.GetHeight(), screen.GetBitsPerPixel());
    back.SetPageCount(screen.GetBackBufferCount() + 1);
    back.MarkAllDirty();
    CScreenWindow screenWindow(&back, font);
    OpenGalleryTreePage(&screenWindow);
    std::printf("Window gallery, page \"%s\": %ux%u, %u bits; Tab, Shift+Tab and Alt+letter move the focus, close "
                "the window to end.\n",
                page.c_str(), screen.GetWidth(), screen.GetHeight(), screen.GetBitsPerPixel());
    std::fflush(stdout);
    for (int frame = 0; frames == 0 || frame < frames; ++frame) {
        // The input state is fed as the game's message pump feeds it.
        platform::Event event;
        while (platform::PollEvent(event)) {
            if (event.type == platform::EventType::Close)
                return 0;
            FeedInputFromEvent(event);
        }
        screenWindow.Update(1.0f / 60.0f);
        g_mouse.AnimateCursor(1.0f / 60.0f);
        back.Clear();
        screenWindow.DrawScreen();
        g_mouse.DrawCursor(&back);
        if (screen.Lock() == CScreenFrame::kLockDone) {
            back.PresentDirtyCells(&screen, &g_copyBlitter);
            screen.Unlock();
        }
        screen.Present();
        back.NextPage();
        platform::Sleep(16);
    }
    return 0;
}
