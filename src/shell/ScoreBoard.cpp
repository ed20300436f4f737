// The game object's score board beside the field: the static part (advertisement, panel picture,
// labels, lives) drawn into the background, and the live part (round title, score, speed, time,
// messages) drawn every frame.
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
    if (CFont* numbers = FindFont(dataname::font::kNumbersBlue))
        numbers->DrawText(target, kRight, kLivesY, std::to_string(m_playfield->GetLives()).c_str(), kJustifyRight);
}

void CGame::DrawScoreBoard(CFrameInterface* target)
{
    if (CFont* header = FindFont(dataname::font::kYellowHeader)) {
        CClippedProxyFrame clipped(target);
        clipped.SetClipRect(kRoundTitleClip);
        header->DrawText(&clipped, kLeft - m_titleScroll.GetOffset(), kRoundTitleY, m_roundTitle.CStr(), kJustifyLeft);
    }
    if (CFont* numbers = FindFont(dataname::font::kNumbersBlue)) {
        numbers->DrawText(target, kRight, kScoreY,
                          FormatScore(GetScore(), static_cast<uint32_t>(GetPointsDisplayFactor())).CStr(),
                          kJustifyRight);
        numbers->DrawText(target, kRight, kSpeedY,
                          std::to_string(ToShownSpeed(m_playfield->GetLastBallSpeed())).c_str(), kJustifyRight);
        if (IsBallSpeedDisplayOn()) {
            const float count = m_playfield->GetBallSpeedCount();
            const float average = count > 0.0f ? m_playfield->GetBallSpeedSum() / count : 0.0f;
            numbers->DrawText(target, kLeft, kSpeedY, std::to_string(ToShownSpeed(average)).c_str(), kJustifyLeft);
        }
        numbers->DrawText(target, kTimeRight, kTimeY, FormatRoundTime(m_playfield->GetRoundTime()).CStr(),
                          kJustifyRight);
    }
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
