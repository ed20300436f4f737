#pragma once
// Plays demos (attract-mode demos and commercials) back through one replay stream: once per drawn
// frame it runs the recorded calls up to the record that ends the frame. While a demo plays the
// application draws every second tick. Further clips may be appended to the stream being played;
// they continue its item tables unless they begin by resetting them.
//
// Recording, for making the project's own demos, is a developer's tool: with "/RecordDemo" on the
// command line the game shell records its games (StartRecording, SaveRecording). While recording,
// the drawing code of the game appends its records to the stream and EndFrame closes each frame.
#include <cstdint>

class CFrameInterface;
class CReplayStream;

// What runs when playback ends; owned by the recorder.
class CDemoFinishCallback
{
public:
    virtual ~CDemoFinishCallback() = default;
    virtual void OnPlaybackFinished() = 0;
};

class CDemoRecorder
{
public:
    static constexpr int kRecording = 0;
    static constexpr int kPlaying = 1;
    static constexpr int kIdle = 2;

    // Created on first use, destroyed at exit.
    static CDemoRecorder* GetInstance();

    // Loads the demo file (opened with flags plus VF_READ) into the cleared stream and starts
    // playing it; the context is for the replay functions. False, changing nothing, when the file
    // cannot be opened.
    bool StartPlayback(void* context, const char* fileName, uint32_t openFlags);
    // Appends a further clip's bytes to the stream; nothing else changes. False when the file
    // cannot be opened.
    bool AppendFile(const char* fileName, uint32_t openFlags);
    // Before drawing a frame: while playing, runs the records of one frame. Playback ends when a
    // record names no function, or when no record is left to run.
    void PlayFrame();
    // After drawing a frame; while recording it writes the frame's end.
    void EndFrame();
    // Ends playback (or recording) at once; the finish callback runs even when idle.
    void Stop();
    // Replaces the finish callback (deleting the previous one); null removes it.
    void SetFinishCallback(CDemoFinishCallback* callback);

    // Recording: StartRecording empties the stream and begins with a record that resets the
    // reader's item tables, so that recorded clips may follow one another. SaveRecording writes the
    // stream's bytes to the file and goes idle; false when the file could not be written or
    // nothing was being recorded.
    void StartRecording();
    bool SaveRecording(const char* fileName, uint32_t openFlags);
    // "/RecordDemo" is on the command line.
    static bool IsRecordingRequested();

    int GetState() const { return m_state; }
    bool IsPlaying() const { return m_state == kPlaying; }
    bool IsRecording() const { return m_state == kRecording; }
    bool IsInFrame() const { return m_inFrame; }
    void* GetContext() const { return m_context; }
    // The frame that replayed drawing records draw into (the game's back buffer); not owned.
    // Null until set: the records then draw nothing.
    void SetTargetFrame(CFrameInterface* frame) { m_targetFrame = frame; }
    CFrameInterface* GetTargetFrame() const { return m_targetFrame; }
    CReplayStream* GetStream() const { return m_stream; }

private:
    CDemoRecorder();
    ~CDemoRecorder();
    CDemoRecorder(const CDemoRecorder&) = delete;
    CDemoRecorder& operator=(const CDemoRecorder&) = delete;

    bool AppendFileBytes(const char* fileName, uint32_t openFlags, bool startPlaying);
    void Finish();

    int m_state = kIdle;
    CReplayStream* m_stream;
    void* m_context = nullptr;
    CFrameInterface* m_targetFrame = nullptr;
    bool m_inFrame = false;
    CDemoFinishCallback* m_finishCallback = nullptr;
};
