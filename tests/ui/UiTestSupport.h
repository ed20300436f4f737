#pragma once
// Helpers for the window toolkit's tests: a fixture that starts every test from a fresh toolkit,
// a small font drawn here, windows that record what happens to them, and a tree dump.
#include "../graphics/FrameTestSupport.h"
#include "blit/Blitter.h"
#include "blit/ColorPacking.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"
#include "ui/JWindow.h"
#include "ui/WindowToolkitState.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace uitest {

// Capitals of 3 x 5 cells drawn two pixels to the cell: top line at row 1, line base at row 11,
// so the line height is 10 and the font unit 2. Lower case is drawn as upper case.
inline const std::map<char, std::vector<const char*>>& Shapes()
{
    static const std::map<char, std::vector<const char*>> shapes = {
        {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'B', {"##.", "#.#", "##.", "#.#", "##."}},
        {'C', {"###", "#..", "#..", "#..", "###"}}, {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
        {'E', {"###", "#..", "##.", "#..", "###"}}, {'S', {"###", "#..", "###", "..#", "###"}},
        {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}}, {'O', {"###", "#.#", "#.#", "#.#", "###"}},
        {'K', {"#.#", "##.", "#..", "##.", "#.#"}}, {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
    };
    return shapes;
}

constexpr uint32_t kInk = 0xFFF0E6B4u;  // A, R, G, B: pale gold

// A font of the codes 32 to 90 (blank and the shapes above; other codes one cell wide and
// empty), loaded through the stages every font loads through at the display depth.
inline std::unique_ptr<CFont> MakeFont(int32_t depth = 16)
{
    constexpr uint32_t scale = 2, rows = 12;
    auto width = [](int c) {
        const auto found = Shapes().find(static_cast<char>(c));
        return (found == Shapes().end() ? 1u : static_cast<uint32_t>(std::string(found->second[0]).size()) + 1) * scale;
    };
    uint32_t total = 2;
    for (int c = 32; c <= 90; ++c)
        total += width(c);
    CFrame strip;
    strip.Create(total, rows + 1, 32);
    std::memset(strip.GetPixels(), 0, static_cast<size_t>(strip.GetPitch()) * strip.GetHeight() * 4);
    uint32_t x = 1;
    for (int c = 32; c <= 90; ++c) {
        if (c > 32)
            frametest::WritePixel(strip, x, rows, 0xFFFFFFFFu);
        const auto found = Shapes().find(static_cast<char>(c));
        for (uint32_t row = 0; found != Shapes().end() && row < 5; ++row)
            for (uint32_t column = 0; found->second[row][column]; ++column)
                if (found->second[row][column] == '#')
                    for (uint32_t p = 0; p < scale * scale; ++p)
                        frametest::WritePixel(strip, x + column * scale + p % scale, 1 + row * scale + p / scale, kInk);
        x += width(c);
    }
    frametest::WritePixel(strip, x, rows, 0xFFFFFFFFu);
    frametest::WritePixel(strip, 0, 1, 0xFFFFFFFFu);
    frametest::WritePixel(strip, 0, rows - 1, 0xFFFFFFFFu);

    SetDisplayBitsPerPixel(depth);
    auto font = std::make_unique<CFont>();
    font->SetPropertiesToDefaults();
    font->SetLoadFlags(0);
    font->SetCodeRange(32, 90);
    font->SetBlitTypeByName("Transparent Mask");
    CFrameLoadStage stages;
    font->GetLoadStages(stages, nullptr);
    font->BuildGlyphsFromStrip(strip, &stages);
    return font;
}

// Every test starts from a fresh toolkit with the test font as the default font, and with the
// opacity tables the start-up builds.
class ToolkitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildAlphaScaleTables();
        BuildBlendStepTable();
        CWindowToolkitState::Get().Reset();
        m_font = MakeFont();
        CJWindow::SetDefaultFont(m_font.get());
    }
    void TearDown() override { CWindowToolkitState::Get().Reset(); }

    std::unique_ptr<CFont> m_font;
};

// A window that writes what happens to it into a shared log and can be told to delete itself.
class ProbeWindow : public CJWindow
{
public:
    ProbeWindow(const char* name, std::vector<std::string>* log = nullptr) : CJWindow(nullptr, name), m_log(log) {}
    ~ProbeWindow() override { Record("deleted"); }

    void Update(float seconds) override
    {
        Record("update");
        if (m_onUpdate && m_onUpdate(this))
            return;
        CJWindow::Update(seconds);
    }
    void OnCommand(CJWindow* sender, int32_t code) override
    {
        Record("command " + std::to_string(code) + (sender ? " from " + std::string(sender->GetText()) : ""));
        if (m_onCommand && m_onCommand(this, code))
            return;
        CJWindow::OnCommand(sender, code);
    }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        Record("draw");
        CJWindow::Draw(frame);
    }
    void Record(const std::string& what)
    {
        if (m_log)
            m_log->push_back(std::string(GetText()) + ": " + what);
    }

    // Each answers whether the window is gone (the base call is then skipped).
    std::function<bool(ProbeWindow*)> m_onUpdate;
    std::function<bool(ProbeWindow*, int32_t)> m_onCommand;

private:
    std::vector<std::string>* m_log;
};

// "name(left,top,right,bottom)" per window, children front to back in brackets; '*' marks the
// focused windows, '~' hidden ones.
inline std::string Dump(const CJWindow* window)
{
    const CIntRect& r = window->GetRect();
    std::string text = std::string(window->GetText()) + (window->HasFocus() ? "*" : "") +
                       (window->IsVisible() ? "" : "~") + "(" + std::to_string(r.m_left) + "," +
                       std::to_string(r.m_top) + "," + std::to_string(r.m_right) + "," + std::to_string(r.m_bottom) + ")";
    if (window->GetFrontChild()) {
        text += "[";
        for (const CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling())
            text += Dump(child) + (child->GetNextSibling() ? " " : "");
        text += "]";
    }
    return text;
}

// The children's texts, front to back; "broken ring" when the links toward the front, the ends
// or the parent pointers disagree with the links toward the back.
inline std::string Order(const CJWindow* window)
{
    std::string text;
    const CJWindow* previous = nullptr;
    for (const CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling()) {
        if (child->GetPrevSibling() != previous || child->GetParent() != window)
            return "broken ring";
        text += std::string(text.empty() ? "" : ",") + child->GetText();
        previous = child;
    }
    return previous == window->GetBackChild() ? text : "broken ring";
}

// The frame as 24 bits for a golden image: 5-6-5 channels widened by repeating their top bits,
// palette indices through the current palette.
inline std::unique_ptr<CFrame> To24(const CFrame& frame)
{
    auto result = std::make_unique<CFrame>();
    CFrame& out = *result;
    out.Create(frame.GetWidth(), frame.GetHeight(), 24);
    for (uint32_t y = 0; y < frame.GetHeight(); ++y)
        for (uint32_t x = 0; x < frame.GetWidth(); ++x) {
            const uint32_t v = frametest::ReadPixel(frame, x, y);
            uint32_t r, g, b;
            if (frame.GetBitsPerPixel() == 16) {
                r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
                r = (r << 3) | (r >> 2), g = (g << 2) | (g >> 4), b = (b << 3) | (b >> 2);
            } else {
                uint8_t pr, pg, pb;
                g_currentPalette.GetEntry(v, pr, pg, pb);
                r = pr, g = pg, b = pb;
            }
            frametest::WritePixel(out, x, y, b | (g << 8) | (r << 16));
        }
    return result;
}

} // namespace uitest
