// Sliders: the step, the keys, the wheel and drags against the positions the groove allows, the
// thumb's place against a rounding reference, and the notifications the parent hears.
#include "UiTestSupport.h"
#include "ui/JSlider.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace uitest;

class Slider : public ToolkitTest
{
protected:
    // A slider of the count inside a parent that logs its notifications.
    CJSlider* Make(uint32_t count, uint32_t step = 0, int32_t width = 117)
    {
        m_parent = std::make_unique<ProbeWindow>("Parent", &m_log);
        m_parent->SetRect({0, 0, 400, 100});
        auto* slider = new CJSlider(m_parent.get(), count, step);
        slider->SetRect({0, 0, width, slider->GetHeight()});
        m_parent->AddChild(slider, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
        m_log.clear();
        return slider;
    }
    size_t Notifications() const { return std::count(m_log.begin(), m_log.end(), "Parent: command 1 from ~CJSlider"); }

    std::vector<std::string> m_log;
    std::unique_ptr<ProbeWindow> m_parent;
};

constexpr int32_t kHome = 5, kLeft = 11, kRight = 12, kEnd = 14;

TEST_F(Slider, TheStepAndTheSizeFollowTheCountAndTheFont)
{
    struct Case
    {
        uint32_t count, step, expectedCount, expectedStep;
    };
    for (const Case& c : {Case{101, 0, 101, 5}, Case{1, 0, 1, 1}, Case{0, 0, 1, 1}, Case{20, 0, 20, 1},
                          Case{30, 0, 30, 2}, Case{1000, 3, 1000, 3}}) {
        CJSlider* slider = Make(c.count, c.step);
        EXPECT_EQ(slider->GetPositionCount(), c.expectedCount) << c.count;
        EXPECT_EQ(slider->GetStep(), c.expectedStep) << c.count;
    }
    // The test font: line height 10, font unit 2; the width measures the slider's own text.
    CJSlider fresh(nullptr, 5, 0);
    EXPECT_EQ(fresh.GetHeight(), 10 + 8 + 2);
    EXPECT_EQ(fresh.GetWidth(), m_font->GetTextWidth(fresh.GetText()) + 8 + 2);
}

TEST_F(Slider, KeysAndWheelStayInsideThePositions)
{
    struct Step
    {
        int32_t start, key, expected;
    };
    CJSlider* slider = Make(101);
    for (const Step& s : {Step{99, kRight, 100}, Step{100, kRight, 100}, Step{95, kRight, 100}, Step{50, kRight, 55},
                          Step{3, kLeft, 0}, Step{5, kLeft, 0}, Step{6, kLeft, 1}, Step{40, kHome, 0},
                          Step{40, kEnd, 100}}) {
        slider->SetValue(s.start, true);
        EXPECT_TRUE(slider->OnKey(s.key));
        EXPECT_EQ(slider->GetValue(), s.expected) << s.start << " key " << s.key;
    }
    EXPECT_FALSE(slider->OnKey('a'));
    slider->SetValue(50, true);
    EXPECT_TRUE(slider->OnMouseWheel(1, {0, 0}));
    EXPECT_EQ(slider->GetValue(), 55);
    EXPECT_TRUE(slider->OnMouseWheel(-3, {0, 0}));
    EXPECT_EQ(slider->GetValue(), 50);

    // A count of 0 counts as 1: End stays at 0.
    CJSlider* empty = Make(0);
    empty->OnKey(kEnd);
    EXPECT_EQ(empty->GetValue(), 0);
}

TEST_F(Slider, OnlyRealChangesReachTheParent)
{
    CJSlider* slider = Make(101);
    slider->SetValue(7, false);
    slider->SetValue(7, false);
    slider->SetValue(8, true);
    EXPECT_EQ(Notifications(), 1u);
    slider->SetValue(100, false);
    slider->OnKey(kRight);  // already at the end
    slider->OnKey(kEnd);
    EXPECT_EQ(Notifications(), 2u);
    slider->SetValue(500, false);  // out of range: brought to the end, which it already is
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(Notifications(), 2u);
}

TEST_F(Slider, TheThumbSitsAtTheRoundedShareOfTheFreeLength)
{
    // Width 117, a thumb of 11 and 3 pixels kept at either end (a font unit and the outline)
    // leave 100 pixels of travel from x 3.
    for (uint32_t count : {1u, 2u, 3u, 7u, 11u, 101u, 1000u}) {
        CJSlider* slider = Make(count);
        for (int32_t value : {0, 1, 2, 5, 50, 999}) {
            slider->SetValue(value, true);
            const int32_t v = slider->GetValue();
            const int32_t expected = count > 1 ? static_cast<int32_t>(std::floor(100.0 * v / (count - 1) + 0.5)) : 0;
            EXPECT_EQ(slider->GetThumbX(), 3 + expected) << count << " " << value;
        }
    }
}

TEST_F(Slider, DragsFollowThePointerAndNeedRoomToMove)
{
    CJSlider* slider = Make(11);
    CSequence* cursor = nullptr;
    struct Drag
    {
        int32_t x, expected;
    };
    // The pointer holds the thumb by its middle (5 pixels in), travelling from x 3; 10 pixels per
    // position.
    for (const Drag& d : {Drag{58, 5}, Drag{62, 5}, Drag{64, 6}, Drag{-40, 0}, Drag{400, 10}, Drag{8, 0}}) {
        EXPECT_TRUE(slider->OnMouseDrag({d.x, 3}, {0, 0}, 1u, cursor));
        EXPECT_EQ(slider->GetValue(), d.expected) << d.x;
    }
    EXPECT_FALSE(slider->OnMouseDrag({50, 3}, {0, 0}, 2u, cursor));  // right button: not a slider drag

    for (int32_t width : {0, 5, 11}) {
        CJSlider* narrow = Make(11, 0, width);
        narrow->SetValue(3, true);
        EXPECT_TRUE(narrow->OnMouseDrag({400, 3}, {0, 0}, 1u, cursor));
        EXPECT_EQ(narrow->GetValue(), 3) << width;
        EXPECT_EQ(narrow->GetThumbX(), 0) << width;
    }
    EXPECT_EQ(Notifications(), 0u);
}

} // namespace
