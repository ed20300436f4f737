// CFrame's cache files: the frame block of an image converted for one display depth, named by
// that depth, rebuilt from the image's source record ("Cache/<folder>/<name>.Frame") whenever
// the two files' last-write time stamps differ.
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"
#include "graphics/stages/DepthConvertStage.h"

#include <cstring>
#include <new>
#include <string>

namespace {

// folder + "/" + name, without a doubled separator and without one after an empty folder.
std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

std::string SourceImageName(const char* folder, const char* name)
{
    return std::string(CFileSystem::GetCacheFolderName()) + "/" + folder + "/" + name + ".Frame";
}

} // namespace

// A new kind of cache name goes into the start-up sweep's table too (app/OwnFiles.cpp).
bool CFrame::BuildCacheFileName(CSharedString& out, const char* folder, const char* name,
                                const CFrameLoadStage* stages, bool useCacheFolder)
{
    out.Clear();
    const std::string folderText = folder ? folder : "";
    const std::string nameText = name ? name : "";
    const std::string base = useCacheFolder ? Join(CFileSystem::GetCacheFolderName(), folderText) : folderText;
    const int32_t depth = stages ? stages->GetTargetDepth() : GetDisplayBitsPerPixel();
    const size_t split = nameText.find_last_of("/\\");
    const std::string namePath = split == std::string::npos ? "" : nameText.substr(0, split);
    const std::string lastPart = split == std::string::npos ? nameText : nameText.substr(split + 1);
    std::string path;
    switch (depth) {
    case 8: path = Join(base, nameText + ".frm"); break;
    case 16: path = Join(base, (IsFrameCompressionEnabled() ? "-" : "") + nameText + ".frm16"); break;
    case 24: path = Join(Join(base, namePath), "-" + lastPart + ".frm24"); break;
    case 32: path = Join(Join(base, namePath), "-" + lastPart + ".frm32"); break;
    default: return false;
    }
    out.AssignText(path.c_str());
    return true;
}

const char* CFrame::GetCacheExtension()
{
    if (IsFrameCompressionEnabled())
        return "FRAME";
    switch (GetDisplayBitsPerPixel()) {
    case 8: return "frm";
    case 16: return "frm16";
    case 24: return "frm24";
    case 32: return "frm32";
    default: return nullptr;
    }
}

bool CFrame::LoadCached(const char* folder, const char* name, CFrameLoadStage* stages, bool useCacheFolder,
                        uint32_t openMode)
{
    DropPalette();
    FreePixels();
    folder = folder ? folder : "";
    name = name ? name : "";
    CSharedString cacheName;
    const bool named = BuildCacheFileName(cacheName, folder, name, stages, useCacheFolder);
    const std::string sourceName = SourceImageName(folder, name);
    const uint64_t sourceTime = CFileSystem::GetFileTimeStamp(sourceName.c_str(), 0, FILE_TIME_LAST_WRITE);

    // With compressed caches a cache is current only while it carries its source's time stamp.
    const bool current = !IsFrameCompressionEnabled() ||
                         CFileSystem::GetFileTimeStamp(cacheName.CStr(), 0, FILE_TIME_LAST_WRITE) == sourceTime;
    if (named && current) {
        CVirtualFile cache;
        // A damaged cache is a miss: the frame is rebuilt from its source.
        if (cache.Open(cacheName.CStr(), openMode | VF_READ) && ReadFrameBlock(cache))
            return true;
    }

    if (!LoadSourceImage(folder, name)) {
        FreePixels();
        return false;
    }
    // The cache holds the image as the caller's list leaves it: converted to its depth (dithered
    // when it dithers) and run-length encoded when it encodes.
    CFrameLoadStage rebuild;
    const auto* conversion = stages ? static_cast<const CDepthConvertStage*>(stages->FindStage(kStageDepthConvert))
                                    : nullptr;
    const int32_t depth = stages ? stages->GetTargetDepth() : GetDisplayBitsPerPixel();
    rebuild.InsertStage(new (std::nothrow) CDepthConvertStage(conversion && conversion->IsDithered(), depth));
    if (stages && stages->HasStage(kStageRunLength))
        rebuild.AddStage(kStageRunLength);
    rebuild.ApplyAll(this);

    if (named) {
        CVirtualFile cache;
        if (cache.Open(cacheName.CStr(), openMode | VF_CREATE | VF_WRITE | VF_MAKE_FOLDERS)) {
            const bool written = WriteFrameBlock(cache);
            if (!written && cache.GetStream())
                cache.GetStream()->MarkWriteFailed();
            if (cache.Close() && written)
                CFileSystem::SetFileTimeStamp(cacheName.CStr(), sourceTime, 0, FILE_TIME_LAST_WRITE);
        }
    }
    return true;
}
