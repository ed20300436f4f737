#pragma once
// The window toolkit's process-wide state in one place: the default font and theme, the image
// collections and the four window textures, the bevel colours and their 8-bit remap tables, the
// shared row spacing, the keyboard-navigation and repaint-all flags, the window-state file, the
// mouse buttons held at the last input step and the scroll bar hook.
//
// The rule a caller must know: the once-per-process work (sounds preloaded, textures looked up)
// happens at the first window's construction; Reset returns everything to the start, so tests
// begin from a known state.
#include "foundation/SharedString.h"
#include "graphics/Color.h"
#include "graphics/PaletteTable.h"

#include <cstdint>

class CFont;
class CFrame;
class CResourceCollection;
class CScrollBarHook;
class CSkinTheme;

class CWindowToolkitState
{
public:
    // The window textures.
    enum Texture : int32_t
    {
        kWindowTexture = 0,
        kWindowTitleTile = 1,
        kInactiveWindowTexture = 2,
        kInactiveWindowTitleTile = 3,
        kTextureCount = 4,
    };
    // The bevel colours, and the grey levels their 8-bit remap tables move colours toward.
    enum Bevel : int32_t
    {
        kLight = 0,         // (255, 255, 255, 24), grey 200
        kStrongLight = 1,   // (255, 255, 255, 48), grey 245
        kDark = 2,          // (0, 0, 0, 128), grey 80
        kStrongDark = 3,    // (0, 0, 0, 160), grey 40
        kBevelCount = 4,
    };

    static CWindowToolkitState& Get();
    // Everything back to the start of the process (the textures forgotten, not freed: their
    // collection owns them).
    void Reset();

    // The first window's work: the UI sounds preloaded (once), the textures looked up (again
    // after the texture collection changed).
    void PrepareForFirstWindow();

    // The texture collection's textures are looked up again by the next window made.
    void SetSkinResources(CResourceCollection* listIcons, CResourceCollection* windowTextures);
    CResourceCollection* GetListIcons() const { return m_listIcons; }
    CResourceCollection* GetWindowTextures() const { return m_windowTextures; }

    CFont* defaultFont = nullptr;
    CSkinTheme* defaultTheme = nullptr;
    // -1 until the first window sets it from its font.
    int32_t sharedRowSpacing = -1;
    // Focus frames show only while the focus was last moved from the keyboard.
    bool keyboardNavigation = false;
    // Set when a window is hidden or destroyed; the root clears it after drawing.
    bool repaintAll = false;
    // The full path of the window-state INI file (empty: none).
    CSharedString windowStateFile;
    // The screen window's held mouse buttons at its last update (bit 0 left, 1 right, 2 middle).
    uint32_t previousButtons = 0;
    // The maker of the automatic scroll bars; null: windows make none.
    CScrollBarHook* scrollBarHook = nullptr;

    // The texture, the inactive forms falling back to the active ones; null when missing.
    CFrame* GetTexture(Texture texture) const;
    const CColor& GetBevelColor(Bevel bevel) const { return m_bevelColors[bevel]; }
    // The remap table for 8-bit frames, built from the current palette on first use.
    const CPaletteTable& GetBevelRemapTable(Bevel bevel);

private:
    CWindowToolkitState();
    void LookUpTextures();

    CResourceCollection* m_listIcons = nullptr;
    CResourceCollection* m_windowTextures = nullptr;
    bool m_soundsPreloaded = false;
    bool m_texturesLookedUp = false;
    CFrame* m_textures[kTextureCount] = {};
    CColor m_bevelColors[kBevelCount];
    bool m_remapTablesBuilt = false;
    CPaletteTable m_remapTables[kBevelCount];
};
