#include "app/SubsystemCalls.h"

#include "foundation/FileSystem.h"
#include "foundation/LocalizedString.h"
#include "foundation/OpenFlags.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "graphics/ScreenFrame.h"
#include "graphics/ScreenMode.h"
#include "objects/ClassRegistry.h"
#include "objects/ResourceRegistry.h"

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
    return new CScreenFrame;
}

void DeleteScreenFrame(CScreenFrame* display)
{
    delete display;
}

bool HasDisplayPage(const CScreenFrame* display)
{
    return display != nullptr;
}

bool IsDisplayFullScreen(const CScreenFrame* display)
{
    return display && display->IsFullScreen();
}

int GetDisplayWidth(const CScreenFrame* display)
{
    return display ? display->GetWidth() : 0;
}

int GetDisplayHeight(const CScreenFrame* display)
{
    return display ? display->GetHeight() : 0;
}

bool PresentDisplayPage(CScreenFrame* display)
{
    return display && display->Present();
}

void UpdateDisplayFade(CScreenFrame* display, float seconds)
{
    if (display)
        display->UpdateFade(seconds);
}

void SetUpDisplayMode(int depth, int width, int height)
{
    SetUpScreenMode(depth, width, height);
}

void UnloadAllResources()
{
    CResourceRegistry::GetInstance()->UnloadAll();
}

void ClearAllResourceUsageMarks()
{
    CResourceRegistry::GetInstance()->ClearAllUsageMarks();
}

void LoadLocalizationTable(const char* fileName)
{
    CLocalizationTable::GetInstance().Load(fileName);
}
