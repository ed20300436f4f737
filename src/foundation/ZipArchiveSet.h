#pragma once
// The process-wide set of mounted zip archives. Each mount goes into a layer: a small folder
// tree whose nodes may carry an archive, which lends its entries that folder as a name prefix.
// Lookups walk the layers from the newest to the oldest, so a later mount hides earlier ones for
// the same folder. The set is the file layer's archive provider from the start of the program
// (so "zip;entry" names work before anything is mounted); archives are consulted by opens and
// searches only while the mounted flag is set. It lives until the end of the program.
#include "foundation/ArchiveStreamProvider.h"
#include "foundation/ZipDirectoryNode.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class CZipArchive;

class CZipArchiveSet : public CArchiveStreamProvider
{
public:
    static CZipArchiveSet& GetInstance();

    // Mounts the archive at the mount point (a '/'-terminated folder path; null, empty or "/"
    // is the layer's root), in a new layer or in the newest one. False when the archive cannot
    // be opened (a deferred open always succeeds); a new layer is then dropped again.
    bool Mount(const char* archivePath, bool newLayer, bool writable, const char* mountPoint, bool deferred,
               uint32_t openFlags);
    // Drops every layer. Archives whose entries are still open go when their streams close.
    void UnmountAll();

    // Whether archives are consulted (set by the mount at start-up).
    void SetMounted(bool mounted) { m_mounted.store(mounted); }
    bool IsMounted() const { return m_mounted.load(); }

    // CArchiveStreamProvider. Names may use '/' or '\'.
    bool HasMountedArchives() const override { return IsMounted(); }
    // The first stream that the archive for the name's folder gives, newest layer first.
    CStream* OpenEntry(const char* name, uint32_t flags) override;
    CStream* CreateAppendedEntry(const char* zipPath, const char* entryName) override;
    // Lists entries and mounted folders, newest layer first, after the disk.
    void EnumerateEntries(CFileVisitor& visitor, const CFileSearchSpec& spec) override;
    // The newest layer with an archive for the name's folder answers; older ones are not asked.
    bool FindEntry(const char* name, bool& writable) override;
    uint64_t GetEntryFileTime(const char* name) override;

    // The node of exactly that folder, or null.
    static CZipDirectoryNode* FindDirectoryNode(const char* folder, CZipDirectoryNode* root);
    // The deepest node along the folder that carries an archive (the root included), or null.
    static CZipDirectoryNode* FindArchiveNode(const char* folder, CZipDirectoryNode* root);
    // The archive for the folder of the name, or null.
    static CZipArchive* FindArchiveForPath(const char* name, CZipDirectoryNode* root);

    size_t GetLayerCount() const { return m_layers.size(); }
    CZipDirectoryNode* GetLayer(size_t index) const { return m_layers[index].get(); }

    CZipArchiveSet(const CZipArchiveSet&) = delete;
    CZipArchiveSet& operator=(const CZipArchiveSet&) = delete;

private:
    CZipArchiveSet();
    ~CZipArchiveSet();

    // The archive that answers for the name's folder in the newest layer that has one.
    CZipArchive* FindNewestArchiveForPath(const char* name) const;
    void ListFromNode(CZipDirectoryNode& node, CFileVisitor& visitor, const CFileSearchSpec& spec);

    std::vector<std::unique_ptr<CZipDirectoryNode>> m_layers; // oldest first
    std::atomic<bool> m_mounted{false};
};
