#pragma once
// Object text streams over memory, for tests.
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/Object.h"
#include "objects/ObjectTextStream.h"

#include <string>

// Opens stream for reading over a copy of the bytes.
inline void OpenTextForReading(CObjectTextStream& stream, const std::string& bytes)
{
    CFileBuf* buffer = new CFileBuf;
    buffer->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    buffer->Seek(0);
    stream.OpenMemory(buffer, VF_READ);
}

// The bytes written so far into a stream opened over memory.
inline std::string WrittenText(CObjectTextStream& stream)
{
    uint32_t size = stream.GetSize();
    std::string bytes(size, '\0');
    int32_t position = stream.GetPosition();
    stream.Seek(0);
    stream.Read(bytes.data(), size);
    stream.Seek(static_cast<uint32_t>(position));
    return bytes;
}

// The object's text form, as the writer writes it.
inline std::string TextOf(const CObject& object)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    object.WriteToTextStream(stream);
    return WrittenText(stream);
}

// Reads one object block (defaults first) from the text.
inline bool ReadText(CObject& object, const std::string& text)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, text);
    return object.ReadFromTextStream(stream);
}
