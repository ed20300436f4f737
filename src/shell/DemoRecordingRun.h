#pragma once
// The developer's recording of a demo clip. With "/RecordDemo <file>" on the command line the game
// skips its menu: it starts a game at once, records it while the demo bot plays, and after the
// asked number of drawn frames (or when the game ends sooner) saves the clip and closes. The
// data build records the shipped clips this way, with the game program itself, so that the replay
// functions' numbers in a clip are the game's own.
//   /RecordDemo <file>    the clip to write (relative to the program's folder)
//   /DemoDifficulty <n>   0 to 3 (default 1, "Normal")
//   /DemoRound <n>        the round to start on (default 0, the first)
//   /DemoFrames <n>       drawn frames to record, 30 a second as demos play (default 600)
//   /DemoSeed <n>         seeds the game's random numbers and the bot's (default 1)
//
// The rule a caller must know: a run on the virtual clock (headless) with the same settings over
// the same data records the same bytes; the program's own settings and statistics are read as
// usual, so the data build runs it in a folder of its own.
#include "shell/DemoBot.h"

#include <cstdint>
#include <string>

class CGame;

struct DemoRecordingSettings
{
    std::string file;
    uint32_t difficulty = 1;
    uint32_t round = 0;
    uint32_t frames = 600;
    uint32_t seed = 1;
};

class CDemoRecordingRun
{
public:
    explicit CDemoRecordingRun(const DemoRecordingSettings& settings);

    // Seeds the random numbers, draws every second step as demos play, starts recording and then
    // the game (so that the round's first records are in the clip).
    void Begin(CGame& game);
    // Before each update step's own work: the bot's input, or the end of the clip. Ending saves
    // the clip and asks the main window to close; a clip that cannot be written is fatal.
    void Step(CGame& game);
    bool IsDone() const { return m_done; }
    uint32_t GetFramesRecorded() const { return m_frames; }

private:
    void End(CGame& game);

    DemoRecordingSettings m_settings;
    CDemoBot m_bot;
    uint32_t m_firstDraw = 0;
    uint32_t m_frames = 0;
    bool m_done = false;
};

// The settings the command line asks for; false when it has no "/RecordDemo" with a file.
bool ReadDemoRecordingSettings(DemoRecordingSettings& settings);
// With "/RecordDemo" on the command line: makes this process's run and begins it on the game.
// False (and nothing done) otherwise.
bool StartDemoRecordingRun(CGame& game);
// The run of this process; null when none was started.
CDemoRecordingRun* GetDemoRecordingRun();
