#include "foundation/ZipArchiveSet.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FileVisitor.h"
#include "foundation/Stream.h"
#include "foundation/TextUtilities.h"
#include "foundation/ZipArchive.h"
#include "foundation/ZipArchiveFile.h"
#include "foundation/ZipEntryStream.h"

#include <cstring>
#include <string>

namespace {

// Names may use '\' like the rest of the file layer; archives store '/'.
class SlashName
{
public:
    explicit SlashName(const char* name)
    {
        if (name && std::strchr(name, '\\')) {
            m_copy = name;
            for (char& c : m_copy)
                if (c == '\\')
                    c = '/';
            m_name = m_copy.c_str();
        } else {
            m_name = name;
        }
    }
    const char* Get() const { return m_name; }

private:
    std::string m_copy;
    const char* m_name = nullptr;
};

// Calls step(segment, length) for each non-empty '/'-terminated segment of the folder path, while
// step returns true. A text after the last '/' is no segment.
template <typename Step>
void ForEachSegment(const char* folder, Step step)
{
    const char* segment = folder;
    while (const char* slash = std::strchr(segment, '/')) {
        const size_t length = static_cast<size_t>(slash - segment);
        if (length > 0 && !step(segment, length))
            return;
        segment = slash + 1;
    }
}

bool BeginsWithNoCase(const std::string& text, const char* prefix)
{
    const size_t length = std::strlen(prefix);
    return text.size() >= length && CompareTextNoCaseN(text.c_str(), prefix, length) == 0;
}

} // namespace

CArchiveStreamProvider* GetDefaultArchiveProvider()
{
    return &CZipArchiveSet::GetInstance();
}

CZipArchiveSet& CZipArchiveSet::GetInstance()
{
    static CZipArchiveSet s_set;
    return s_set;
}

CZipArchiveSet::CZipArchiveSet() = default;

CZipArchiveSet::~CZipArchiveSet()
{
    if (CStream::GetArchiveProvider() == this)
        CStream::SetArchiveProvider(nullptr);
    UnmountAll();
}

bool CZipArchiveSet::Mount(const char* archivePath, bool newLayer, bool writable, const char* mountPoint,
                           bool deferred, uint32_t openFlags)
{
    std::unique_ptr<CZipDirectoryNode> layer;
    CZipDirectoryNode* root = nullptr;
    if (newLayer) {
        layer = std::make_unique<CZipDirectoryNode>();
        root = layer.get();
    } else {
        if (m_layers.empty())
            return false;
        root = m_layers.back().get();
    }

    CZipDirectoryNode* node = root;
    if (mountPoint && mountPoint[0] != '/') {
        ForEachSegment(mountPoint, [&node](const char* segment, size_t length) {
            CZipDirectoryNode* child = node->FindChild(segment, length);
            node = child ? child : node->AddChild(segment, length);
            return true;
        });
    }

    auto archive = std::make_shared<CZipArchive>();
    if (!archive->Open(archivePath, writable, mountPoint, deferred, openFlags)) {
        node->SetArchive(nullptr);
        return false;
    }
    node->SetArchive(std::move(archive));
    if (layer)
        m_layers.push_back(std::move(layer));
    return true;
}

void CZipArchiveSet::UnmountAll()
{
    // Newest first, so that an archive read from inside an older one goes before it.
    while (!m_layers.empty())
        m_layers.pop_back();
}

CZipDirectoryNode* CZipArchiveSet::FindDirectoryNode(const char* folder, CZipDirectoryNode* root)
{
    if (!root || !folder || !folder[0] || folder[0] == '/')
        return root;
    CZipDirectoryNode* node = root;
    ForEachSegment(folder, [&node](const char* segment, size_t length) {
        node = node->FindChild(segment, length);
        return node != nullptr;
    });
    return node;
}

CZipDirectoryNode* CZipArchiveSet::FindArchiveNode(const char* folder, CZipDirectoryNode* root)
{
    if (!root)
        return nullptr;
    CZipDirectoryNode* node = root;
    CZipDirectoryNode* found = root->GetArchive() ? root : nullptr;
    if (!folder || !folder[0] || folder[0] == '/')
        return found;
    ForEachSegment(folder, [&node, &found](const char* segment, size_t length) {
        node = node->FindChild(segment, length);
        if (node && node->GetArchive())
            found = node;
        return node != nullptr;
    });
    return found;
}

CZipArchive* CZipArchiveSet::FindArchiveForPath(const char* name, CZipDirectoryNode* root)
{
    if (!name)
        return nullptr;
    const char* cut = std::strrchr(name, '/');
    const char* backslash = std::strrchr(name, '\\');
    if (backslash && (!cut || backslash > cut))
        cut = backslash;
    const std::string folder = cut ? std::string(name, static_cast<size_t>(cut - name) + 1) : std::string();
    CZipDirectoryNode* node = FindArchiveNode(folder.c_str(), root);
    return node ? node->GetArchive() : nullptr;
}

CZipArchive* CZipArchiveSet::FindNewestArchiveForPath(const char* name) const
{
    for (size_t i = m_layers.size(); i-- > 0;)
        if (CZipArchive* archive = FindArchiveForPath(name, m_layers[i].get()))
            return archive;
    return nullptr;
}

CStream* CZipArchiveSet::OpenEntry(const char* name, uint32_t flags)
{
    const SlashName slashName(name);
    if (!slashName.Get())
        return nullptr;
    for (size_t i = m_layers.size(); i-- > 0;)
        if (CZipArchive* archive = FindArchiveForPath(slashName.Get(), m_layers[i].get()))
            if (CStream* stream = archive->OpenEntry(slashName.Get(), flags))
                return stream;
    return nullptr;
}

CStream* CZipArchiveSet::CreateAppendedEntry(const char* zipPath, const char* entryName)
{
    return CZipArchiveFile::Create(zipPath, entryName);
}

bool CZipArchiveSet::FindEntry(const char* name, bool& writable)
{
    writable = false;
    const SlashName slashName(name);
    CZipArchive* archive = slashName.Get() ? FindNewestArchiveForPath(slashName.Get()) : nullptr;
    return archive && archive->FindEntry(slashName.Get(), writable);
}

uint64_t CZipArchiveSet::GetEntryFileTime(const char* name)
{
    const SlashName slashName(name);
    CZipArchive* archive = slashName.Get() ? FindNewestArchiveForPath(slashName.Get()) : nullptr;
    return archive ? archive->GetEntryFileTime(slashName.Get()) : 0;
}

void CZipArchiveSet::EnumerateEntries(CFileVisitor& visitor, const CFileSearchSpec& spec)
{
    const SlashName folder(spec.GetFolder());
    CFileSearchSpec slashSpec = spec;
    slashSpec.SetFolder(folder.Get());
    for (size_t i = m_layers.size(); i-- > 0;) {
        CZipDirectoryNode* root = m_layers[i].get();
        CZipDirectoryNode* start = FindArchiveNode(folder.Get(), root);
        if (!start)
            start = FindDirectoryNode(folder.Get(), root);
        if (start)
            ListFromNode(*start, visitor, slashSpec);
    }
}

void CZipArchiveSet::ListFromNode(CZipDirectoryNode& node, CFileVisitor& visitor, const CFileSearchSpec& spec)
{
    const uint32_t mode = spec.GetRecursionMode();
    const char* namePrefix = spec.GetNamePrefix();
    for (size_t i = 0; i < node.GetChildCount(); ++i) {
        CZipDirectoryNode& child = *node.GetChild(i);
        const char* name = child.GetName();
        if (mode == CFileSearchSpec::RECURSE_ALL || (mode == CFileSearchSpec::RECURSE_SKIP_DASHED && name[0] != '-'))
            ListFromNode(child, visitor, spec);
        if (!spec.IsFindingFolders() || CompareTextNoCaseN(name, namePrefix, std::strlen(namePrefix)) != 0)
            continue;
        // A mounted folder is a folder of the search only when it lies below the searched one
        // (the listing may start at an archive's node above it).
        std::string path = child.GetPath() + "/";
        if (path.size() <= std::strlen(spec.GetFolder()) || !BeginsWithNoCase(path, spec.GetFolder()))
            continue;
        path.pop_back();
        visitor.Dispatch(spec.GetNamesWithoutFolders() ? name : path.c_str(), 0, 0);
    }
    if (CZipArchive* archive = node.GetArchive())
        archive->EnumerateEntries(visitor, spec);
}
