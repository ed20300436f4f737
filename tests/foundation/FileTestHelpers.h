#pragma once
// Helpers shared by the file-layer tests: a working folder that becomes the current folder, a
// stand-in for the mounted archives, and running small Python scripts as an independent tool.
#include "TestSupport.h"
#include "foundation/ArchiveStreamProvider.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>

namespace filetest {

// A fresh folder made current for the test; the old current folder and base folder come back after.
class WorkFolder
{
public:
    WorkFolder()
    {
        char* old = ::getcwd(nullptr, 0);
        m_oldFolder = old ? old : ".";
        std::free(old);
        m_oldBase = GetBaseFolder();
        EXPECT_EQ(0, ::chdir(m_dir.Path().c_str()));
        SetBaseFolder(".");
    }
    ~WorkFolder()
    {
        SetBaseFolder(m_oldBase.c_str());
        EXPECT_EQ(0, ::chdir(m_oldFolder.c_str()));
    }
    std::string operator/(const std::string& name) const { return m_dir / name; }
    const std::filesystem::path& Path() const { return m_dir.Path(); }

private:
    testsupport::TempDir m_dir;
    std::string m_oldFolder;
    std::string m_oldBase;
};

inline std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Mounted archives as the stream chooser sees them: named entries, each listed or not.
class FakeArchives : public CArchiveStreamProvider
{
public:
    struct Entry
    {
        std::string bytes;
        bool listed = false;
    };

    FakeArchives() : m_previous(CStream::GetArchiveProvider()) { CStream::SetArchiveProvider(this); }
    ~FakeArchives() { CStream::SetArchiveProvider(m_previous); }

    void Add(const std::string& name, const std::string& bytes, bool listed) { m_entries[Lower(name)] = {bytes, listed}; }

    bool HasMountedArchives() const override { return m_mounted; }
    CStream* OpenEntry(const char* name, uint32_t flags) override
    {
        ++m_openCalls;
        auto found = m_entries.find(Lower(name));
        if (found == m_entries.end() || ((flags & VF_LISTED_ONLY) && !found->second.listed))
            return nullptr;
        auto* stream = new CFileBuf();
        stream->Write(found->second.bytes.data(), static_cast<uint32_t>(found->second.bytes.size()));
        stream->Seek(0);
        return stream;
    }
    CStream* CreateAppendedEntry(const char* zipPath, const char* entryName) override
    {
        m_appendedZip = zipPath;
        m_appendedEntry = entryName;
        return new CFileBuf();
    }

    bool m_mounted = true;
    int m_openCalls = 0;
    std::string m_appendedZip;
    std::string m_appendedEntry;

private:
    CArchiveStreamProvider* m_previous; // the real archive set, back after the test
    std::map<std::string, Entry> m_entries;
};

inline bool HavePython()
{
    return testsupport::RunCommand("python3 -c 'import zlib, configparser' >/dev/null 2>&1") == 0;
}

// Runs a Python script with arguments; returns its exit status.
inline int RunPython(const std::filesystem::path& folder, const std::string& script, const std::string& arguments)
{
    const std::string path = (folder / "script.py").string();
    testsupport::WriteFileBytes(path, script);
    return testsupport::RunCommand("python3 '" + path + "' " + arguments);
}

} // namespace filetest
