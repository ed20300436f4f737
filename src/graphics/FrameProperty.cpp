#include "graphics/FrameProperty.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/TextUtilities.h"
#include "foundation/VirtualFile.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "objects/ObjectTextStream.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

uint8_t* RowAddress(CFrame& frame, uint32_t row)
{
    return frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[row]) * frame.GetBytesPerPixel();
}

} // namespace

CFrameProperty::CFrameProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags,
                               uint32_t defaultWidth, uint32_t defaultHeight, uint32_t defaultDepth, uint32_t maxSide)
    : CPropertyDescriptor(name, nullptr, offset, size, flags)
    , m_defaultWidth(defaultWidth)
    , m_defaultHeight(defaultHeight)
    , m_defaultDepth(defaultDepth)
    , m_maxSide(std::min(maxSide, kLargestSide))
{
}

CPropertyDescriptor* CFrameProperty::Clone() const
{
    return new CFrameProperty(*this);
}

bool CFrameProperty::IsSimpleValue() const
{
    return false;
}

CFrame* CFrameProperty::GetFrame(CObject* object) const
{
    return static_cast<CFrame*>(MemberAddress(object));
}

const CFrame* CFrameProperty::GetFrame(const CObject* object) const
{
    return static_cast<const CFrame*>(MemberAddress(object));
}

void CFrameProperty::CopyValue(CObject* destination, const CObject* source,
                               const CPropertyDescriptor& sourceDescriptor) const
{
    CFrame* to = GetFrame(destination);
    auto* from = static_cast<CFrame*>(const_cast<void*>(AddressAt(source, sourceDescriptor.GetOffset())));
    to->CopyPropertiesFrom(from);
    // The pixels travel as a frame block, which copies every format whole.
    CVirtualFile copy;
    copy.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    if (from->WriteFrameBlock(copy) && copy.Seek(0))
        to->ReadFrameBlock(copy);
    else
        to->FreePixels();
}

void CFrameProperty::SetDefault(CObject* object) const
{
    CFrame* frame = GetFrame(object);
    frame->Create(m_defaultWidth, m_defaultHeight, m_defaultDepth);
    CColor black;
    black.ResetToBlackIndexOne();
    frame->FillWithColor(black);
}

void CFrameProperty::FixUpAfterLoad(CObject* object) const
{
    GetFrame(object)->FixUpAfterLoad();
}

void CFrameProperty::FormatValue(const CObject*, CSharedString& out) const
{
    out.Clear();
}

void CFrameProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    auto* frame = const_cast<CFrame*>(GetFrame(object));
    char header[64];
    std::snprintf(header, sizeof header, "CFrame(%d,%d,%d)", frame->GetWidth(), frame->GetHeight(),
                  static_cast<int>(frame->GetBitsPerPixel()));
    stream.WriteLine(header);
    stream.WriteLine("{");
    stream.Indent();
    const bool plain = frame->GetPixels() && frame->GetRowOffsets() &&
                       (frame->GetFormatFlags() & kFrameRunLengthMask) == 0;
    const size_t rowBytes = static_cast<size_t>(frame->GetWidth()) * frame->GetBytesPerPixel();
    std::string line;
    for (uint32_t row = 0; plain && row < frame->GetHeight(); ++row) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        const uint8_t* at = RowAddress(*frame, row);
        line.clear();
        for (size_t i = 0; i < rowBytes; ++i) {
            line.push_back(kDigits[at[i] >> 4]);
            line.push_back(kDigits[at[i] & 15]);
        }
        stream.WriteLine(line.c_str());
    }
    stream.Outdent();
    stream.WriteLine("}");
}

void CFrameProperty::ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const
{
    int width = -1, height = -1, depth = -1;
    const bool named = value && std::strncmp(SkipWhitespace(value), "CFrame(", 7) == 0 &&
                       std::sscanf(SkipWhitespace(value), "CFrame(%d,%d,%d)", &width, &height, &depth) == 3;
    const int most = static_cast<int>(m_maxSide);
    const bool sane = named && width >= 0 && width <= most && height >= 0 && height <= most &&
                      (depth == 8 || depth == 16 || depth == 24 || depth == 32);
    CFrame* frame = GetFrame(object);
    if (sane)
        frame->Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), static_cast<uint32_t>(depth));
    if (!sane || (width > 0 && height > 0 && !frame->GetPixels())) {
        stream.MarkDamaged();
        stream.SkipNestedBlock();
        return;
    }

    CSharedString line;
    stream.ReadTextLine(line); // "{"
    const size_t rowBytes = static_cast<size_t>(width) * frame->GetBytesPerPixel();
    for (int row = 0; row < height; ++row) {
        if (!stream.ReadTextLine(line))
            return;
        const char* text = line.CStr();
        while (*text == ' ' || *text == '\t')
            ++text;
        if (*text == '}')
            return;
        uint8_t* at = RowAddress(*frame, static_cast<uint32_t>(row));
        for (size_t i = 0; i < rowBytes; ++i, text += 2) {
            const int high = HexDigit(text[0]);
            const int low = high < 0 ? -1 : HexDigit(text[1]);
            if (low < 0)
                break;
            at[i] = static_cast<uint8_t>(high * 16 + low);
        }
    }
    stream.ReadTextLine(line); // "}"
}

bool CFrameProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    return const_cast<CFrame*>(GetFrame(object))->WriteFrameBlock(stream);
}

bool CFrameProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    CFrame* frame = GetFrame(object);
    return frame->ReadFrameBlock(stream) && frame->GetWidth() <= m_maxSide && frame->GetHeight() <= m_maxSide;
}
