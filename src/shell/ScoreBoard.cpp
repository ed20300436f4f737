// The game object's score board beside the field: the panel (advertisement, panel picture,
// labels, lives) and its fields (score, speed, time) drawn into the background, a field's row
// again whenever its text changes; the round title, which scrolls every step, and the messages
// drawn every frame. While a demo plays the panel holds no values at all.
#include "blit/modes/TransparentMaskBlitter.h"
#include "foundation/LocalizedString.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "graphics/ClippedProxyFrame.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameCollection.h"
#include "objects/DataNames.h"
#include "shell/AdvertisementRotator.h"
#include "shell/Game.h"
#include "shell/GameTypedWords.h"
#include "shell/ScoreBoardText.h"

#include <cstring>
#include <string>

namespace {

const CLocalizedString g_timeLabel("Time");
const CLocalizedString g_scoreLabel("Score");
const CLocalizedString g_speedLabel("Speed");
const CLocalizedString g_livesLabel("Ion Spheres");
const CLocalizedString g_roundWord("Round", "Means level or stage as in Round 5");
const CLocalizedString g_noName("Round with no name");

constexpr int32_t kRight = 624;
constexpr int32_t kTimeRight = 626;
constexpr int32_t kLeft = 531;
constexpr int32_t kLivesLeft = 524;
constexpr int32_t kTimeLabelY = kScoreBoardTimeLabelY;
constexpr int32_t kScoreLabelY = 208;
constexpr int32_t kSpeedLabelY = 240;
constexpr int32_t kLivesLabelY = 271;
constexpr int32_t kLivesY = 281;
constexpr int32_t kTimeY = 187;
constexpr int32_t kScoreY = 218;
constexpr int32_t kSpeedY = 250;
// The fields' rows span the panel: a text's glyphs stay within its row whatever its width.
constexpr int32_t kFieldLeft = 524;
constexpr int32_t kFieldRight = 640;
constexpr int kScoreField = 0;
constexpr int kSpeedField = 1;
constexpr int kTimeField = 2;

CFont* FindFont(const char* name)
{
    return CFontCollection::GetInstance().FindFont(name);
}

} // namespace

void CGame::InvalidateScoreArea()
{
    const CFont* numbers = FindFont(dataname::font::kNumbersBlue);
    const int32_t height = numbers ? numbers->GetHeight() : 0;
    AddBackgroundRebuildRect(CIntRect{kLivesLeft, kLivesY, kRight, kLivesY + height});
}

void CGame::DrawScoreBoardFrame(CFrameInterface* target)
{
    if (m_adRotator)
        m_adRotator->Draw(target);
    // A missing panel ends the program with the not-found report.
    CObject* frame = CFrameCollection::GetInstance().GetByName(dataname::picture::kScoreBoardFrame);
    target->DrawFrameAt(static_cast<CFrameInterface*>(frame), 0, 0, &g_transparentMaskBlitter);
    if (CFont* header = FindFont(dataname::font::kYellowHeader)) {
        header->DrawText(target, kRight, kTimeLabelY, g_timeLabel.CStr(), kJustifyRight);
        header->DrawText(target, kRight, kScoreLabelY, g_scoreLabel.CStr(), kJustifyRight);
        header->DrawText(target, kRight, kSpeedLabelY, g_speedLabel.CStr(), kJustifyRight);
        header->DrawText(target, kRight, kLivesLabelY, g_livesLabel.CStr(), kJustifyRight);
    }
    // The lives and the fields belong to the last game played, not to the demo's.
    if (m_commercial)
        return;
    if (CFont* numbers = FindFont(dataname::font::kNumbersBlue))
        numbers->DrawText(target, kRight, kLivesY, std::to_string(m_playfield->GetLives()).c_str(), kJustifyRight);
    DrawScoreBoardFields(target, false);
}

CIntRect CGame::GetScoreBoardFieldRect(int field) const
{
    const CFont* numbers = FindFont(dataname::font::kNumbersBlue);
    const int32_t height = numbers ? numbers->GetHeight() : 0;
    const int32_t y = field == kScoreField ? kScoreY : field == kSpeedField ? kSpeedY : kTimeY;
    return {kFieldLeft, y, kFieldRight, y + height};
}

void CGame::UpdateScoreBoardFields()
{
    CSharedString texts[kScoreBoardFieldCount][2];
    texts[kScoreField][0] = FormatScore(GetScore(), static_cast<uint32_t>(GetPointsDisplayFactor()));
    texts[kSpeedField][0] = std::to_string(ToShownSpeed(m_playfield->GetLastBallSpeed())).c_str();
    if (IsBallSpeedDisplayOn()) {
        const float count = m_playfield->GetBallSpeedCount();
        const float average = count > 0.0f ? m_playfield->GetBallSpeedSum() / count : 0.0f;
        texts[kSpeedField][1] = std::to_string(ToShownSpeed(average)).c_str();
    }
    texts[kTimeField][0] = FormatRoundTime(m_playfield->GetRoundTime());
    const CFont* numbers = FindFont(dataname::font::kNumbersBlue);
    for (int field = 0; field < kScoreBoardFieldCount; ++field) {
        bool changed = false;
        for (int part = 0; part < 2; ++part) {
            changed |= std::strcmp(texts[field][part].CStr(), m_shownFields[field][part].CStr()) != 0;
            m_shownFields[field][part] = texts[field][part];
        }
        if (!changed)
            continue;
        AddBackgroundRebuildRect(GetScoreBoardFieldRect(field));
        const int32_t right = field == kTimeField ? kTimeRight : kRight;
        const int32_t width = numbers ? numbers->GetTextWidth(texts[field][0].CStr()) : 0;
        const int32_t averageWidth = numbers ? numbers->GetTextWidth(texts[field][1].CStr()) : 0;
        m_liveFields[field] = right - width < kFieldLeft || kLeft + averageWidth > kFieldRight;
    }
}

void CGame::DrawScoreBoardFields(CFrameInterface* target, bool live)
{
    CFont* numbers = FindFont(dataname::font::kNumbersBlue);
    if (!numbers)
        return;
    for (int field = 0; field < kScoreBoardFieldCount; ++field) {
        if (m_liveFields[field] != live)
            continue;
        const CSharedString* texts = m_shownFields[field];
        const int32_t y = field == kScoreField ? kScoreY : field == kSpeedField ? kSpeedY : kTimeY;
        numbers->DrawText(target, field == kTimeField ? kTimeRight : kRight, y, texts[0].CStr(), kJustifyRight);
        if (!texts[1].IsEmpty())
            numbers->DrawText(target, kLeft, y, texts[1].CStr(), kJustifyLeft);
    }
}

void CGame::DrawScoreBoard(CFrameInterface* target)
{
    if (CFont* header = FindFont(dataname::font::kYellowHeader)) {
        CClippedProxyFrame clipped(target);
        clipped.SetClipRect(kRoundTitleClip);
        header->DrawText(&clipped, kLeft - m_titleScroll.GetOffset(), kRoundTitleY, m_roundTitle.CStr(), kJustifyLeft);
    }
    DrawScoreBoardFields(target, true);
    m_messageDisplay->Draw(target);
}

void CGame::SetRoundTitle(const char* name)
{
    const CSharedString title =
        MakeRoundTitle(g_roundWord.CStr(), g_noName.CStr(), m_playfield->GetRoundSet(), m_playfield->GetRoundInSet(), name);
    const CFont* header = FindFont(dataname::font::kYellowHeader);
    m_titleScroll.Reset(header ? header->GetTextWidth(title.CStr()) : 0);
    m_roundTitle = (std::string(title.CStr()) + title.CStr()).c_str();
}
