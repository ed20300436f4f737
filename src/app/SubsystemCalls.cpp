#include "app/SubsystemCalls.h"

#include "foundation/FileSystem.h"
#include "foundation/LocalizedString.h"
#include "foundation/OpenFlags.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "objects/ClassRegistry.h"
#include "platform/Backend.h"
#include "platform/Time.h"

#include <cstdio>
#include <string>

void SortClassRegistry()
{
    CClassRegistry::GetInstance()->SortByName();
}

void MountDataArchives()
{
    CFileSystem::MountArchives("Data", false, false);
}

void UnmountDataArchives()
{
    CFileSystem::UnmountArchives();
}

void SetFrameCacheCompression(bool enabled)
{
    SetFrameCompressionEnabled(enabled);
}

bool DataFileExists(const char* name)
{
    return CFileSystem::FileExists(name, 0);
}

bool RemoveVerbatimFile(const char* name)
{
    return CFileSystem::RemoveFile(name, VF_VERBATIM);
}

CScreenFrame* NewScreenFrame()
{
    return nullptr;
}

void DeleteScreenFrame(CScreenFrame*)
{
}

bool HasDisplayPage(const CScreenFrame*)
{
    return platform::GetDisplay().HasMode();
}

bool IsDisplayFullScreen(const CScreenFrame*)
{
    return platform::GetDisplay().GetMode().fullScreen;
}

int GetDisplayWidth(const CScreenFrame*)
{
    return platform::GetDisplay().GetMode().width;
}

int GetDisplayHeight(const CScreenFrame*)
{
    return platform::GetDisplay().GetMode().height;
}

bool PresentDisplayPage(CScreenFrame*)
{
    return platform::GetDisplay().Present();
}

void UpdateDisplayFade(CScreenFrame*, float)
{
}

void SetUpDisplayMode(int depth, int, int)
{
    platform::DisplayMode mode{640, 480, depth == 8 || depth == 24 || depth == 32 ? depth : 16, false};
    if (!platform::GetDisplay().SetMode(mode))
        FatalExit("FATAL ERROR", "Couldn't set the screen mode.");
}

void RegisterFrameCollection()
{
}

void ShowCompanyLogo(CTimedPictureScreen*)
{
}

void LoadGamePalette()
{
}

void UnloadAllResources()
{
}

void ClearAllResourceUsageMarks()
{
}

void LoadLocalizationTable(const char* fileName)
{
    CLocalizationTable::GetInstance().Load(fileName);
}

bool CanShowStatistics(const CFont*)
{
    return true;
}

void DrawStatisticsLine(CScreenFrame*, CFont*, int line, const char* text, int, int, int)
{
    static uint32_t s_lastSecond = 0;
    const uint32_t second = platform::GetTickCount() / 1000;
    if (line != 0 || second == s_lastSecond)
        return;
    s_lastSecond = second;
    std::printf("%s\n", text);
    std::fflush(stdout);
}

int GetSequenceFrameCount(const CSequence*)
{
    return 0;
}

float GetSequenceFrameRate(const CSequence*)
{
    return 0.0f;
}

void DrawSequenceFrameAt(CFrameInterface*, CSequence*, int, int, int)
{
}

bool GetSequenceFrameRect(const CSequence*, int, CIntRect&)
{
    return false;
}
