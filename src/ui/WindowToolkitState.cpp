#include "ui/WindowToolkitState.h"

#include "blit/ColorPacking.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"
#include "objects/DataNames.h"
#include "objects/ResourceCollection.h"
#include "sound/SoundList.h"

namespace {

const char* const kTextureNames[CWindowToolkitState::kTextureCount] = {
    "Window Texture", "Window Title Tile", "Inactive Window Texture", "Inactive Window Title Tile"};

const char* const kPreloadedSounds[] = {dataname::sound::kButtonAction, dataname::sound::kButtonSwitch,
                                        dataname::sound::kPlayerError};

struct BevelTone
{
    uint8_t red, green, blue, alpha;
    int32_t grey;  // the 8-bit remap table's level
};
const BevelTone kBevelTones[CWindowToolkitState::kBevelCount] = {
    {255, 255, 255, 24, 200}, {255, 255, 255, 48, 245}, {0, 0, 0, 128, 80}, {0, 0, 0, 160, 40}};

} // namespace

CWindowToolkitState& CWindowToolkitState::Get()
{
    static CWindowToolkitState s_state;
    return s_state;
}

CWindowToolkitState::CWindowToolkitState()
{
    Reset();
}

void CWindowToolkitState::Reset()
{
    defaultFont = nullptr;
    defaultTheme = nullptr;
    m_listIcons = nullptr;
    m_windowTextures = nullptr;
    sharedRowSpacing = -1;
    keyboardNavigation = false;
    repaintAll = false;
    windowStateFile.Clear();
    previousButtons = 0;
    scrollBarHook = nullptr;
    insertMode = true;
    captionOverContents = false;
    m_soundsPreloaded = false;
    m_texturesLookedUp = false;
    for (CFrame*& texture : m_textures)
        texture = nullptr;
    for (int32_t i = 0; i < kBevelCount; ++i) {
        const BevelTone& tone = kBevelTones[i];
        m_bevelColors[i].ConstructRgba(tone.red, tone.green, tone.blue, tone.alpha);
    }
    m_remapTablesBuilt = false;
}

void CWindowToolkitState::SetSkinResources(CResourceCollection* listIcons, CResourceCollection* windowTextures)
{
    m_listIcons = listIcons;
    if (windowTextures != m_windowTextures) {
        m_windowTextures = windowTextures;
        m_texturesLookedUp = false;
        for (CFrame*& texture : m_textures)
            texture = nullptr;
    }
}

void CWindowToolkitState::PrepareForFirstWindow()
{
    if (!m_soundsPreloaded) {
        m_soundsPreloaded = true;
        for (const char* sound : kPreloadedSounds)
            CSoundList::GetInstance().PreloadSound(sound);
    }
    if (!m_texturesLookedUp)
        LookUpTextures();
}

void CWindowToolkitState::LookUpTextures()
{
    m_texturesLookedUp = true;
    if (!m_windowTextures)
        return;
    // Textures are converted for the display once, plainly on 8-bit displays and dithered above.
    if (auto* frames = dynamic_cast<CFrameCollection*>(m_windowTextures)) {
        CFrameLoadStage stages;
        stages.AddStage(GetDisplayBitsPerPixel() == 8 ? kStageDepthConvert : kRequestDitheredDepthConvert);
        frames->SetDefaultLoadStages(stages);
    }
    for (int32_t i = 0; i < kTextureCount; ++i) {
        const int index = m_windowTextures->FindIndexByName(kTextureNames[i], -1);
        m_textures[i] = index < 0 ? nullptr : dynamic_cast<CFrame*>(m_windowTextures->GetItem(static_cast<uint32_t>(index)));
    }
}

CFrame* CWindowToolkitState::GetTexture(Texture texture) const
{
    if (m_textures[texture])
        return m_textures[texture];
    if (texture == kInactiveWindowTexture)
        return m_textures[kWindowTexture];
    if (texture == kInactiveWindowTitleTile)
        return m_textures[kWindowTitleTile];
    return nullptr;
}

const CPaletteTable& CWindowToolkitState::GetBevelRemapTable(Bevel bevel)
{
    if (!m_remapTablesBuilt) {
        m_remapTablesBuilt = true;
        for (int32_t i = 0; i < kBevelCount; ++i) {
            const int32_t grey = kBevelTones[i].grey;
            m_remapTables[i].BuildColorAdjustTable(*GetCurrentPaletteRef(), grey, grey, grey, 1, 255, 1, 255, nullptr);
        }
    }
    return m_remapTables[bevel];
}
