// Reads arbitrary bytes as a localisation table. Every pair read must be found again by its key,
// and translating through the table must never touch memory it does not own.
#include "foundation/FileBuf.h"
#include "foundation/LocalizedString.h"
#include "foundation/VirtualFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0xFFFFFFu)
        return 0;
    auto* stream = new CFileBuf();
    stream->Write(data, static_cast<uint32_t>(size));
    stream->Seek(0);
    CVirtualFile file;
    file.AttachStream(stream, VF_READ);
    CLocalizationTable table;
    table.ReadEntries(file);
    table.SortPairs();
    for (int i = 0; i < table.GetCount(); ++i) {
        CSharedString text(table.GetKey(i));
        if (text.IsEmpty())
            continue;
        table.Translate(text);
        // Of two pairs with the same key either may be found; the found one must have that key.
        bool matches = false;
        for (int j = 0; j < table.GetCount() && !matches; ++j)
            matches = table.GetKey(j).Compare(table.GetKey(i)) == 0 && table.GetTranslation(j).Compare(text) == 0;
        if (!matches)
            std::abort();
    }
    CSharedString play("Play");
    table.Translate(play, "Menu button");
    return 0;
}
