// CStats's side of the file "Stats.dat": reading either form without ever ending the program,
// keeping a damaged file or one read only in part, and writing through a replacement so that the
// old file survives a failed or interrupted save.
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileBuf.h"
#include "foundation/FilePaths.h"
#include "foundation/FileSystem.h"
#include "foundation/LocalizedString.h"
#include "foundation/OpenFlags.h"
#include "foundation/SetAside.h"
#include "objects/ObjectTextStream.h"
#include "shell/stats/Stats.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

CLocalizedString s_guestName("Anonymous Guest");

CFileBuf* NewBufferOver(const void* bytes, uint32_t n)
{
    auto* buffer = new CFileBuf;
    buffer->Write(bytes, n);
    buffer->Seek(0);
    return buffer;
}

} // namespace

bool CStats::Load(const char* fileName)
{
    m_fileName.AssignText(fileName ? fileName : kFileName);
    m_keepBeforeSave.clear();
    const char* name = m_fileName.CStr();
    CVirtualFile file;
    uint32_t size = 0;
    const uint8_t* bytes = nullptr;
    if (file.Open(name, VF_READ | VF_VERBATIM | VF_IN_MEMORY, kMaxFileBytes)) {
        size = file.GetSize();
        bytes = file.ReadDirect(size);
    } else if (errno == EFBIG) {
        // Far larger than any statistics: kept aside like a damaged file, never read.
        std::string keptAs;
        setaside::MoveAside(name, kDamagedSuffix, keptAs);
    }
    if (!bytes || size == 0) {
        SetPropertiesToDefaults();
        EnsureCurrentPlayer();
        return false;
    }
    bool skipped = false;
    const bool read = ReadFileImage(bytes, size, skipped);
    if (!read)
        SetPropertiesToDefaults();
    // Kept for whoever wants to look at it or mend it. What was read only in part is copied by
    // the first save; a damaged file goes aside now (copied then, should the rename fail).
    std::string keptAs;
    if (!read || skipped || m_playerCount == 0)
        m_keepBeforeSave.assign(reinterpret_cast<const char*>(bytes), size);
    file.Close();
    if (!read && setaside::MoveAside(name, kDamagedSuffix, keptAs))
        m_keepBeforeSave.clear();
    EnsureCurrentPlayer();
    return read;
}

bool CStats::LoadFromBytes(const void* bytes, uint32_t n)
{
    bool skipped = false;
    bool read = ReadFileImage(bytes, n, skipped);
    if (!read)
        SetPropertiesToDefaults();
    EnsureCurrentPlayer();
    return read;
}

bool CStats::ReadFileImage(const void* bytes, uint32_t n, bool& skipped)
{
    SetPropertiesToDefaults();
    skipped = false;
    if (!bytes || n == 0)
        return false;

    CVirtualFile file;
    file.AttachStream(NewBufferOver(bytes, n), VF_READ);
    uint32_t rawLength = 0;
    bool damaged = false;
    uint8_t* text = CCompressedBlockCodec::Read(file, rawLength, &damaged, kMaxFileBytes);
    if (damaged)
        return false;
    CFileBuf* buffer;
    if (text) {
        buffer = new CFileBuf;
        buffer->ConstructOverBuffer(text, rawLength);
    } else {
        buffer = NewBufferOver(bytes, n); // plain text
    }

    CObjectTextStream stream;
    stream.OpenMemory(buffer, VF_READ);
    stream.SetDamageTolerated(true);
    bool read = ReadFromTextStream(stream) && !stream.IsDamaged() && HasNoMissingObjects();
    skipped = stream.GetSkippedLineCount() > 0;
    stream.Close();
    return read;
}

bool CStats::HasNoMissingObjects() const
{
    for (uint32_t i = 0; i < m_playerCount; ++i) {
        const CPlayerStats* player = m_players[i];
        if (!player)
            return false;
        for (uint32_t k = 0; k < player->GetGameCount(); ++k)
            if (!player->GetGame(k))
                return false;
    }
    return true;
}

void CStats::EnsureCurrentPlayer()
{
    if (m_playerCount == 0) {
        auto* guest = new CPlayerStats;
        guest->SetPropertiesToDefaults();
        guest->SetName(s_guestName.CStr());
        AddPlayer(guest);
    }
    if (m_currentPlayer >= m_playerCount)
        m_currentPlayer = m_playerCount - 1;
}

bool CStats::IsWithinReadBounds() const
{
    if (m_playerCount > kMaxPlayers)
        return false;
    uint64_t games = 0;
    for (uint32_t i = 0; i < m_playerCount; ++i) {
        if (const CPlayerStats* player = m_players[i]) {
            games += player->GetGameCount();
            if (player->GetCheckPointSetCount() > kMaxCheckPointEntries)
                return false;
        }
    }
    return games <= kMaxArchivedGames;
}

bool CStats::Save()
{
    // What the read would refuse is not written: the next start would set the file aside and
    // begin again from the defaults. EFBIG tells the player the statistics grew too large.
    if (!IsWithinReadBounds()) {
        m_saveError = EFBIG;
        return false;
    }
    CObjectTextStream text;
    text.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE);
    WriteToTextStream(text);
    auto* written = static_cast<CFileBuf*>(text.GetStream());
    if (written->GetSize() > kMaxFileBytes) {
        m_saveError = EFBIG;
        return false;
    }

    const char* name = m_fileName.CStr();
    std::string keptAs;
    if (!m_keepBeforeSave.empty()) {
        if (!setaside::CopyAside(name, kDamagedSuffix, m_keepBeforeSave.data(), m_keepBeforeSave.size(), keptAs)) {
            // Writing over the only copy of what could not be read would lose it.
            m_saveError = errno ? errno : EIO;
            return false;
        }
        m_keepBeforeSave.clear();
    }
    if (IsFileReadOnly(name))
        SetFileReadOnly(name, false);
    errno = 0;
    if (CFileSystem::IsFileWritable(name, VF_VERBATIM) &&
        CCompressedBlockCodec::WriteFile(name, VF_VERBATIM, written->GetData(), written->GetSize(),
                                          CCompressedBlockCodec::kFileLevel)) {
        m_saveError = 0;
        return true;
    }
    m_saveError = errno ? errno : EIO;
    return false;
}
