#pragma once
// A property whose member is a whole CFrame held by value: a small picture stored inside an
// object's property file. In text the value is "CFrame(width,height,bits)" followed by a block of
// one line of upper-case hexadecimal bytes per row; in binary it is a frame block.
#include "graphics/Frame.h"
#include "objects/PropertyDescriptor.h"

class CFrameProperty : public CPropertyDescriptor
{
public:
    // maxSide bounds the width and the height a file may give the frame.
    template <class Class>
    CFrameProperty(const char* name, CFrame Class::*member, uint32_t flags, uint32_t defaultWidth,
                   uint32_t defaultHeight, uint32_t defaultDepth, uint32_t maxSide = kLargestSide);
    CFrameProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags, uint32_t defaultWidth,
                   uint32_t defaultHeight, uint32_t defaultDepth, uint32_t maxSide = kLargestSide);
    static constexpr uint32_t kLargestSide = 0xFFFF;

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    // The destination frame takes the source's properties and a copy of its pixels.
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    // A frame of the default size and depth filled with black of palette index 1.
    void SetDefault(CObject* object) const override;
    void FixUpAfterLoad(CObject* object) const override;
    // No one-line form.
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void WriteText(const CObject* object, CObjectTextStream& stream) const override;
    // Refuses (marking the stream damaged and skipping the block) a value that is not
    // "CFrame(w,h,bits)" with bits 8, 16, 24 or 32 and sizes up to the bound, before anything is
    // allocated, or whose pixels cannot be had. A block that ends early leaves the remaining rows
    // zero.
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    // False for a frame block past the bound too.
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;

private:
    CFrame* GetFrame(CObject* object) const;
    const CFrame* GetFrame(const CObject* object) const;

    uint32_t m_defaultWidth;
    uint32_t m_defaultHeight;
    uint32_t m_defaultDepth;
    uint32_t m_maxSide;
};

template <class Class>
CFrameProperty::CFrameProperty(const char* name, CFrame Class::*member, uint32_t flags, uint32_t defaultWidth,
                               uint32_t defaultHeight, uint32_t defaultDepth, uint32_t maxSide)
    : CFrameProperty(name, MemberOffset(member), sizeof(CFrame), flags, defaultWidth, defaultHeight, defaultDepth,
                     maxSide)
{
}
