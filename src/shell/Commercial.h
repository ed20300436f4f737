#pragma once
// A commercial: recorded demo clips played back one after the other as one demo stream, with
// captions that appear in the game's timed message at moments counted from the start.
//
// The rule a caller must know: Play restarts the clock; UpdateCaptions must then run once per
// update step, and ClearCaptions when the demo ends.
#include "objects/Object.h"

#include <cstdint>
#include <functional>

class CCommercialLine;
class CFilePlayList;
class CFrameInterface;

class CCommercial : public CObject
{
    DECLARE_CLASS_RECORD(CCommercial)

    CCommercial();
    ~CCommercial() override;

    // Starts the first clip with the context (the playfield) and appends the others, drawing into
    // the target. False (playback stopped) when a clip cannot be opened; a commercial without
    // clips starts no playback and answers true, its captions still running.
    bool Play(void* context, CFrameInterface* target);
    // Ends playback; the demo recorder's finish callback runs.
    void Stop();
    // Advances the clock and shows, in the game's timed message, every line whose start falls
    // into [clock before, clock after).
    void UpdateCaptions(float seconds);
    // The same, handing each due line to show instead, in line order.
    void UpdateCaptions(float seconds, const std::function<void(const CCommercialLine&)>& show);
    // Hides the game's timed message.
    void ClearCaptions();

    float GetClock() const { return m_clock; }
    uint32_t GetClipCount() const { return m_clipCount; }
    // Indices into the demo-file list.
    uint32_t GetClip(uint32_t i) const { return i < m_clipCount ? m_clips[i] : 0; }
    void AddClip(uint32_t demoIndex);
    uint32_t GetLineCount() const { return m_lineCount; }
    CCommercialLine* GetLine(uint32_t i) const { return i < m_lineCount ? m_lines[i] : nullptr; }
    // Takes over the line.
    void AddLine(CCommercialLine* line);

private:
    uint32_t m_clipCount = 0;
    uint32_t* m_clips = nullptr;
    uint32_t m_clipCapacity = 0;
    uint32_t m_lineCount = 0;
    CCommercialLine** m_lines = nullptr;
    uint32_t m_lineCapacity = 0;
    float m_clock = 0.0f;
};

// Every "Resources/**/*.Demo" file, in the order found; a commercial's clips index it.
CFilePlayList& GetDemoFileList();
