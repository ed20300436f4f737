#include "shell/DemoRecordingRun.h"

#include "app/DemoRecorder.h"
#include "app/ReplayStream.h"
#include "foundation/OpenFlags.h"
#include "foundation/R250Random.h"
#include "foundation/Win32Services.h"
#include "game/Playfield.h"
#include "shell/Game.h"

#include <cstdio>
#include <memory>

namespace {

// Demos play one drawn frame every second step; the clip is drawn at that pace too.
constexpr unsigned kStepsPerFrame = 2;

std::unique_ptr<CDemoRecordingRun> s_run;

uint32_t ReadCount(const char* option, uint32_t defaultValue)
{
    const int value = GetCommandLineOptionInt(option, static_cast<int>(defaultValue));
    return value < 0 ? defaultValue : static_cast<uint32_t>(value);
}

} // namespace

CDemoRecordingRun::CDemoRecordingRun(const DemoRecordingSettings& settings)
    : m_settings(settings), m_bot(settings.seed)
{
}

void CDemoRecordingRun::Begin(CGame& game)
{
    g_gameRandom.Seed(m_settings.seed);
    g_generalRandom.Seed(m_settings.seed + 1);
    game.SetFramesPerDraw(kStepsPerFrame);
    CDemoRecorder::GetInstance()->StartRecording();
    game.StartNewGame(m_settings.difficulty, m_settings.round);
    m_firstDraw = game.GetDrawCount();
}

void CDemoRecordingRun::Step(CGame& game)
{
    if (m_done)
        return;
    m_frames = game.GetDrawCount() - m_firstDraw;
    CPlayfield* playfield = game.GetPlayfield();
    if (m_frames >= m_settings.frames || !game.IsPlaying() || !playfield || playfield->IsGameOver()) {
        End(game);
        return;
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
    std::printf("Recorded %u frames (%u bytes) into %s\n", m_frames, bytes, m_settings.file.c_str());
    std::fflush(stdout);
    CloseMainWindow();
}

bool ReadDemoRecordingSettings(DemoRecordingSettings& settings)
{
    if (!CDemoRecorder::IsRecordingRequested() || !GetCommandLineOptionText("/RecordDemo", settings.file) ||
        settings.file.empty())
        return false;
    settings.difficulty = ReadCount("/DemoDifficulty", settings.difficulty);
    settings.round = ReadCount("/DemoRound", settings.round);
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
