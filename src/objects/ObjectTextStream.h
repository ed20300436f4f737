#pragma once
// The file that objects are written to and read from in the object text format: a virtual file
// whose lines are read whole, however long they are.
//
// Objects may carry identifiers and a list of referenced identifiers when a stream tracks object
// references; every stream of the program is opened with tracking off, so the reader only
// recognises those lines and the writer never writes them.
#include "foundation/VirtualFile.h"

#include <utility>
#include <vector>

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

    // Damage in the text that ends the program by default (a stray "{", a class that a property
    // may not hold) is only recorded when the stream tolerates it: the reader then goes on as best
    // it can, and the caller, seeing IsDamaged, throws away what was read. Files whose damage must
    // not stop the program are read this way. Opening a stream clears the record, not the setting.
    void SetDamageTolerated(bool tolerated) { m_damageTolerated = tolerated; }
    bool IsDamageTolerated() const { return m_damageTolerated; }
    // Ends the program with the report, or, when damage is tolerated, only records it.
    void ReportFatalDamage(const char* caption, const char* text);
    // Records damage that the reader goes past in any case (a nested block cut short, an array
    // holding fewer items than it announced); it matters only to a caller that asks IsDamaged.
    void MarkDamaged() { m_damaged = true; }
    bool IsDamaged() const { return m_damaged; }
    // Counts the property lines the reader went past without using them (an unknown label, a line
    // without "="), which it skips as the format allows; a caller that writes the object back
    // over its file asks, so as to keep what it could not read. Opening a stream clears the count.
    void NoteSkippedLine() { ++m_skippedLines; }
    uint32_t GetSkippedLineCount() const { return m_skippedLines; }

    // What a read may cost. Arrays make default items for counts beyond the items their text
    // lists (the items a short array announces but never gives); every array the stream reads
    // draws them from one budget, so that no text, however small, asks for more than that. Items
    // the text lists cost their own lines and are not drawn from it.
    static constexpr uint32_t kDefaultItemBudget = 65536;
    // Takes up to wanted default items from the budget and answers how many it granted; a
    // shortfall marks the stream damaged.
    uint32_t TakeDefaultItems(uint32_t wanted);
    // Counts n more items of a kind bounded in the whole stream (the games of every profile of a
    // statistics file): false, counting nothing, when they would take the kind past limit.
    bool CountBoundedItems(const void* kind, uint32_t n, uint32_t limit);
    // Ends the read where it is: the stream is damaged and reads as ended from here on, so every
    // block still open fails. For text past a bound the caller refuses anyway.
    void StopReading();

    // The next line without its line end (CR LF, LF, CR, LF CR or CR CR LF); the last line of the
    // data is delivered with or without a line end. False at the end of the data.
    bool ReadTextLine(CSharedString& line);
    // The next line holding something other than TAB, space, CR and LF; false at the end.
    bool ReadNonBlankTextLine(CSharedString& line);
    // Skips the nested block that may follow: when the next non-blank line begins with "{", reads
    // up to its matching "}" (or the end) and answers true; otherwise puts that line back.
    bool SkipNestedBlock();

private:
    void ResetReadState();
    bool ReadLine(CSharedString& line, bool skipBlank);
    // A line of a stream that is not in memory, read in chunks.
    bool ReadStreamedLine(CSharedString& line);

    bool m_trackingOff = true;
    bool m_finished = false;
    bool m_damageTolerated = false;
    bool m_damaged = false;
    bool m_stopped = false;
    uint32_t m_skippedLines = 0;
    uint32_t m_defaultItemsLeft = kDefaultItemBudget;
    std::vector<std::pair<const void*, uint32_t>> m_boundedItemCounts;
};
