#pragma once
// A streamed sound (a song): a looping ring of 100,000 bytes in the song's own format plays on the
// mixer while a refill step decodes the song into the part the play cursor has left behind. The
// step runs every 50 ms on a timer thread of its own ("Use Threaded Stream" in "Options", on by
// default) or, when that is off or no timer can start, from Update. A second source of the same
// format can be queued and mixed in with a weight the owner moves from 1 to 0: a crossfade
// between two mixes of one piece.
//
// The rule for callers: one thread (the main one) calls the operations, and calls Update every
// frame; it finishes a stop and lets the sources of a finished song go. A stream made while the
// sound system has no device stays inert: every operation answers false or 0.
#include <cstdint>
#include <memory>

class CSoundStream
{
public:
    static constexpr uint32_t kRingBytes = 100000;
    static constexpr uint32_t kMinimumRefill = 40000;   // a step writes at least this much, or waits
    static constexpr unsigned kRefillPeriodMs = 50;
    static constexpr uint32_t kOpenFlags = 0x410;      // archive entries get a handle of their own
    static constexpr int kMuteVolume = -3000;          // this and below stop the ring

    CSoundStream();
    virtual ~CSoundStream();
    CSoundStream(const CSoundStream&) = delete;
    CSoundStream& operator=(const CSoundStream&) = delete;

    // Stops what plays and starts the file from startOffset bytes of its PCM (rounded down to a
    // whole frame); a looping song goes on from its start, not from the offset. False when the
    // name is empty, there is no device, or the file cannot be opened or decoded. True also
    // when muted: the song then waits, ready, for the volume to come back.
    bool Play(const char* fileName, uint32_t startOffset, bool loop);
    // Opens the file as the source to mix in with the weight, at the playing song's position or,
    // fromStart, from its own beginning. False, changing nothing that plays, when nothing plays
    // or the file cannot be opened or is not of the playing song's format (16-bit samples only).
    bool QueueNext(const char* fileName, float weight, bool fromStart);
    // 1: only the playing song; 0: only the queued one. False without a device.
    bool SetCrossfadeWeight(float weight);
    // Makes the queued source the playing one; false when none is queued.
    bool CompleteCrossfade();
    // The per-frame service: the refill when not threaded; a requested stop is carried out and
    // the sources are let go.
    void Update();
    void Stop();

    // Hundredths of a decibel. At kMuteVolume and below the ring stops where it is; above, it
    // goes on from there.
    void SetVolume(int volume);
    int GetVolume() const;
    bool IsMuted() const;
    bool IsPlaying() const;
    // Whether the refill runs on the timer thread.
    bool IsThreaded() const;

protected:
    // Starts calling RunTimerStep every kRefillPeriodMs on a thread of its own; false when it
    // cannot (the stream then refills from Update).
    virtual bool StartRefillTimer();
    // One refill, unless another is under way: the timer thread's entry.
    void RunTimerStep();

private:
    struct State;
    class Regions;

    // Everything below runs with the state's lock held.
    void RefillStep();
    // Fills bytes of the ring from position: the song (looping round when it loops), the queued
    // source mixed in, silence after the end of a song that does not loop. Answers the bytes
    // written; 0 when the ring cannot be locked.
    uint32_t FillRing(uint32_t position, uint32_t bytes);
    uint32_t ReadSources(const Regions& regions, uint32_t offset, uint32_t bytes);
    void RewindSources();
    void StopRing();
    void StopTimer();
    void DeleteSources();
    void FinishStop();

    std::unique_ptr<State> m_state;
};
