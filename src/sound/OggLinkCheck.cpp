#include "sound/OggLinkCheck.h"

#include "foundation/VirtualFile.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kChunk = 65536;

// One link's Vorbis headers as they are found page by page.
class LinkHeaders
{
public:
    LinkHeaders()
    {
        ogg_stream_init(&m_stream, 0);
        vorbis_info_init(&m_info);
        vorbis_comment_init(&m_comment);
    }
    ~LinkHeaders()
    {
        vorbis_comment_clear(&m_comment);
        vorbis_info_clear(&m_info);
        ogg_stream_clear(&m_stream);
    }
    LinkHeaders(const LinkHeaders&) = delete;
    LinkHeaders& operator=(const LinkHeaders&) = delete;

    bool HasStream() const { return m_headers > 0; }
    bool IsComplete() const { return m_headers == 3; }

    // A beginning-of-stream page while no Vorbis stream is chosen: its stream becomes the link's
    // when its first packet is a Vorbis identification header. False for a damaged one.
    bool OfferFirstPage(ogg_page& page)
    {
        ogg_stream_reset_serialno(&m_stream, ogg_page_serialno(&page));
        if (ogg_stream_pagein(&m_stream, &page) != 0)
            return true;
        ogg_packet packet;
        if (ogg_stream_packetout(&m_stream, &packet) <= 0 || !vorbis_synthesis_idheader(&packet))
            return true;
        m_serial = ogg_page_serialno(&page);
        return TakeHeader(packet) && TakePackets();
    }

    // A later page of the chosen stream. False when its packets are damaged or not headers.
    bool AddPage(ogg_page& page)
    {
        if (ogg_page_serialno(&page) != m_serial)
            return true;
        return ogg_stream_pagein(&m_stream, &page) == 0 && TakePackets();
    }

private:
    bool TakeHeader(ogg_packet& packet)
    {
        if (vorbis_synthesis_headerin(&m_info, &m_comment, &packet) != 0)
            return false;
        ++m_headers;
        return true;
    }

    bool TakePackets()
    {
        ogg_packet packet;
        while (m_headers < 3) {
            const int got = ogg_stream_packetout(&m_stream, &packet);
            if (got == 0)
                return true;
            if (got < 0 || !TakeHeader(packet))
                return false;
        }
        return true;
    }

    ogg_stream_state m_stream;
    vorbis_info m_info;
    vorbis_comment m_comment;
    int m_serial = 0;
    int m_headers = 0;
};

class PageReader
{
public:
    explicit PageReader(CVirtualFile& file) : m_file(file) { ogg_sync_init(&m_sync); }
    ~PageReader() { ogg_sync_clear(&m_sync); }
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    // The next whole page: 1, with skipped set when damaged bytes came before it; 0 at the end.
    int Next(ogg_page& page, bool& skipped)
    {
        skipped = false;
        while (true) {
            const long got = ogg_sync_pageseek(&m_sync, &page);
            if (got > 0)
                return 1;
            if (got < 0) {
                skipped = true;
                continue;
            }
            char* buffer = ogg_sync_buffer(&m_sync, kChunk);
            const uint32_t read = buffer ? m_file.Read(buffer, kChunk) : 0;
            if (read == 0)
                return 0;
            ogg_sync_wrote(&m_sync, static_cast<long>(read));
        }
    }

private:
    CVirtualFile& m_file;
    ogg_sync_state m_sync;
};

} // namespace

bool OggLinksHaveWholeHeaders(CVirtualFile& file)
{
    if (!file.Seek(0))
        return false;
    PageReader reader(file);
    std::vector<int> serials;
    std::unique_ptr<LinkHeaders> link;
    bool inBeginning = false;   // among the link's beginning-of-stream pages
    ogg_page page;
    bool skipped = false;
    while (reader.Next(page, skipped) == 1) {
        const bool headersPending = link && !link->IsComplete();
        // The header pages of a link lie back to back, from the file's first byte on.
        if (skipped && (headersPending || !link))
            return false;
        if (ogg_page_bos(&page)) {
            const int serial = ogg_page_serialno(&page);
            if (std::find(serials.begin(), serials.end(), serial) != serials.end())
                return false;
            serials.push_back(serial);
            if (!inBeginning) {
                // A new link may begin only once the last one's headers are whole.
                if (headersPending)
                    return false;
                link = std::make_unique<LinkHeaders>();
                inBeginning = true;
            }
            if (!link->HasStream() && !link->OfferFirstPage(page))
                return false;
            continue;
        }
        if (!link)
            return false;
        inBeginning = false;
        if (!link->IsComplete() && !(link->HasStream() && link->AddPage(page)))
            return false;
    }
    return link && link->IsComplete();
}
