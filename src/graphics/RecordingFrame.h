#pragma once
// A proxy that draws nothing while recording: blits, clears, fills, lines, anti-aliased lines,
// pixels and remaps made on it are appended to a command list, and Replay later performs the whole
// list on whatever target is set then. The list names frames, blitters and remap tables by their
// address, so it must not outlive them and is never stored.
//
// Use: ResetRecording, draw, EndRecording; then SetTarget and Replay as often as wanted. Whole-frame
// operations (Clear, FillWithColor, FillWithByte) are not recorded: they reach the target at once.
#include "foundation/FileBuf.h"
#include "graphics/ProxyFrame.h"

#include <cstdint>

class CRecordingFrame : public CProxyFrame
{
public:
    CRecordingFrame() = default;
    explicit CRecordingFrame(CFrameInterface* target) : CProxyFrame(target) {}

    // Records the blit with the blitter's present state (its opacity); always true.
    bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
              CBlitter* blitter) override;
    void ClearRect(const CIntRect& rect) override;
    // Colours are recorded by red, green and blue; they replay opaque.
    void FillRect(const CIntRect& rect, const CColor& color) override;
    void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) override;
    void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) override;
    void SetPixel(int32_t x, int32_t y, const CColor& color) override;
    // The table is recorded by its address.
    void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) override;

    // Empties the list, keeping its memory.
    void ResetRecording();
    // Ends the list; a list without an end replays up to where it stops.
    void EndRecording();
    // Performs the list on the current target (nothing without one). A blit runs with its recorded
    // blitter state; the blitter's own state is back afterwards.
    void Replay();

    const CFileBuf& GetCommands() const { return m_commands; }

private:
    void WriteWord(uint32_t word);
    void WriteRect(const CIntRect& rect);
    void WritePointer(const void* pointer);
    void WriteColor(const CColor& color);

    CFileBuf m_commands;
};
