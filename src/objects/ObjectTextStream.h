#pragma once
// The file that objects are written to and read from in the object text format: a virtual file
// whose lines are read whole, however long they are.
//
// Objects may carry identifiers and a list of referenced identifiers when a stream tracks object
// references; every stream of the program is opened with tracking off, so the reader only
// recognises those lines and the writer never writes them.
#include "foundation/VirtualFile.h"

class CFileBuf;

class CObjectTextStream : public CVirtualFile
{
public:
    CObjectTextStream();
    ~CObjectTextStream() override;

    bool Open(const char* name, uint32_t flags, bool trackingOff = true);
    // Adopts the memory stream (it is deleted when the file closes).
    bool OpenMemory(CFileBuf* stream, uint32_t flags, bool trackingOff = true);
    bool Close() override;

    bool IsTrackingOff() const { return m_trackingOff; }

    // The next line without its line end (CR LF, LF, CR, LF CR or CR CR LF); the last line of the
    // data is delivered with or without a line end. False at the end of the data.
    bool ReadTextLine(CSharedString& line);
    // The next line holding something other than TAB, space, CR and LF; false at the end.
    bool ReadNonBlankTextLine(CSharedString& line);
    // Skips the nested block that may follow: when the next non-blank line begins with "{", reads
    // up to its matching "}" (or the end) and answers true; otherwise puts that line back.
    bool SkipNestedBlock();

private:
    bool m_trackingOff = true;
    bool m_finished = false;
};
