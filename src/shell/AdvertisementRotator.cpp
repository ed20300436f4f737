#include "shell/AdvertisementRotator.h"

#include "blit/modes/CopyBlitter.h"
#include "blit/modes/NormalScaleBlitter.h"
#include "graphics/Color.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameInterface.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace {

bool ContainsIgnoringCase(const char* text, const char* word)
{
    const size_t length = std::strlen(word);
    for (; text && *text; ++text) {
        size_t i = 0;
        while (i < length && text[i] &&
               std::tolower(static_cast<unsigned char>(text[i])) == std::tolower(static_cast<unsigned char>(word[i])))
            ++i;
        if (i == length)
            return true;
    }
    return false;
}

std::vector<uint32_t> CollectAdvertisements(const CItemList& frames)
{
    std::vector<uint32_t> found;
    for (uint32_t i = 0; i < frames.GetCount(); ++i)
        if (ContainsIgnoringCase(frames.GetItemName(i), "Advertisement"))
            found.push_back(i);
    return found;
}

CFrameInterface* LoadAdvertisement(uint32_t index)
{
    return dynamic_cast<CFrameInterface*>(CFrameCollection::GetInstance().GetItem(index));
}

// Columns [from, from + width) of the source squeezed into the destination columns, then black of
// the alpha over them.
void DrawSqueezed(CFrameInterface* target, CFrameInterface* source, int32_t from, int32_t left, int32_t width,
                  uint8_t alpha)
{
    if (width <= 0)
        return;
    const CIntRect destination{left, CAdvertisementRotator::kTop, left + width,
                               CAdvertisementRotator::kTop + CAdvertisementRotator::kSize};
    if (source)
        target->Blit(source, CIntRect{from, 0, from + CAdvertisementRotator::kSlatWidth, CAdvertisementRotator::kSize},
                     destination, &g_normalScaleBlitter);
    if (alpha == 0)
        return;
    CColor black;
    black.ConstructRgba(0, 0, 0, alpha);
    target->FillRect(destination, black);
}

uint8_t ToAlpha(float share)
{
    return static_cast<uint8_t>(std::lround(std::clamp(share, 0.0f, 1.0f) * 255.0f));
}

} // namespace

CAdvertisementRotator::CAdvertisementRotator(const CItemList& frames, Invalidate invalidate)
    : CAdvertisementRotator(CollectAdvertisements(frames), std::move(invalidate))
{
}

CAdvertisementRotator::CAdvertisementRotator(std::vector<uint32_t> advertisements, Invalidate invalidate)
    : m_advertisements(std::move(advertisements)), m_invalidate(std::move(invalidate))
{
    // An empty list is never indexed.
    if (!m_advertisements.empty())
        m_current = m_previous = m_advertisements.front();
}

void CAdvertisementRotator::Request() const
{
    if (m_invalidate)
        m_invalidate(GetArea());
}

void CAdvertisementRotator::Advance()
{
    m_timeLeft = kShowSeconds;
    if (m_advertisements.empty())
        return;
    m_previous = m_current;
    m_fade = 1.0f;
    m_position = m_position + 1 < m_advertisements.size() ? m_position + 1 : 0;
    m_current = m_advertisements[m_position];
    Request();
}

void CAdvertisementRotator::Next()
{
    Advance();
}

void CAdvertisementRotator::Update(float seconds)
{
    m_timeLeft -= seconds;
    if (m_timeLeft <= 0.0f)
        Advance();
    if (m_fade <= 0.0f)
        return;
    const long before = std::lround(m_fade * 255.0f);
    m_fade = std::clamp(m_fade - seconds / kTurnSeconds, 0.0f, 1.0f);
    if (std::lround(m_fade * 255.0f) != before || m_fade == 0.0f)
        Request();
}

float CAdvertisementRotator::GetOldShare(int slat, float progress)
{
    const float turn = 2.0f * (progress - static_cast<float>(slat) / 12.0f);
    return turn <= 0.0f ? 1.0f : 1.0f - std::min(turn, 1.0f);
}

int32_t CAdvertisementRotator::GetOldPartWidth(int slat, float progress)
{
    return static_cast<int32_t>(std::lround(kSlatWidth * GetOldShare(slat, progress)));
}

void CAdvertisementRotator::Draw(CFrameInterface* target)
{
    if (m_advertisements.empty() || !target)
        return;
    CFrameInterface* current = LoadAdvertisement(m_current);
    if (m_fade <= 0.0f) {
        if (current)
            target->DrawFrameAt(current, kLeft, kTop, &g_copyBlitter);
        return;
    }
    CFrameInterface* previous = LoadAdvertisement(m_previous);
    const float progress = 1.0f - m_fade;
    for (int slat = 0; slat < kSlatCount; ++slat) {
        const int32_t from = slat * kSlatWidth;
        const float share = GetOldShare(slat, progress);
        const int32_t oldWidth = GetOldPartWidth(slat, progress);
        DrawSqueezed(target, previous, from, kLeft + from, oldWidth, ToAlpha(1.0f - share));
        DrawSqueezed(target, current, from, kLeft + from + oldWidth, kSlatWidth - oldWidth, ToAlpha(share));
    }
}
