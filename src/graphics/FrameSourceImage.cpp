// CFrame's source image records: the 32-bit image a frame is rebuilt from when its cache is
// missing or out of date. Kind 1 (lossless): one zlib record of the red, green, blue and alpha
// planes, each delta-coded, then the width and height. Kind 0 (lossy): the length S of the JPEG
// part (counting S itself), the JPEG stream of the colours, then a zlib record of the delta-coded
// alpha plane.
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileBuf.h"
#include "foundation/FileSystem.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"
#include "graphics/JpegCodec.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr uint8_t kLossyRecord = 0;
constexpr uint8_t kLosslessRecord = 1;
constexpr int kRecordCompression = 9;

// Byte i >= 1 holds the difference to byte i - 1 (mod 256).
void DeltaEncode(uint8_t* bytes, size_t n)
{
    for (size_t i = n; i-- > 1;)
        bytes[i] = static_cast<uint8_t>(bytes[i] - bytes[i - 1]);
}

void DeltaDecode(uint8_t* bytes, size_t n)
{
    for (size_t i = 1; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(bytes[i] + bytes[i - 1]);
}

bool WriteU32(CVirtualFile& file, uint32_t value)
{
    return file.Write(&value, 4) == 4;
}

bool ReadU32(CVirtualFile& file, uint32_t& value)
{
    value = 0;
    return file.Read(&value, 4) == 4;
}

bool CopyWhole(CVirtualFile& from, CVirtualFile& to)
{
    const uint32_t size = from.GetSize();
    std::vector<uint8_t> bytes(size);
    from.Seek(0);
    return (size == 0 || from.Read(bytes.data(), size) == size) && (size == 0 || to.Write(bytes.data(), size) == size);
}

// ReadSourceImageSize from the file's position on, which it leaves anywhere.
bool ReadRecordSize(CVirtualFile& file, uint32_t& width, uint32_t& height)
{
    uint8_t kind = 0xFF;
    uint32_t rawLength = 0;
    if (file.Read(&kind, 1) != 1)
        return false;
    if (kind == kLosslessRecord)
        return CCompressedBlockCodec::Skip(file, rawLength) && ReadU32(file, width) && ReadU32(file, height) &&
               width <= 0xFFFF && height <= 0xFFFF && uint64_t{width} * height * 4 == rawLength;
    const int32_t start = file.GetPosition();
    uint32_t length = 0;
    if (kind != kLossyRecord || start < 0 || !ReadU32(file, length) || length < 4 ||
        static_cast<uint64_t>(start) + length > file.GetSize())
        return false;
    std::vector<uint8_t> stream(length - 4);
    return (stream.empty() || file.Read(stream.data(), length - 4) == length - 4) &&
           ReadJpegSize(stream.data(), stream.size(), width, height) && width <= 0xFFFF && height <= 0xFFFF &&
           CCompressedBlockCodec::Skip(file, rawLength) && uint64_t{width} * height == rawLength;
}

} // namespace

bool CFrame::ReadSourceImageSize(CVirtualFile& file, uint32_t& width, uint32_t& height)
{
    width = 0;
    height = 0;
    const int32_t start = file.GetPosition();
    if (start < 0)
        return false;
    const bool read = ReadRecordSize(file, width, height);
    file.Seek(static_cast<uint32_t>(start));
    if (!read)
        width = height = 0;
    return read;
}

bool CFrame::WriteSourceImage(CVirtualFile& file, int quality, bool lossless)
{
    if (!HasPlainPixels() || GetBitsPerPixel() != 32)
        return false;
    const size_t count = static_cast<size_t>(m_width) * m_height;
    if (count * 4 > UINT32_MAX)
        return false;
    const uint8_t kind = lossless ? kLosslessRecord : kLossyRecord;
    if (file.Write(&kind, 1) != 1)
        return false;

    // Planes in the order red, green, blue, alpha (bytes 2, 1, 0, 3 of each pixel).
    static constexpr int kPlaneBytes[4] = {2, 1, 0, 3};
    const int planeCount = lossless ? 4 : 1;
    const int firstPlane = lossless ? 0 : 3;
    std::vector<uint8_t> planes(count * planeCount);
    for (int p = 0; p < planeCount; ++p) {
        uint8_t* plane = planes.data() + count * p;
        for (uint32_t row = 0, i = 0; row < m_height; ++row) {
            const uint8_t* at = PixelAddress(0, row);
            for (uint32_t column = 0; column < m_width; ++column, ++i)
                plane[i] = at[column * 4 + kPlaneBytes[firstPlane + p]];
        }
        DeltaEncode(plane, count);
    }

    if (lossless) {
        return CCompressedBlockCodec::Write(file, planes.data(), static_cast<uint32_t>(planes.size()),
                                            kRecordCompression) &&
               WriteU32(file, m_width) && WriteU32(file, m_height);
    }
    const int32_t start = file.GetPosition();
    if (start < 0 || !WriteU32(file, 0))
        return false;
    const bool encoded = WriteFrameJpeg(*this, file, quality);
    const int32_t end = file.GetPosition();
    if (!encoded || end < start || !file.Seek(static_cast<uint32_t>(start)) ||
        !WriteU32(file, static_cast<uint32_t>(end - start)) || !file.Seek(static_cast<uint32_t>(end)))
        return false;
    return CCompressedBlockCodec::Write(file, planes.data(), static_cast<uint32_t>(planes.size()), kRecordCompression);
}

bool CFrame::WriteSourceImageBest(CVirtualFile& file, int quality, bool forceLossless)
{
    CVirtualFile lossless, lossy;
    lossless.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    lossy.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    if (!WriteSourceImage(lossless, quality, true))
        return false;
    const bool useLossy = !forceLossless && WriteSourceImage(lossy, quality, false) &&
                          PrefersLossyRecord(lossless.GetSize(), lossy.GetSize());
    return CopyWhole(useLossy ? lossy : lossless, file);
}

bool CFrame::PrefersLossyRecord(uint64_t losslessSize, uint64_t lossySize)
{
    return losslessSize > (lossySize * 5 + 1000) * 20 / 95;
}

bool CFrame::ReadSourceImage(CVirtualFile& file)
{
    FreePixels();
    DropPalette();
    uint8_t kind = 0xFF;
    if (file.Read(&kind, 1) != 1)
        return false;

    if (kind == kLosslessRecord) {
        uint32_t rawLength = 0;
        uint8_t* planes = CCompressedBlockCodec::Read(file, rawLength);
        uint32_t width = 0, height = 0;
        const bool sized = planes && ReadU32(file, width) && ReadU32(file, height);
        const uint64_t count = static_cast<uint64_t>(width) * height;
        if (!sized || width > 0xFFFF || height > 0xFFFF || count * 4 != rawLength) {
            std::free(planes);
            return false;
        }
        for (int p = 0; p < 4; ++p)
            DeltaDecode(planes + count * p, count);
        Create(width, height, 32);
        if (count != 0 && !m_pixels) {
            std::free(planes);
            return false;
        }
        for (uint64_t i = 0; i < count; ++i) {
            uint8_t* at = m_pixels + i * 4;
            at[0] = planes[count * 2 + i];
            at[1] = planes[count + i];
            at[2] = planes[i];
            at[3] = planes[count * 3 + i];
        }
        std::free(planes);
        return true;
    }
    if (kind != kLossyRecord)
        return false;

    const int32_t start = file.GetPosition();
    uint32_t length = 0;
    if (start < 0 || !ReadU32(file, length) || length < 4 ||
        static_cast<uint64_t>(start) + length > file.GetSize())
        return false;
    std::vector<uint8_t> stream(length - 4);
    if (!stream.empty() && file.Read(stream.data(), length - 4) != length - 4)
        return false;
    uint32_t width = 0, height = 0;
    uint8_t* colors = ReadJpegFromMemory(stream.data(), stream.size(), width, height);
    if (!colors)
        return false;
    uint32_t alphaLength = 0;
    uint8_t* alpha = file.Seek(static_cast<uint32_t>(start) + length) ? CCompressedBlockCodec::Read(file, alphaLength)
                                                                       : nullptr;
    const size_t count = static_cast<size_t>(width) * height;
    bool ok = alpha && alphaLength == count;
    if (ok) {
        DeltaDecode(alpha, count);
        Create(width, height, 32);
        ok = m_pixels != nullptr;
    }
    for (size_t i = 0; ok && i < count; ++i) {
        uint8_t* at = m_pixels + i * 4;
        at[0] = colors[i * 3];
        at[1] = colors[i * 3 + 1];
        at[2] = colors[i * 3 + 2];
        at[3] = alpha[i];
    }
    std::free(colors);
    std::free(alpha);
    if (!ok)
        FreePixels();
    return ok;
}

bool CFrame::LoadSourceImage(const char* folder, const char* name)
{
    const std::string path =
        std::string(CFileSystem::GetCacheFolderName()) + "/" + (folder ? folder : "") + "/" + (name ? name : "") + ".Frame";
    CVirtualFile file;
    if (!file.Open(path.c_str(), VF_READ))
        return false;
    uint32_t left = 0, top = 0;
    const bool read = ReadU32(file, left) && ReadU32(file, top) && ReadSourceImage(file);
    file.Close();
    if (read)
        SetOrigin(static_cast<int16_t>(left), static_cast<int16_t>(top));
    return read;
}
