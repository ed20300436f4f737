#pragma once
// The developer's recording of a demo clip. With "/RecordDemo <file>" on the command line the game
// skips its menu: it starts a game at once, records it while the demo bot plays, and saves the
// clip and closes once the clip has shown what it is for: the bricks broken (and a power-up caught,
// when asked), then a short while more so that the last of it is seen. The data build records the
// shipped clips this way, with the game program itself, so that the replay functions' numbers in
// a clip are the game's own.
//   /RecordDemo <file>    the clip to write (relative to the program's folder)
//   /DemoDifficulty <n>   0 to 3 (default 1, "Normal")
//   /DemoSet <n>          the round set, by its place among the sets (default 0, the first)
//   /DemoRound <n>        the round to start on, by its place in that set (default 0, the first)
//   /DemoBricks <n>       bricks to break before the clip may end (default 1)
//   /DemoPowerUp <0|1>    a power-up must be caught too (default 0)
//   /DemoFrames <n>       drawn frames, 30 a second as demos play, in which the clip must show
//                         that (default 1800)
//   /DemoSeed <n>         seeds the game's random numbers and the bot's (default 1)
//
// The rule a caller must know: a run on the virtual clock (headless) with the same settings over
// the same data records the same bytes; a run whose game ends, or whose frames run out, before the
// clip has shown it writes nothing and ends fatally, so that the caller may try another seed. The
// program's own settings and statistics are read as usual, so the data build runs it in a folder
// of its own.
#include "shell/DemoBot.h"

#include <cstdint>
#include <string>

class CGame;

struct DemoRecordingSettings
{
    std::string file;
    uint32_t difficulty = 1;
    uint32_t roundSet = 0;
    uint32_t round = 0;
    uint32_t bricks = 1;
    bool powerUp = false;
    uint32_t frames = 1800;
    uint32_t seed = 1;
};

class CDemoRecordingRun
{
public:
    // Frames the clip goes on for once it has shown what it is for: the last brick's break plays
    // out, a caught power-up's effect starts.
    static constexpr uint32_t kLastingFrames = 45;

    explicit CDemoRecordingRun(const DemoRecordingSettings& settings);

    // Seeds the random numbers, draws every second step as demos play, starts recording and then
    // the game (so that the round's first records are in the clip).
    void Begin(CGame& game);
    // Before each update step's own work: the bot's input, or the end of the clip. Ending saves
    // the clip and asks the main window to close; a clip that cannot be written, or that could not
    // show what it was asked to, is fatal.
    void Step(CGame& game);
    bool IsDone() const { return m_done; }
    uint32_t GetFramesRecorded() const { return m_frames; }

private:
    bool HasShownEnough() const;
    void End(CGame& game);

    DemoRecordingSettings m_settings;
    CDemoBot m_bot;
    uint32_t m_firstDraw = 0;
    uint32_t m_frames = 0;
    uint32_t m_bricksBroken = 0;
    uint32_t m_powerUpsCaught = 0;
    // The frame at which the clip had shown enough; none yet while m_shown is false.
    uint32_t m_shownAt = 0;
    bool m_shown = false;
    bool m_done = false;
};

// The settings the command line asks for; false when it has no "/RecordDemo" with a file.
bool ReadDemoRecordingSettings(DemoRecordingSettings& settings);
// With "/RecordDemo" on the command line: makes this process's run and begins it on the game.
// False (and nothing done) otherwise.
bool StartDemoRecordingRun(CGame& game);
// The run of this process; null when none was started.
CDemoRecordingRun* GetDemoRecordingRun();
