// The window toolkit's gallery: pages of windows drawn as the game draws them, from the data set,
// on the real display. The pages open on a screen window, which routes the mouse and keyboard to
// them; the gallery draws the mouse cursor itself.
//
//   vantorel_uigallery [--page tree|buttons|dialogs|skins|controls|lists|online|about|options]
//                      [--depth 8|16] [--frames N] [--data FOLDER] [--headless] [--keys KEY,Ctrl+KEY,...]
//                      [--url VERSION-CHECK-URL]                     (the online page's address)
//                      [--dialog sound|video|background|controls]   (the options page's dialog)
//
// KEYS are key names ("Tab", "Right", "Space", "Return", a letter...) typed one per frame from the
// tenth frame on, as the system delivers them. FOLDER holds the data set "Data" (default: the build's). The window state goes to
// "Vantorel Editor.ini" beside the program; display settings to the temporary folder.
#include "GalleryButtonsPage.h"
#include "GalleryControlsPage.h"
#include "GalleryDialogsPage.h"
#include "GalleryListsPage.h"
#include "GalleryOptionsPage.h"
#include "GalleryOnlinePage.h"
#include "GalleryShellPage.h"
#include "GallerySkinsPage.h"
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
#include "platform/KeyTable.h"
#include "platform/Platform.h"
#include "ui/ScreenWindow.h"

#include "MouseCursor.h"
#include "PaintedFont.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <strings.h>
#include <vector>

namespace {

constexpr const char* kWindowFont = "OCR Monospaced Numbers";

// The window font painted from its recipe, for a data set that does not hold the fonts yet.
std::unique_ptr<CFont> PaintWindowFont()
{
    std::string error;
    std::unique_ptr<CFont> font = MakePaintedFont(kWindowFont, VANTOREL_FONT_DIR, error);
    if (!font)
        std::fprintf(stderr, "uigallery: %s\n", error.c_str());
    return font;
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
    CFrame* frame = MakeFrameFromImage(image);
    frame->SetOrigin(static_cast<int16_t>(-image.GetHotSpotX()), static_cast<int16_t>(-image.GetHotSpotY()));
    cursor->AddFrame(frame, &stages);
    return cursor;
}

// A key typed with Ctrl held: the key number with this bit.
constexpr int kWithCtrl = 1 << 16;

// The key numbers of the comma-separated key names ("Ctrl+" before a name holds Ctrl for it);
// unknown names are reported and left out.
std::vector<int> ParseKeyNames(const std::string& names)
{
    std::vector<int> keys;
    size_t start = 0;
    while (start < names.size()) {
        const size_t end = std::min(names.find(',', start), names.size());
        std::string name = names.substr(start, end - start);
        start = end + 1;
        const bool ctrl = strncasecmp(name.c_str(), "Ctrl+", 5) == 0;
        if (ctrl)
            name.erase(0, 5);
        int found = 0;
        for (const platform::KeyInfo& key : platform::GetKeyTable())
            if (strcasecmp(key.name, name.c_str()) == 0) {
                found = key.keyNumber;
                break;
            }
        if (found)
            keys.push_back(found | (ctrl ? kWithCtrl : 0));
        else if (!name.empty())
            std::fprintf(stderr, "uigallery: no key \"%s\"\n", name.c_str());
    }
    return keys;
}

// Presses or releases the left Ctrl key as the system reports it.
void FeedCtrl(platform::EventType type)
{
    FeedInputFromEvent(platform::Event::Key(type, platform::kKeyLeftCtrl,
                                            platform::VirtualKeyOfKeyNumber(platform::kKeyLeftCtrl, true)));
}

// A key stroke as the system delivers it: down, the character it types (if any), up. A key with
// Ctrl presses Ctrl first (the caller releases it a frame later, as a hand does) and types no
// character.
void TypeKey(int keyNumber)
{
    const bool ctrl = (keyNumber & kWithCtrl) != 0;
    keyNumber &= ~kWithCtrl;
    if (ctrl)
        FeedCtrl(platform::EventType::KeyDown);
    const int virtualKey = platform::VirtualKeyOfKeyNumber(keyNumber, true);
    FeedInputFromEvent(platform::Event::Key(platform::EventType::KeyDown, keyNumber, virtualKey));
    int character = 0;
    if (virtualKey == 8 || virtualKey == 9 || virtualKey == 13 || virtualKey == 27 || virtualKey == 32 ||
        (virtualKey >= '0' && virtualKey <= '9'))
        character = virtualKey;
    else if (virtualKey >= 'A' && virtualKey <= 'Z')
        character = virtualKey - 'A' + 'a';
    if (character && !ctrl)
        FeedInputFromEvent(platform::Event::Char(static_cast<unsigned char>(character)));
    FeedInputFromEvent(platform::Event::Key(platform::EventType::KeyUp, keyNumber, virtualKey));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string page = GetToolOption(argc, argv, "--page", "tree");
    const int depth = GetToolOptionInt(argc, argv, "--depth", 16);
    const int frames = GetToolOptionInt(argc, argv, "--frames", 0);
    const std::vector<int> keys = ParseKeyNames(GetToolOption(argc, argv, "--keys", ""));
    static const char* const kPages[] = {"tree",  "buttons", "dialogs", "skins",      "controls", "lists",
                                         "online", "about",  "options", "statistics", "credits"};
    if (std::find(std::begin(kPages), std::end(kPages), page) == std::end(kPages)) {
        std::fprintf(stderr, "uigallery: no page \"%s\" (pages: tree, buttons, dialogs, skins, controls, lists, online, "
                     "about, options, statistics, credits)\n",
                     page.c_str());
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
    // The tree lists' icons come from the frame list.
    CFrameCollection& frameList = CFrameCollection::GetInstance();
    frameList.SetUpAtStartUp();
    CJWindow::SetSkinResources(&frameList, &textures);
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
    if (page == "buttons") {
        OpenGalleryButtonsPage(&screenWindow);
    } else if (page == "dialogs") {
        OpenGalleryDialogsPage(&screenWindow);
    } else if (page == "skins") {
        CFrameCollection::GetInstance().SetUpAtStartUp();
        if (!OpenGallerySkinsPage(&screenWindow))
            return 1;
    } else if (page == "controls") {
        OpenGalleryControlsPage(&screenWindow);
    } else if (page == "lists") {
        OpenGalleryListsPage(&screenWindow);
    } else if (page == "statistics") {
        OpenGalleryStatisticsPage(&screenWindow);
    } else if (page == "credits") {
        OpenGalleryCreditsPage(&screenWindow);
    } else if (page == "online" || page == "about") {
        OpenGalleryOnlinePage(&screenWindow, page == "online", GetToolOption(argc, argv, "--url", ""));
    } else if (page == "options") {
        CFrameCollection::GetInstance().SetUpAtStartUp();
        if (!OpenGalleryOptionsPage(&screenWindow, GetToolOption(argc, argv, "--dialog", "sound"))) {
            std::fprintf(stderr, "uigallery: no dialog \"%s\" (sound, video, background, controls)\n",
                         GetToolOption(argc, argv, "--dialog", "sound"));
            return 2;
        }
    } else {
        OpenGalleryTreePage(&screenWindow);
    }
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
        constexpr int kFirstKeyFrame = 10;
        if (frame > kFirstKeyFrame && static_cast<size_t>(frame - kFirstKeyFrame) <= keys.size() &&
            (keys[static_cast<size_t>(frame - kFirstKeyFrame - 1)] & kWithCtrl))
            FeedCtrl(platform::EventType::KeyUp);
        if (frame >= kFirstKeyFrame && static_cast<size_t>(frame - kFirstKeyFrame) < keys.size())
            TypeKey(keys[static_cast<size_t>(frame - kFirstKeyFrame)]);
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
