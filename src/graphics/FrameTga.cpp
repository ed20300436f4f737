// CFrame's TGA loading and saving, and the frames' default load stages.
#include "blit/modes/CopyBlitter.h"
#include "foundation/FileSystem.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/TgaImage.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool s_rewriteUncompressed = false;
bool s_loading = false;

// The file bytes of every load, kept between loads.
std::vector<uint8_t>& SharedBuffer()
{
    static std::vector<uint8_t> s_buffer;
    return s_buffer;
}

// One load at a time: the shared buffer belongs to the load under way.
class LoadScope
{
public:
    LoadScope()
    {
        if (s_loading)
            FatalExit("Fatal Error loading a Frame", "There was load recursion in the TGA loader");
        s_loading = true;
    }
    ~LoadScope() { s_loading = false; }
    LoadScope(const LoadScope&) = delete;
    LoadScope& operator=(const LoadScope&) = delete;
};

void BuildDefaultList(CFrameLoadStage& list)
{
    for (int32_t request : {kStageAlphaThreshold, kStageCrop, kStageUnpremultiply, kRequestDitheredDepthConvert,
                            kStageRunLength})
        list.AddStage(request);
}

// The developer switch's rewrite of an uncompressed file as a run-length one.
void RewriteCompressed(const char* fileName, uint32_t openMode, const std::vector<uint8_t>& bytes, uint8_t bitsPerPixel)
{
    if (!CFileSystem::IsFileWritable(fileName, openMode)) {
        const std::string text = std::string("'") + fileName +
                                 "' is an uncompressed TGA and is write protected."
                                 "  The game automatically creates compressed TGAs when it finds uncompressed ones."
                                 "  This TGA was checked into source safe without being run in the game."
                                 "  You need to check it out and re-run the game.";
        FatalExit("Fatal Error loading a frame", text.c_str());
    }
    CFrame decoded;
    if (ReadTga(decoded, bytes.data(), static_cast<uint32_t>(bytes.size()), fileName, nullptr, bitsPerPixel))
        decoded.SaveTga(fileName, openMode);
}

} // namespace

void CFrame::SetUncompressedTgaRewrite(bool enabled)
{
    s_rewriteUncompressed = enabled;
}

CFrameLoadStage* CFrame::GetDefaultLoadStages()
{
    static CFrameLoadStage s_list;
    s_list.Clear();
    BuildDefaultList(s_list);
    return &s_list;
}

bool CFrame::LoadTga(const char* fileName, CFrameLoadStage* stages, const CPaletteTable* palette, uint32_t openMode)
{
    CFrameLoadStage local;
    if (!stages) {
        BuildDefaultList(local);
        stages = &local;
    }
    LoadScope scope;
    CVirtualFile file;
    if (!fileName || !file.Open(fileName, openMode | VF_READ))
        return false;
    std::vector<uint8_t>& buffer = SharedBuffer();
    const uint32_t size = file.GetSize();
    if (size > buffer.capacity())
        buffer.reserve(std::max<size_t>({size, 65536, buffer.capacity() * 2}));
    buffer.resize(size);
    const bool read = size == 0 || file.Read(buffer.data(), size) == size;
    file.Close();
    DropPalette();
    if (!read)
        return false;

    CTgaHeader header;
    if (s_rewriteUncompressed && ReadTgaHeader(buffer.data(), size, header) &&
        header.m_imageType != kTgaRunLengthTrueColor)
        RewriteCompressed(fileName, openMode, buffer, header.m_bitsPerPixel);

    const bool decoded = ReadTga(*this, buffer.data(), size, fileName, nullptr, 32);
    if (decoded)
        stages->ApplyAll(this);
    if (palette)
        SetPalette(*palette);
    return decoded && m_pixels;
}

bool CFrame::SaveTga(const char* fileName, uint32_t openMode)
{
    if (GetBitsPerPixel() != 16)
        return WriteTga(*this, fileName, openMode);
    CFrame wide;
    wide.Create(m_width, m_height, 24);
    CIntRect bounds;
    GetBounds(bounds);
    if (!wide.Blit(this, bounds, CIntRect{0, 0, m_width, m_height}, &g_copyBlitter))
        return false;
    return WriteTga(wide, fileName, openMode);
}
