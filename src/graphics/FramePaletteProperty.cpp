#include "graphics/FramePaletteProperty.h"

#include "graphics/PaletteHolder.h"
#include "objects/ItemList.h"
#include "objects/ObjectTextStream.h"

#include <cstring>

namespace {

constexpr uint32_t kMaxClassNameLength = 99;

const char* SkipLineBlanks(const char* text)
{
    while (*text == '\t' || *text == ' ' || *text == '\r' || *text == '\n')
        ++text;
    return text;
}

bool NamesHolderClass(const char* text)
{
    return CItemList::NamesEqual(text, CPaletteHolder::GetStaticClassRecord()->GetName());
}

// Skips the block that follows an object's class name ("{" ... "}", nested braces counted). A
// line that does not open a block is left unread.
void SkipObjectBlock(CObjectTextStream& stream)
{
    int32_t start = stream.GetPosition();
    CSharedString line;
    if (!stream.ReadNonBlankTextLine(line) || SkipLineBlanks(line.CStr())[0] != '{') {
        stream.Seek(static_cast<uint32_t>(start));
        return;
    }
    uint32_t depth = 1;
    while (depth > 0 && stream.ReadNonBlankTextLine(line)) {
        const char* text = SkipLineBlanks(line.CStr());
        if (text[0] == '{')
            ++depth;
        else if (text[0] == '}')
            --depth;
    }
}

} // namespace

CFramePaletteProperty::CFramePaletteProperty(const char* name)
    : CPropertyDescriptor(name, nullptr, 0, sizeof(CPaletteHolder*), 0)
{
}

CPropertyDescriptor* CFramePaletteProperty::Clone() const
{
    return new CFramePaletteProperty(*this);
}

bool CFramePaletteProperty::IsSimpleValue() const
{
    return false;
}

CPaletteHolder* CFramePaletteProperty::GetHolder(const CObject* object) const
{
    return LoadMember<CPaletteHolder*>(object);
}

void CFramePaletteProperty::SetHolder(CObject* object, CPaletteHolder* holder) const
{
    CPaletteHolder* old = GetHolder(object);
    if (old == holder)
        return;
    delete old;
    StoreMember(object, holder);
}

void CFramePaletteProperty::CopyValue(CObject* destination, const CObject* source,
                                      const CPropertyDescriptor& sourceDescriptor) const
{
    CPaletteHolder* theirs = nullptr;
    std::memcpy(&theirs, reinterpret_cast<const char*>(source) + sourceDescriptor.GetOffset(), sizeof(theirs));
    if (theirs == GetHolder(destination))
        return;
    CPaletteHolder* copy = nullptr;
    if (theirs) {
        copy = new CPaletteHolder;
        copy->GetTable().CopyFrom(theirs->GetTable());
    }
    SetHolder(destination, copy);
}

void CFramePaletteProperty::InitMember(CObject* object) const
{
    StoreMember<CPaletteHolder*>(object, nullptr);
}

void CFramePaletteProperty::DestroyMember(CObject* object) const
{
    SetHolder(object, nullptr);
}

void CFramePaletteProperty::SetDefault(CObject* object) const
{
    SetHolder(object, nullptr);
}

void CFramePaletteProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    out.AssignText(GetHolder(object) ? CPaletteHolder::GetStaticClassRecord()->GetName() : "");
}

void CFramePaletteProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    if (!GetHolder(object)) {
        stream.WriteLine("");
        return;
    }
    // The holder has no reflected properties: its block is empty.
    stream.WriteLine(CPaletteHolder::GetStaticClassRecord()->GetName());
    stream.WriteLine("{");
    stream.Indent();
    stream.Outdent();
    stream.WriteLine("}");
}

void CFramePaletteProperty::ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const
{
    if (!value || !*value) {
        SetHolder(object, nullptr);
        return;
    }
    if (NamesHolderClass(value)) {
        if (!GetHolder(object))
            StoreMember(object, new CPaletteHolder);
    } else {
        SetHolder(object, nullptr);
    }
    SkipObjectBlock(stream);
}

bool CFramePaletteProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    return WriteCountedText(stream, GetHolder(object) ? CPaletteHolder::GetStaticClassRecord()->GetName() : "");
}

bool CFramePaletteProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    SetHolder(object, nullptr);
    CSharedString name;
    if (!ReadCountedText(stream, name, kMaxClassNameLength))
        return false;
    if (name.GetLength() == 0)
        return true;
    if (!NamesHolderClass(name.CStr()))
        return false;
    StoreMember(object, new CPaletteHolder);
    return true;
}
