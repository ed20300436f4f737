// CSequence's files. The depth cache is the binary object form of the sequence, its frames'
// blocks at the end; it is current while its last-write time equals the source image's. The
// source image "<name>.Sequence" is a compressed block of the header in the object text format,
// then one 32-bit strip holding every frame side by side as a source image record.
//
// Frames read from a cache own copies of their pixels: the row tables of a frame block lie at any
// byte offset of the file, where a pointer to 32-bit entries may not point.
#include "graphics/Sequence.h"

#include "blit/BlitTypeList.h"
#include "blit/Blitter.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileBuf.h"
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"
#include "graphics/FrameInfo.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"
#include "graphics/SequenceFrameInfoList.h"
#include "graphics/StripRectangles.h"
#include "graphics/stages/DepthConvertStage.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/ObjectTextStream.h"
#include "objects/PropertyDescriptor.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr int kHeaderCompression = 9;
// What a source may ask of a rebuild. The header text of a sequence of a thousand frames is about
// 130 KB; the largest strip the content tool draws holds under 100,000 pixels. Both compress
// about 1000:1, so without a bound a source of a few kilobytes could ask for gigabytes. A strip
// of 1M pixels is 4 MiB at 32 bits, as much as one section of a cached frame holds, so every
// frame cut from it can be cached.
constexpr uint32_t kMaxHeaderBytes = 1u << 20;
constexpr uint64_t kMaxStripPixels = uint64_t(1) << 20;

// "Cache/<folder>".
CSharedString CacheFolder(const char* folder)
{
    CSharedString path;
    path.SetToJoinedPath(CFileSystem::GetCacheFolderName(), folder ? folder : "");
    return path;
}

int32_t TargetDepth(const CFrameLoadStage* stages)
{
    return stages ? stages->GetTargetDepth() : GetDisplayBitsPerPixel();
}

bool WriteI32(CVirtualFile& stream, int32_t value)
{
    return CPropertyDescriptor::WriteLittleEndian(stream, static_cast<uint32_t>(value), 4);
}

bool ReadI32(CVirtualFile& stream, int32_t& value)
{
    uint64_t bits = 0;
    if (!CPropertyDescriptor::ReadLittleEndian(stream, bits, 4))
        return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(bits));
    return true;
}

uint64_t BytesLeft(CVirtualFile& stream)
{
    const int32_t position = stream.GetPosition();
    const uint64_t size = stream.GetSize();
    return position < 0 || static_cast<uint64_t>(position) > size ? 0 : size - static_cast<uint64_t>(position);
}

// The header of a source image: a compressed block holding it in the object text format. False for
// a missing or damaged block or text.
bool ReadHeader(CVirtualFile& file, CSequenceFrameInfoList& header)
{
    uint32_t length = 0;
    const int32_t start = file.GetPosition();
    if (start < 0 || !CCompressedBlockCodec::Skip(file, length) || length > kMaxHeaderBytes ||
        !file.Seek(static_cast<uint32_t>(start)))
        return false;
    uint8_t* text = CCompressedBlockCodec::Read(file, length);
    if (!text)
        return false;
    auto* buffer = new CFileBuf;
    buffer->ConstructOverBuffer(text, length);
    CObjectTextStream stream;
    stream.SetDamageTolerated(true);
    stream.OpenMemory(buffer, VF_READ);
    const bool read = header.ReadFromTextStream(stream) && !stream.IsDamaged();
    stream.Close();
    return read;
}

// The rectangle a frame info cuts from the strip; empty without an info.
CIntRect FrameRect(const CFrameInfo* info)
{
    return info ? CIntRect{info->m_left, info->m_top, info->m_right, info->m_bottom} : CIntRect{0, 0, 0, 0};
}

// Whether the header's frames can be cut from a strip of that size as the writer lays them out,
// and the strip is one a rebuild may pay for.
bool FrameRectsFitStrip(const CSequenceFrameInfoList& header, uint32_t width, uint32_t height)
{
    if (uint64_t{width} * height > kMaxStripPixels)
        return false;
    std::vector<CIntRect> rects;
    rects.reserve(header.GetFrameInfoCount());
    for (uint32_t i = 0; i < header.GetFrameInfoCount(); ++i)
        rects.push_back(FrameRect(header.GetFrameInfo(i)));
    return AreStripRectanglesSound(rects, width, height);
}

bool WriteHeader(CVirtualFile& file, const CSequenceFrameInfoList& header)
{
    CObjectTextStream text;
    text.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    header.WriteToTextStream(text);
    const uint32_t size = text.GetSize();
    uint8_t* bytes = text.DetachBuffer();
    const bool written = bytes && CCompressedBlockCodec::Write(file, bytes, size, kHeaderCompression);
    std::free(bytes);
    return written;
}

} // namespace

const char* CSequence::GetCacheExtension()
{
    if (IsFrameCompressionEnabled())
        return "SEQUENCE";
    switch (GetDisplayBitsPerPixel()) {
    case 8: return "seq";
    case 16: return "seq16";
    case 24: return "seq24";
    case 32: return "seq32";
    default: return nullptr;
    }
}

// A new kind of cache name goes into the start-up sweep's table too (app/OwnFiles.cpp).
bool CSequence::GetCacheFileName(CSharedString& out, const char* folder, const char* name,
                                 const CFrameLoadStage* stages)
{
    const CSharedString base = CacheFolder(folder);
    name = name ? name : "";
    switch (TargetDepth(stages)) {
    case 8: out.SetToJoinedPathWithSuffix(base.CStr(), name, ".seq"); return true;
    case 16:
        if (IsFrameCompressionEnabled())
            out.SetToDashPrefixedPath(base.CStr(), name, ".seq16");
        else
            out.SetToJoinedPathWithSuffix(base.CStr(), name, ".seq16");
        return true;
    case 24: out.SetToDashPrefixedPath(base.CStr(), name, ".seq24"); return true;
    case 32: out.SetToDashPrefixedPath(base.CStr(), name, ".seq32"); return true;
    default: out.Clear(); return false;
    }
}

void CSequence::GetSourceFileName(CSharedString& out, const char* folder, const char* name)
{
    out.SetToJoinedPathWithSuffix(CacheFolder(folder).CStr(), name ? name : "", ".Sequence");
}

bool CSequence::WriteCustomBinary(CVirtualFile& stream) const
{
    if (!WriteI32(stream, m_bounds.m_left) || !WriteI32(stream, m_bounds.m_top) || !WriteI32(stream, m_bounds.m_right) ||
        !WriteI32(stream, m_bounds.m_bottom))
        return false;
    // As many entries as the frame count written before them says.
    for (uint32_t i = 0; i < m_frameCount; ++i) {
        CFrame* frame = GetFrame(i);
        const bool present = frame && frame->GetWidth() != 0 && frame->GetHeight() != 0;
        const uint8_t marker = present ? 1 : 0;
        if (stream.Write(&marker, 1) != 1 || (present && !frame->WriteFrameBlock(stream)))
            return false;
    }
    return true;
}

bool CSequence::ReadCustomBinary(CVirtualFile& stream)
{
    // The frame count was read with the properties; every frame takes at least its marker byte.
    const uint32_t count = m_frameCount;
    FreeFrames();
    if (!ReadI32(stream, m_bounds.m_left) || !ReadI32(stream, m_bounds.m_top) || !ReadI32(stream, m_bounds.m_right) ||
        !ReadI32(stream, m_bounds.m_bottom) || count > BytesLeft(stream))
        return false;
    m_frames.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t marker = 0xFF;
        if (stream.Read(&marker, 1) != 1 || marker > 1)
            break;
        if (marker == 0) {
            m_frames.push_back(nullptr);
            continue;
        }
        std::unique_ptr<CFrame> frame(new CFrame);
        if (!frame->ReadFrameBlock(stream))
            break;
        m_frames.push_back(frame.release());
    }
    const bool complete = m_frames.size() == count;
    if (!complete)
        FreeFrames();
    SyncFrameCount();
    return complete;
}

bool CSequence::SaveCache(const char* path) const
{
    CVirtualFile file;
    if (!file.Open(path, VF_CREATE | VF_WRITE | VF_MAKE_FOLDERS))
        return false;
    const bool written = WriteBinary(file);
    if (!written && file.GetStream())
        file.GetStream()->MarkWriteFailed();
    return file.Close() && written;
}

bool CSequence::LoadCached(const char* folder, const char* name, const CFrameLoadStage* stages)
{
    FreeFrames();
    CSharedString path;
    if (!GetCacheFileName(path, folder, name, stages))
        return false;
    // One read of the whole file; the frames copy their pixels out of it.
    CVirtualFile file;
    if (!file.Open(path.CStr(), VF_IN_MEMORY | VF_READ))
        return false;
    const bool read = ReadBinary(file);
    file.Close();
    if (!read)
        FreeFrames();
    return read;
}

bool CSequence::Load(const char* folder, const char* name, const CFrameLoadStage* stages)
{
    if (!IsFrameCompressionEnabled())
        return LoadCached(folder, name, stages);
    CSharedString cache, source;
    GetCacheFileName(cache, folder, name, stages);
    GetSourceFileName(source, folder, name);
    if (CFileSystem::GetFileTimeStamp(cache.CStr(), 0, FILE_TIME_LAST_WRITE) ==
            CFileSystem::GetFileTimeStamp(source.CStr(), 0, FILE_TIME_LAST_WRITE) &&
        LoadCached(folder, name, stages))
        return true;
    return BuildFromSource(folder, name, stages);
}

bool CSequence::BuildFromSource(const char* folder, const char* name, const CFrameLoadStage* stages)
{
    FreeFrames();
    CSharedString source;
    GetSourceFileName(source, folder, name);
    CCurrentObjectFileNameScope scope(source.CStr());
    CVirtualFile file;
    if (!file.Open(source.CStr(), VF_IN_MEMORY | VF_READ))
        return false;
    CSequenceFrameInfoList header;
    if (!ReadHeader(file, header))
        return false;
    m_loadFlags = header.m_flags;
    // An index the blit-type list does not have keeps the type the sequence had.
    if (header.m_blitType < CBlitter::GetRegistry().GetCount())
        m_blitType = header.m_blitType;
    m_framesPerSecond = header.m_framesPerSecond;

    // Every frame is cut from the strip: rectangles the writer would not have made, or a strip
    // too large, are refused before the strip is decoded or any frame is made.
    uint32_t width = 0, height = 0;
    CFrame strip;
    bool haveStrip = CFrame::ReadSourceImageSize(file, width, height);
    if (haveStrip && !FrameRectsFitStrip(header, width, height))
        return false;
    haveStrip = haveStrip && strip.ReadSourceImage(file);
    file.Close();
    if (haveStrip && (strip.GetWidth() != width || strip.GetHeight() != height))
        return false;

    // The cache holds the frames as the caller's list leaves them: at its depth, encoded as the
    // header says.
    const int32_t depth = TargetDepth(stages);
    CFrameLoadStage rebuild;
    rebuild.SetPreferredDepth(depth);
    auto* conversion = new (std::nothrow) CDepthConvertStage((m_loadFlags & kDoDither) != 0, depth);
    if (!rebuild.InsertStage(conversion))
        delete conversion;
    if (header.m_wasRunLength)
        rebuild.AddStage(kStageRunLength);

    for (uint32_t i = 0; i < header.GetFrameInfoCount(); ++i) {
        const CFrameInfo* info = header.GetFrameInfo(i);
        const CIntRect rect = FrameRect(info);
        CFrame* frame = nullptr;
        if (haveStrip && !rect.IsEmpty()) {
            frame = new CFrame;
            frame->CopyRectFrom(&strip, rect);
            rebuild.ApplyAll(frame);
            frame->SetOrigin(static_cast<int16_t>(std::clamp(info->m_upperLeftXOffset, -32768, 32767)),
                             static_cast<int16_t>(std::clamp(info->m_upperLeftYOffset, -32768, 32767)));
        }
        m_frames.push_back(frame);
    }
    SyncFrameCount();
    RecomputeBounds();

    // Written whether or not a cache was there, then stamped with the source's time: a cache left
    // from an older source must never pass for current.
    CSharedString cache;
    if (GetCacheFileName(cache, folder, name, stages) && SaveCache(cache.CStr()))
        CFileSystem::SetFileTimeStamp(cache.CStr(), CFileSystem::GetFileTimeStamp(source.CStr(), 0, FILE_TIME_LAST_WRITE),
                                      0, FILE_TIME_LAST_WRITE);
    return true;
}

bool CSequence::SaveSourceImage(const char* folder, const char* name, const CSequenceSourceOptions& options)
{
    CSequenceFrameInfoList header;
    header.m_wasRunLength = options.m_wasRunLength ? 1 : 0;
    header.m_flags = m_loadFlags;
    header.m_blitType = m_blitType;
    header.m_framesPerSecond = m_framesPerSecond;
    int32_t x = 0, height = 0;
    for (const CFrame* frame : m_frames) {
        if (!frame || frame->GetWidth() == 0 || frame->GetHeight() == 0) {
            header.AddFrameInfo(nullptr);
            continue;
        }
        auto* info = new CFrameInfo;
        info->m_left = x;
        info->m_right = x + frame->GetWidth();
        info->m_bottom = frame->GetHeight();
        info->m_upperLeftXOffset = frame->GetLeft();
        info->m_upperLeftYOffset = frame->GetTop();
        header.AddFrameInfo(info);
        x = info->m_right;
        height = std::max<int32_t>(height, frame->GetHeight());
    }

    CFrame strip;
    strip.Create(static_cast<uint32_t>(x), static_cast<uint32_t>(height), 32);
    if (!strip.GetPixels())
        return false;
    for (uint32_t i = 0; i < header.GetFrameInfoCount(); ++i)
        if (const CFrameInfo* info = header.GetFrameInfo(i))
            strip.DrawFrameAt(m_frames[i], info->m_left - info->m_upperLeftXOffset, info->m_top - info->m_upperLeftYOffset,
                              &g_copyBlitter);

    CSharedString path;
    GetSourceFileName(path, folder, name);
    CVirtualFile file;
    if (!file.Open(path.CStr(), VF_CREATE | VF_WRITE | VF_MAKE_FOLDERS))
        return false;
    const bool written = WriteHeader(file, header) &&
                         strip.WriteSourceImageBest(file, static_cast<int>(options.m_quality), options.m_lossless);
    if (!written && file.GetStream())
        file.GetStream()->MarkWriteFailed();
    return file.Close() && written;
}
