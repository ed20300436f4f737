#include "graphics/JpegCodec.h"

#include "blit/modes/CopyBlitter.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

// The library's errors return through longjmp. The functions that call it therefore hold no
// object with a destructor while the library runs; what they allocate is freed by hand.

namespace {

constexpr size_t kChunk = 4096;

struct ErrorManager
{
    jpeg_error_mgr m_base;
    std::jmp_buf m_jump;
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->m_jump, 1);
}

void OutputMessage(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    ShowMessageBox("JPEG Error", text);
}

void SetUpErrors(ErrorManager& errors, jpeg_common_struct& info)
{
    info.err = jpeg_std_error(&errors.m_base);
    errors.m_base.error_exit = ErrorExit;
    errors.m_base.output_message = OutputMessage;
}

// Feeds the library from a memory block in chunks; at the end of the data a stream that has
// begun gets a warning and an end-of-image code, an empty one an error.
struct MemorySource
{
    jpeg_source_mgr m_base;
    const uint8_t* m_data;
    size_t m_length;
    size_t m_offset;
    JOCTET* m_buffer;
    bool m_startOfFile;
};

void InitSource(j_decompress_ptr info)
{
    reinterpret_cast<MemorySource*>(info->src)->m_startOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<MemorySource*>(info->src);
    size_t n = source->m_length - source->m_offset;
    if (n > kChunk)
        n = kChunk;
    if (n > 0) {
        std::memcpy(source->m_buffer, source->m_data + source->m_offset, n);
        source->m_offset += n;
    } else {
        if (source->m_startOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        source->m_buffer[0] = 0xFF;
        source->m_buffer[1] = JPEG_EOI;
        n = 2;
    }
    source->m_base.next_input_byte = source->m_buffer;
    source->m_base.bytes_in_buffer = n;
    source->m_startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    auto* source = reinterpret_cast<MemorySource*>(info->src);
    size_t n = static_cast<size_t>(count);
    while (n > source->m_base.bytes_in_buffer) {
        n -= source->m_base.bytes_in_buffer;
        FillInputBuffer(info);
    }
    source->m_base.next_input_byte += n;
    source->m_base.bytes_in_buffer -= n;
}

void TermSource(j_decompress_ptr)
{
}

void InstallMemorySource(j_decompress_ptr info, const uint8_t* bytes, size_t length)
{
    auto* source = static_cast<MemorySource*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(MemorySource)));
    source->m_buffer = static_cast<JOCTET*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, kChunk));
    source->m_data = bytes;
    source->m_length = length;
    source->m_offset = 0;
    source->m_startOfFile = true;
    source->m_base.init_source = InitSource;
    source->m_base.fill_input_buffer = FillInputBuffer;
    source->m_base.skip_input_data = SkipInputData;
    source->m_base.resync_to_restart = jpeg_resync_to_restart;
    source->m_base.term_source = TermSource;
    source->m_base.bytes_in_buffer = 0;
    source->m_base.next_input_byte = nullptr;
    info->src = &source->m_base;
}

// Writes the library's output to a virtual file in chunks; a short write is a library error.
struct FileDestination
{
    jpeg_destination_mgr m_base;
    CVirtualFile* m_file;
    JOCTET* m_buffer;
};

void InitDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<FileDestination*>(info->dest);
    destination->m_buffer = static_cast<JOCTET*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, kChunk));
    destination->m_base.next_output_byte = destination->m_buffer;
    destination->m_base.free_in_buffer = kChunk;
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<FileDestination*>(info->dest);
    if (destination->m_file->Write(destination->m_buffer, kChunk) != kChunk)
        ERREXIT(info, JERR_FILE_WRITE);
    destination->m_base.next_output_byte = destination->m_buffer;
    destination->m_base.free_in_buffer = kChunk;
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<FileDestination*>(info->dest);
    const uint32_t used = static_cast<uint32_t>(kChunk - destination->m_base.free_in_buffer);
    if (used > 0 && destination->m_file->Write(destination->m_buffer, used) != used)
        ERREXIT(info, JERR_FILE_WRITE);
}

void InstallFileDestination(j_compress_ptr info, CVirtualFile& file)
{
    auto* destination = static_cast<FileDestination*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(FileDestination)));
    destination->m_file = &file;
    destination->m_buffer = nullptr;
    destination->m_base.init_destination = InitDestination;
    destination->m_base.empty_output_buffer = EmptyOutputBuffer;
    destination->m_base.term_destination = TermDestination;
    info->dest = &destination->m_base;
}

} // namespace

uint8_t* ReadJpegFromMemory(const uint8_t* bytes, size_t length, uint32_t& width, uint32_t& height)
{
    width = 0;
    height = 0;
    jpeg_decompress_struct info;
    ErrorManager errors;
    uint8_t* volatile pixels = nullptr;
    SetUpErrors(errors, *reinterpret_cast<jpeg_common_struct*>(&info));
    if (setjmp(errors.m_jump)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    InstallMemorySource(&info, bytes, bytes ? length : 0);
    jpeg_read_header(&info, TRUE);
    // Sizes are checked before the library allocates anything for the image.
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK || info.image_width > 0xFFFF ||
        info.image_height > 0xFFFF || static_cast<uint64_t>(info.image_width) * info.image_height > kMaxJpegPixels) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const uint32_t w = info.output_width;
    const uint32_t h = info.output_height;
    if (info.output_components != 3 || w == 0 || h == 0 || w > 0xFFFF || h > 0xFFFF ||
        static_cast<uint64_t>(w) * h > kMaxJpegPixels) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(w) * h * 3));
    if (!pixels) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, w * 3, 1);
    while (info.output_scanline < h) {
        uint8_t* to = pixels + static_cast<size_t>(info.output_scanline) * w * 3;
        if (jpeg_read_scanlines(&info, row, 1) != 1)
            break;
        for (uint32_t x = 0; x < w; ++x) {
            to[x * 3] = row[0][x * 3 + 2];
            to[x * 3 + 1] = row[0][x * 3 + 1];
            to[x * 3 + 2] = row[0][x * 3];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    width = w;
    height = h;
    return pixels;
}

bool ReadJpegSize(const uint8_t* bytes, size_t length, uint32_t& width, uint32_t& height)
{
    width = 0;
    height = 0;
    jpeg_decompress_struct info;
    ErrorManager errors;
    SetUpErrors(errors, *reinterpret_cast<jpeg_common_struct*>(&info));
    // The decode that follows shows the stream's warnings; a look at its size keeps quiet.
    errors.m_base.output_message = [](j_common_ptr) {};
    if (setjmp(errors.m_jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    InstallMemorySource(&info, bytes, bytes ? length : 0);
    jpeg_read_header(&info, TRUE);
    width = info.image_width;
    height = info.image_height;
    jpeg_destroy_decompress(&info);
    return true;
}

uint8_t* ReadJpegFromFile(CVirtualFile& file, uint32_t& width, uint32_t& height)
{
    width = 0;
    height = 0;
    const int32_t position = file.GetPosition();
    const uint32_t size = file.GetSize();
    if (position < 0 || static_cast<uint32_t>(position) > size)
        return nullptr;
    std::vector<uint8_t> bytes(size - static_cast<uint32_t>(position));
    const uint32_t got = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return ReadJpegFromMemory(bytes.data(), got, width, height);
}

bool LoadJpegIntoFrame(CFrame& frame, CVirtualFile& file)
{
    uint32_t width, height;
    uint8_t* pixels = ReadJpegFromFile(file, width, height);
    if (!pixels)
        return false;
    frame.Create(width, height, 24);
    const bool made = frame.GetPixels() != nullptr;
    if (made)
        std::memcpy(frame.GetPixels(), pixels, static_cast<size_t>(width) * height * 3);
    std::free(pixels);
    return made;
}

bool WriteJpegToFile(CVirtualFile& file, const uint8_t* rgb, uint32_t width, uint32_t height, int quality)
{
    if (!rgb || width == 0 || height == 0)
        return false;
    jpeg_compress_struct info;
    ErrorManager errors;
    SetUpErrors(errors, *reinterpret_cast<jpeg_common_struct*>(&info));
    if (setjmp(errors.m_jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    InstallFileDestination(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<size_t>(info.next_scanline) * width * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool WriteFrameJpeg(CFrameInterface& frame, CVirtualFile& file, int quality)
{
    const uint32_t width = frame.GetWidth();
    const uint32_t height = frame.GetHeight();
    if (width == 0 || height == 0 || !frame.GetPixels())
        return false;
    CFrame converted;
    CFrameInterface* source = &frame;
    const uint32_t depth = frame.GetBitsPerPixel();
    const bool plain = (frame.GetFormatFlags() & kFrameRunLengthMask) == 0;
    if (!plain || (depth != 24 && depth != 32)) {
        // Palette indices without a palette convert to nothing: a black picture is no success.
        if (depth == 8 && !frame.HasPalette())
            return false;
        converted.Create(width, height, 24);
        CIntRect bounds;
        frame.GetBounds(bounds);
        if (!converted.Blit(&frame, bounds, CIntRect{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)},
                            &g_copyBlitter))
            return false;
        source = &converted;
    }
    const uint32_t bytes = source->GetBytesPerPixel();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    uint8_t* to = rgb.data();
    for (uint32_t row = 0; row < height; ++row) {
        const uint8_t* from = source->GetPixels() + static_cast<size_t>(source->GetRowOffsets()[row]) * bytes;
        for (uint32_t x = 0; x < width; ++x, from += bytes, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return WriteJpegToFile(file, rgb.data(), width, height, quality);
}
