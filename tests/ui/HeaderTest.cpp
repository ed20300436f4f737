// Column headers: the layout with and without a total width, edge drags that never leave a column
// narrower than a pixel, the sort-click sequence through the real mouse path, locked headers,
// and questions about columns past the end.
#include "InputTestSupport.h"
#include "ui/Callback.h"
#include "ui/JHeader.h"

namespace {

using namespace uitest;

// A parent that logs the notifications it hears.
class CommandProbe : public InputProbe
{
public:
    using InputProbe::InputProbe;
    void OnCommand(CJWindow* sender, int32_t code) override
    {
        Record("command " + std::to_string(code) + (sender ? std::string(" from ") + sender->GetText() : ""));
    }
};

// A callback that writes its name into the log.
class LogCallback : public CCallback
{
public:
    LogCallback(Log* log, const char* name) : m_log(log), m_name(name) {}
    void Invoke() override { m_log->push_back(m_name); }

private:
    Log* m_log;
    const char* m_name;
};

class Header : public ScreenInputTest
{
protected:
    // A header at (20, 30) with columns of the widths, in a parent that logs its notifications.
    CJHeader* Make(std::initializer_list<int32_t> widths, uint32_t total = 0)
    {
        auto* parent = Open(new CommandProbe("Parent", &m_log), {0, 0, 600, 400});
        auto* header = new CJHeader(nullptr);
        header->SetRect({20, 30, 420, 30 + header->GetHeight()});
        parent->AddChild(header, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
        int i = 0;
        for (int32_t width : widths) {
            header->AddColumn(width, nullptr, 0, i == 1 ? 1 : 0, 0, std::to_string(i).c_str());
            ++i;
        }
        header->SetTotalWidth(total);
        header->SetSortCallback(new LogCallback(&m_log, "sorted"));
        header->SetResizeCallback(new LogCallback(&m_log, "resized"));
        TakeLog();
        return header;
    }
    static std::string Layout(const CJHeader& header)
    {
        std::string text;
        for (uint32_t i = 0; i < header.GetColumnCount(); ++i) {
            text += i ? " " : "";
            text += std::to_string(header.GetColumn(i)->x);
            text += '+';
            text += std::to_string(header.GetColumn(i)->width);
        }
        return text;
    }
    // A left drag in screen coordinates at the header's row.
    void Drag(int32_t fromX, int32_t toX)
    {
        Step({MoveTo(fromX, 33), kPress});
        Step({MoveTo((fromX + toX) / 2, 33)});
        Step({MoveTo(toX, 33), kRelease});
    }
};

TEST_F(Header, ColumnsLieSideBySideAndATotalWidthKeepsItsSum)
{
    CJHeader* header = Make({50, 60, 70});
    EXPECT_EQ(header->GetHeight(), m_font->GetHeight());
    EXPECT_EQ(Layout(*header), "0+50 50+60 110+70");
    EXPECT_FLOAT_EQ(header->GetColumn(1)->widthFraction, 60.0f / 400.0f);

    CJHeader* total = Make({50, 60, 70}, 300);
    EXPECT_EQ(Layout(*total), "0+50 50+60 110+190");
    // Widening the middle column shrinks the last, down to a pixel.
    Drag(20 + 110, 20 + 150);
    EXPECT_EQ(Layout(*total), "0+50 50+100 150+150");
    total->SetColumnWidth(1, 400);
    EXPECT_EQ(Layout(*total), "0+50 50+400 450+1");
    total->SetColumnWidth(1, 10);
    EXPECT_EQ(Layout(*total), "0+50 50+10 60+240");

    // Past the end: zero and false.
    EXPECT_EQ(header->GetColumnWidth(3), 0);
    EXPECT_FALSE(header->IsNumeric(3));
    EXPECT_FALSE(header->IsDescending(3));
    EXPECT_FALSE(header->HasFixedDigits(3));
    EXPECT_TRUE(header->IsNumeric(0));
    EXPECT_FALSE(header->IsNumeric(1));
}

TEST_F(Header, DraggedEdgesResizeWithNotificationsAndKeepAPixel)
{
    CJHeader* header = Make({50, 60, 70});
    Drag(20 + 50 + 3, 20 + 80);  // within reach of the first edge
    EXPECT_EQ(Layout(*header), "0+77 77+60 137+70");
    const Log log = TakeLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "Parent: command 1 from ~CJHeader"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "resized"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "sorted"), log.end());

    Drag(20 + 77, 0);  // far to the left
    EXPECT_EQ(Layout(*header), "0+1 1+60 61+70");

    // A column that cannot be resized is pressed instead; a locked header ignores the drag.
    header->SetColumnResizable(1, false);
    Drag(20 + 61, 20 + 200);
    EXPECT_EQ(header->GetColumnWidth(1), 60);
    header->SetLocked(true);
    Drag(20 + 130, 20 + 10);
    EXPECT_EQ(Layout(*header), "0+1 1+60 61+70");
}

TEST_F(Header, ClicksChooseTheSortColumnAndReverseIt)
{
    CJHeader* header = Make({100, 100, 100});
    auto click = [&](int32_t column) {
        Drag(20 + column * 100 + 50, 20 + column * 100 + 50);
        return TakeLog();
    };
    struct Click
    {
        int32_t column;
        uint32_t sortColumn;
        bool descending;
    };
    // Column 0 is the sort column from the start: a click on it reverses at once; a new column
    // sorts in its own direction first.
    for (const Click& c : {Click{0, 0, true}, Click{2, 2, false}, Click{2, 2, true}, Click{2, 2, false},
                           Click{1, 1, false}, Click{0, 0, true}}) {
        const Log log = click(c.column);
        EXPECT_EQ(header->GetSortColumn(), c.sortColumn);
        EXPECT_EQ(header->IsDescending(c.sortColumn), c.descending) << c.column;
        EXPECT_NE(std::find(log.begin(), log.end(), "Parent: command 0 from ~CJHeader"), log.end());
        EXPECT_NE(std::find(log.begin(), log.end(), "sorted"), log.end());
    }
    // A press that leaves the column before the release sorts nothing.
    Drag(20 + 150, 20 + 250);
    EXPECT_EQ(header->GetSortColumn(), 0u);
    const Log log = TakeLog();
    EXPECT_EQ(std::find(log.begin(), log.end(), "sorted"), log.end());
}

} // namespace
