// CObject's side of the object text format: one block per object, a class-name line, "{", one
// "label=value" line per property (inherited first) and "}", each line ended by CR LF and indented
// by TABs one level per nesting.
#include "foundation/FileBuf.h"
#include "foundation/FileSystem.h"
#include "foundation/OpenFlags.h"
#include "foundation/TextUtilities.h"
#include "objects/ClassRegistry.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/Object.h"
#include "objects/ObjectTextStream.h"
#include "objects/PropertyDescriptor.h"

#include <cstring>

void CObject::WriteToTextStream(CObjectTextStream& stream) const
{
    const CClassRecord* record = GetClassRecord();
    stream.WriteLine(record->GetName());
    stream.WriteLine("{");
    stream.Indent();
    for (uint32_t i = 0; i < record->GetPropertyCount(); ++i) {
        const CPropertyDescriptor* descriptor = record->GetProperty(i);
        if (descriptor->GetLabel().IsEmpty() || !descriptor->ShouldWrite(this))
            continue;
        stream.WriteText(descriptor->GetLabel().CStr());
        stream.WriteText("=");
        descriptor->WriteText(this, stream);
    }
    WriteCustomProperties(stream);
    stream.Outdent();
    stream.WriteLine("}");
}

bool CObject::ReadPropertyBlock(CObjectTextStream& stream)
{
    const CClassRecord* record = GetClassRecord();
    CSharedString line;
    if (!stream.ReadNonBlankTextLine(line))
        return false;
    const char* text = SkipWhitespace(line.CStr());
    if (std::strcmp(text, "{") != 0) {
        // A class-name line: this object's class or one of its bases.
        CSharedString className(text);
        className.TrimRight();
        CClassRecord* named = CClassRegistry::GetInstance()->Find(className.CStr());
        if (!named || !record->IsKindOf(named))
            return false;
        if (!stream.ReadNonBlankTextLine(line))
            return false;
        if (std::strcmp(SkipWhitespace(line.CStr()), "{") != 0)
            return false;
    }

    // Identifier lines are recognised only at the head of the block.
    bool atHead = true;
    CSharedString label;
    CSharedString unqualified;
    while (stream.ReadNonBlankTextLine(line)) {
        text = SkipWhitespace(line.CStr());
        if (*text == '}')
            return std::strcmp(text, "}") == 0;
        if (*text == '{') {
            CSharedString message;
            message.Format("Found unexpected '{' while parsing class \"%s\".  ReadCustomProperties was likely "
                           "overridden without calling through to the base class for unhandled properties.",
                           record->GetName());
            stream.ReportFatalDamage("Fatal Error", message.CStr());
            return false;
        }
        const char* equals = std::strchr(text, '=');
        if (!equals) {
            stream.NoteSkippedLine();
            continue;
        }
        label.AssignChars(text, static_cast<int>(equals - text));
        const char* value = equals + 1;
        bool wasAtHead = atHead;
        atHead = false;

        if (wasAtHead && CItemList::NamesEqual(label.CStr(), "Object ID"))
            continue; // with reference tracking off, identifiers are not kept
        if (CPropertyDescriptor* descriptor = record->FindProperty(label.CStr())) {
            descriptor->ParseValue(this, value, stream);
            continue;
        }
        if (const char* colons = std::strstr(label.CStr(), "::")) {
            unqualified.AssignText(colons + 2);
            label = unqualified;
            if (CPropertyDescriptor* descriptor = record->FindProperty(label.CStr())) {
                descriptor->ParseValue(this, value, stream);
                continue;
            }
        }
        if (CItemList::NamesEqual(label.CStr(), "Referenced Object List Location")) {
            // The list only matters with reference tracking on; an identifier may follow.
            atHead = wasAtHead;
            continue;
        }
        ReadCustomProperties(label.CStr(), value, stream);
    }
    return false;
}

bool CObject::ReadFromTextStream(CObjectTextStream& stream)
{
    BeginRead();
    SetPropertiesToDefaults();
    bool ok = ReadPropertyBlock(stream);
    if (ok)
        NotifyLoaded(true);
    return ok;
}

bool CObject::LoadFromFile(const char* path, uint32_t flags)
{
    CObjectTextStream stream;
    if (!stream.Open(path, flags | VF_READ)) {
        SetPropertiesToDefaults();
        return false;
    }
    bool ok;
    {
        CCurrentObjectFileNameScope scope(path);
        ok = ReadFromTextStream(stream);
    }
    stream.Close();
    return ok;
}

CObject* CObject::CreateFromFile(const char* path, uint32_t flags, bool resave, CObject** out)
{
    if (out)
        *out = nullptr;
    CObjectTextStream stream;
    if (!stream.Open(path, flags | VF_IN_MEMORY | VF_READ))
        return nullptr;
    CCurrentObjectFileNameScope scope(path);
    CSharedString className;
    if (!stream.ReadNonBlankTextLine(className))
        return nullptr;
    // Blanks around the class name are not part of it.
    className.TrimLeft();
    className.TrimRight();
    CObject* object = CClassRegistry::GetInstance()->CreateObject(className.CStr());
    if (!object)
        return nullptr;
    if (out)
        *out = object;
    bool ok = object->ReadFromTextStream(stream);
    stream.Close();
    if (!ok) {
        delete object;
        if (out)
            *out = nullptr;
        return nullptr;
    }
    if (resave)
        object->SaveToFile(path, 0);
    return object;
}

bool CObject::SaveToFile(const char* path, uint32_t flags) const
{
    if (!CFileSystem::IsFileWritable(path, flags))
        return false;

    if (flags & VF_COMPRESSED) {
        CObjectTextStream file;
        if (!file.Open(path, flags | VF_CREATE | VF_WRITE))
            return false;
        WriteToTextStream(file);
        return file.Close();
    }

    CObjectTextStream text;
    text.OpenMemory(new CFileBuf, flags | VF_CREATE | VF_WRITE);
    WriteToTextStream(text);

    // An unchanged file is left alone, so its time stamp keeps telling when its text last changed.
    CVirtualFile existing;
    if (existing.Open(path, flags | VF_READ)) {
        bool same = text.ContentEquals(existing);
        existing.Close();
        if (same)
            return true;
    }
    CVirtualFile file;
    if (!file.Open(path, flags | VF_CREATE | VF_WRITE))
        return false;
    bool copied = text.CopyTo(file, nullptr);
    bool closed = file.Close();
    return copied && closed;
}
