#include "shell/DemoRecordingRun.h"

#include "app/DemoRecorder.h"
#include "app/ReplayStream.h"
#include "foundation/OpenFlags.h"
#include "foundation/R250Random.h"
#include "foundation/Win32Services.h"
#include "game/Playfield.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/ship/PowerUpAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "shell/Game.h"
#include "shell/stats/Stats.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

// Demos play one drawn frame every second step; the clip is drawn at that pace too.
constexpr unsigned kStepsPerFrame = 2;

std::unique_ptr<CDemoRecordingRun> s_run;

uint32_t ReadCount(const char* option, uint32_t defaultValue)
{
    const int value = GetCommandLineOptionInt(option, static_cast<int>(defaultValue));
    return value < 0 ? defaultValue : static_cast<uint32_t>(value);
}

// Capsules the ship caught in the update step just run: collecting one marks it dead, and its list
// removes it only in the next step. A bomb, or a capsule of no kind, counts as none.
uint32_t CountCaughtPowerUps(CPlayfield& playfield)
{
    uint32_t caught = 0;
    for (CSprite* capsule = playfield.GetPowerUps().GetHead(); capsule; capsule = capsule->GetNext()) {
        const CPowerUpAI* powerUp = FindSpriteAI<CPowerUpAI>(capsule);
        if (capsule->IsDead() && powerUp && powerUp->GetKind() != CPowerUpAI::kNone &&
            powerUp->GetKind() != CPowerUpAI::kBomb)
            ++caught;
    }
    return caught;
}

} // namespace

CDemoRecordingRun::CDemoRecordingRun(const DemoRecordingSettings& settings)
    : m_settings(settings), m_bot(settings.seed)
{
}

void CDemoRecordingRun::Begin(CGame& game)
{
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    if (m_settings.roundSet >= sets.GetCount() || m_settings.round >= sets.GetRoundCount(m_settings.roundSet))
        FatalExit("Demo recording", ("The data set has no round " + std::to_string(m_settings.round + 1) +
                                     " in round set " + std::to_string(m_settings.roundSet + 1) + " for " +
                                     m_settings.file)
                                        .c_str());
    g_gameRandom.Seed(m_settings.seed);
    g_generalRandom.Seed(m_settings.seed + 1);
    game.SetFramesPerDraw(kStepsPerFrame);
    CDemoRecorder::GetInstance()->StartRecording();
    game.StartNewGame(m_settings.difficulty, CPlayfield::ToAbsoluteRound(m_settings.roundSet, m_settings.round));
    m_firstDraw = game.GetDrawCount();
}

bool CDemoRecordingRun::HasShownEnough() const
{
    return m_bricksBroken >= m_settings.bricks && (!m_settings.powerUp || m_powerUpsCaught > 0);
}

void CDemoRecordingRun::Step(CGame& game)
{
    if (m_done)
        return;
    m_frames = game.GetDrawCount() - m_firstDraw;
    CPlayfield* playfield = game.GetPlayfield();
    if (playfield)
        m_powerUpsCaught += CountCaughtPowerUps(*playfield);
    if (const CStats* stats = game.GetStats())
        m_bricksBroken = stats->GetCurrentGame().GetBricksDestroyed();
    if (!m_shown && HasShownEnough()) {
        m_shown = true;
        m_shownAt = m_frames;
    }
    const bool playing = game.IsPlaying() && playfield && !playfield->IsGameOver();
    if (m_shown && (!playing || m_frames >= m_shownAt + kLastingFrames)) {
        End(game);
        return;
    }
    if (!m_shown && (!playing || m_frames >= m_settings.frames)) {
        // A clip that shows too little is no clip: nothing is written.
        std::string text = m_settings.file + ": in " + std::to_string(m_frames) + " frames" +
                           (playing ? "" : ", to the end of its game,") + " the bot broke " +
                           std::to_string(m_bricksBroken) + " of the " + std::to_string(m_settings.bricks) +
                           " bricks asked for";
        if (m_settings.powerUp)
            text += m_powerUpsCaught > 0 ? " and caught a power-up" : " and caught no power-up";
        FatalExit("Demo recording", (text + " (seed " + std::to_string(m_settings.seed) + ")").c_str());
    }
    m_bot.Step(*playfield);
}

void CDemoRecordingRun::End(CGame& game)
{
    m_done = true;
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    const uint32_t bytes = recorder->GetStream()->GetLength();
    if (!recorder->SaveRecording(m_settings.file.c_str(), VF_VERBATIM))
        FatalExit("Demo recording", ("Cannot write the demo clip " + m_settings.file).c_str());
    game.SetFramesPerDraw(1);
    std::printf("Recorded %u frames (%u bytes) into %s: %u bricks broken, %u power-ups caught (seed %u)\n", m_frames,
                bytes, m_settings.file.c_str(), m_bricksBroken, m_powerUpsCaught, m_settings.seed);
    std::fflush(stdout);
    CloseMainWindow();
}

bool ReadDemoRecordingSettings(DemoRecordingSettings& settings)
{
    if (!CDemoRecorder::IsRecordingRequested() || !GetCommandLineOptionText("/RecordDemo", settings.file) ||
        settings.file.empty())
        return false;
    settings.difficulty = ReadCount("/DemoDifficulty", settings.difficulty);
    settings.roundSet = ReadCount("/DemoSet", settings.roundSet);
    settings.round = ReadCount("/DemoRound", settings.round);
    settings.bricks = ReadCount("/DemoBricks", settings.bricks);
    settings.powerUp = ReadCount("/DemoPowerUp", settings.powerUp ? 1 : 0) != 0;
    settings.frames = ReadCount("/DemoFrames", settings.frames);
    settings.seed = ReadCount("/DemoSeed", settings.seed);
    return true;
}

bool StartDemoRecordingRun(CGame& game)
{
    DemoRecordingSettings settings;
    if (!ReadDemoRecordingSettings(settings))
        return false;
    s_run = std::make_unique<CDemoRecordingRun>(settings);
    s_run->Begin(game);
    return true;
}

CDemoRecordingRun* GetDemoRecordingRun()
{
    return s_run.get();
}
