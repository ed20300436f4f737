// Opens arbitrary bytes as a zip archive, lists it every way a search can, and reads every entry
// through shared and private streams. Whatever the bytes, reads stay inside each entry and agree
// with its size; archives the reader refuses end in false or in its fatal message, never worse.
#include "foundation/FileBuf.h"
#include "foundation/FileSearchSpec.h"
#include "foundation/FoundFileList.h"
#include "foundation/ZipArchive.h"
#include "foundation/ZipEntryStream.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessBackend.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FatalEnd
{
};

void ThrowOnFatal(const char*, const char*)
{
    throw FatalEnd();
}

void List(CZipArchive& archive, bool folders, uint32_t mode, bool bare, const char* folder, const char* extension)
{
    CFileSearchSpec spec;
    if (folders)
        spec.SetFolderForSubfolders(folder, mode == CFileSearchSpec::RECURSE_ALL);
    else
        spec.SetFolderAndExtension(folder, extension);
    spec.SetRecursionMode(mode);
    spec.SetNamesWithoutFolders(bare);
    CFoundFileList found;
    archive.EnumerateEntries(found, spec);
    CFileCounter counter;
    archive.EnumerateEntries(counter, spec);
    if (counter.GetCount() < found.GetCount())
        std::abort();
}

void ReadWhole(CZipArchive& archive, const std::string& name, uint32_t flags)
{
    std::unique_ptr<CZipEntryStream> stream(archive.OpenEntry(name.c_str(), flags));
    if (!stream)
        return;
    const uint32_t size = stream->GetSize();
    std::vector<uint8_t> chunk(4096);
    uint64_t total = 0;
    while (uint32_t got = stream->Read(chunk.data(), static_cast<uint32_t>(chunk.size()))) {
        if (got > chunk.size())
            std::abort();
        total += got;
    }
    if (total > size)
        std::abort();
    if (!stream->Seek(size) || stream->Read(chunk.data(), 1) != 0 || stream->SeekRelative(0))
        std::abort();
    if (size > 0 && (!stream->Seek(0) || !stream->SeekRelative(static_cast<int32_t>(size > 0x7FFFFFFF ? 0 : size - 1))))
        std::abort();
    char line[64];
    stream->Seek(0);
    while (stream->ReadLine(line, sizeof line)) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool s_handlerSet = (platform::SetFatalHandler(ThrowOnFatal), true);
    (void)s_handlerSet;
    if (size > (1u << 20))
        return 0;

    auto* memory = new CFileBuf();
    if (size)
        memory->Write(data, static_cast<uint32_t>(size));
    const CSharedString path = memory->MakeBufferName("fuzz.zip");
    try {
        auto archive = std::make_shared<CZipArchive>();
        if (archive->Open(path.CStr(), false, "Fuzz/", false, 0)) {
            for (uint32_t mode = 0; mode < 3; ++mode) {
                List(*archive, false, mode, mode == 1, "Fuzz/", "");
                List(*archive, false, mode, false, "", "txt");
                List(*archive, true, mode, mode == 2, "Fuzz/", "");
                List(*archive, true, mode, false, "fuzz/a/", "");
            }
            std::vector<std::string> names;
            for (uint32_t i = 0; i < archive->GetEntryCount(); ++i)
                names.push_back(archive->GetEntry(i).GetFullName());
            for (const std::string& name : names) {
                bool writable = true;
                const bool found = archive->FindEntry(name.c_str(), writable);
                if (writable || (!found && name.find('\0') == std::string::npos))
                    std::abort();
                archive->GetEntryFileTime(name.c_str());
                ReadWhole(*archive, name, VF_READ);
                ReadWhole(*archive, name, VF_READ | VF_PRIVATE_HANDLE);
                ReadWhole(*archive, name, VF_READ | VF_LISTED_ONLY);
            }
            if (archive->GetOpenStreamCount() != 0 || archive->GetPrivateStreamCount() != 0)
                std::abort();
        }
    } catch (const FatalEnd&) {
        // A compressed entry: refused by the program's fatal end.
    }
    delete memory;
    // The fatal ends leave their message boxes behind; one input must not add to the next.
    if (auto* headless = dynamic_cast<platform::HeadlessBackend*>(&platform::GetBackend()))
        headless->ClearMessageBoxes();
    return 0;
}
