#include "blit/BlitTableSetUp.h"

#include "blit/BlendTables.h"
#include "blit/Blitter.h"
#include "blit/modes/AmplifyLightBlitter.h"
#include "blit/modes/TableBlendBlitter.h"
#include "foundation/FileSystem.h"
#include "foundation/LocalizedString.h"
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "graphics/PaletteTable.h"

namespace {

// Caches are created with their folder. Every name there ends in ".pal": the start-up sweep of
// killed writes' temporaries (app/OwnFiles.cpp) knows the folder's files by it.
constexpr uint32_t kSaveMode = VF_MAKE_FOLDERS;

using TableBuilder = void (*)(CPaletteTable& table, CPaletteTable& palette);

// A cached table: its file, where it lives, and the range every entry of a good table lies in
// (inverse tables never answer the transparent index 0, blend tables neither 0 nor 255), so
// that a damaged file is rebuilt rather than used.
struct CachedTable
{
    const char* m_file;
    CPaletteTable* (*m_table)();
    int32_t m_kind;
    TableBuilder m_build;
    uint8_t m_lowest;
    uint8_t m_highest;
};

const CachedTable kCachedTables[] = {
    {"-InvColorTable15.pal", [] { return &g_inverseColorTable15; }, 5,
     [](CPaletteTable& t, CPaletteTable& p) { t.BuildInverseColorTable(p, 5, 1, 256); }, 1, 255},
    {"-InvColorTable16.pal", [] { return &g_inverseColorTable16; }, 7,
     [](CPaletteTable& t, CPaletteTable& p) { t.BuildInverseColorTable(p, 7, 1, 256); }, 1, 255},
    {"-Alpha20_80.pal", [] { return &Alpha20_80; }, 4,
     [](CPaletteTable& t, CPaletteTable& p) { t.BuildBlendTable(p, 0.2f); }, 1, 254},
    {"-Alpha40_60.pal", [] { return &Alpha40_60; }, 4,
     [](CPaletteTable& t, CPaletteTable& p) { t.BuildBlendTable(p, 0.4f); }, 1, 254},
    {"-BlackBias.pal", [] { return g_blackBiasBlitter.GetLookupTable(); }, 4,
     [](CPaletteTable& t, CPaletteTable& p) { t.BuildBlendTable(p, 0.0f); }, 1, 254},
    {"-Blend Amplify Light.pal", [] { return g_amplifyLightBlitter.GetLookupTable(); }, 4,
     [](CPaletteTable& t, CPaletteTable& p) { t.BuildAmplifyLightTable(p); }, 1, 254},
    {"-Blend Test Light.pal", [] { return g_testLightBlitter.GetLookupTable(); }, 4,
     [](CPaletteTable& t, CPaletteTable& p) { t.BuildTestLightTable(p); }, 1, 254},
};

const char* const kFadeTableFile = "-FadeTable.pal";

bool IsWithin(const CPaletteTable& table, uint8_t lowest, uint8_t highest)
{
    const uint8_t* data = table.GetData();
    for (uint32_t i = 0, n = table.GetSize(); i < n; ++i)
        if (data[i] < lowest || data[i] > highest)
            return false;
    return true;
}

CSharedString CachePath(const CSharedString& cacheFolder, const char* file)
{
    CSharedString path;
    path.SetToJoinedPath(cacheFolder.CStr(), file);
    return path;
}

void RemoveCachedTables(const CSharedString& cacheFolder)
{
    for (const CachedTable& cached : kCachedTables)
        CFileSystem::RemoveFile(CachePath(cacheFolder, cached.m_file).CStr(), 0);
    CFileSystem::RemoveFile(CachePath(cacheFolder, kFadeTableFile).CStr(), 0);
}

void LoadOrBuildFadeTable(const CSharedString& cacheFolder)
{
    const CSharedString path = CachePath(cacheFolder, kFadeTableFile);
    uint8_t bytes[kFadeTableSize];
    if (CFileSystem::ReadWholeFile(path.CStr(), bytes, kFadeTableSize) && AcceptFadeTable(bytes))
        return;
    if (!BuildFadeTable())
        return;
    CVirtualFile file;
    if (file.Open(path.CStr(), kSaveMode | VF_CREATE | VF_WRITE)) {
        file.Write(g_fadeTable, kFadeTableSize);
        file.Close();
    }
}

void SetUpPaletteTables(const char* folder, const char* name)
{
    CSharedString path;
    path.SetToJoinedPathWithSuffix(folder, name, ".bmp");
    CFrame frame;
    if (!frame.LoadBmpPalette(path.CStr()))
        FatalExit(g_paletteFatalCaption->CStr(), g_paletteFatalText->CStr());
    CPaletteTable& gamePalette = *frame.GetPalette();

    CSharedString cacheFolder;
    cacheFolder.SetToJoinedPath(folder, CFileSystem::GetCacheFolderName());
    CSharedString dashedName("-");
    dashedName.AppendText(name);
    CSharedString palettePath;
    palettePath.SetToJoinedPathWithSuffix(cacheFolder.CStr(), dashedName.CStr(), ".pal");

    // The cached palette tells whether the cached tables belong to this palette.
    CPaletteTable cachedPalette;
    if (!cachedPalette.Load(palettePath.CStr(), 1) || cachedPalette.Differs(gamePalette)) {
        RemoveCachedTables(cacheFolder);
        gamePalette.Save(palettePath.CStr(), kSaveMode);
    }

    g_currentPalette.CopyFrom(gamePalette);
    BuildPaletteToPixelTables(g_currentPalette);

    for (const CachedTable& cached : kCachedTables) {
        const CSharedString file = CachePath(cacheFolder, cached.m_file);
        CPaletteTable& table = *cached.m_table();
        if (table.Load(file.CStr(), cached.m_kind) && IsWithin(table, cached.m_lowest, cached.m_highest))
            continue;
        cached.m_build(table, g_currentPalette);
        table.Save(file.CStr(), kSaveMode);
    }
    LoadOrBuildFadeTable(cacheFolder);
    BuildDerivedPaletteTables();
}

} // namespace

void SetUpBlitTables(const char* folder, const char* name, int32_t displayDepth)
{
    if (displayDepth == 8)
        SetUpPaletteTables(folder, name);
    BuildAlphaScaleTables();
    BuildBlendStepTable();
}
