#pragma once
// A tree model written for the list box tests: nodes named by the test, a root that is not shown,
// rows the test may veto, and an optional item list of every node for the last search stage.
#include "objects/NamedList.h"
#include "objects/TreeModel.h"
#include "ui/JHeader.h"
#include "ui/JListBox.h"

#include <set>
#include <string>
#include <vector>

namespace uitest {

// The key codes the lists read.
enum ListKey : int32_t
{
    kHome = 5,
    kUp = 6,
    kPageUp = 7,
    kBackspace = 8,
    kDown = 10,
    kLeft = 11,
    kRight = 12,
    kEnter = 13,
    kEnd = 14,
    kPageDown = 15,
    kF4 = 20,
    kEscape = 27,
};

struct ColumnSpec
{
    int32_t width;
    int32_t justification;
    uint32_t alphabetic;
    uint32_t descending;
    const char* title;
};

// A header of those columns over the top of the rect and a list (sort mode 1) over the rest,
// both in the parent and attached to each other; answers the list.
inline CJListBox* AddListUnderHeader(CJWindow* parent, CTreeModel* model, const CIntRect& rect,
                                     int32_t headerHeight, std::initializer_list<ColumnSpec> columns)
{
    auto* header = new CJHeader(parent);
    for (const ColumnSpec& c : columns)
        header->AddColumn(c.width, nullptr, c.justification, c.alphabetic, c.descending, c.title);
    parent->AddChild(header, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    header->SetRect({rect.m_left, rect.m_top, rect.m_right, rect.m_top + headerHeight});
    auto* list = new CJListBox(parent, model, 60, 1);
    parent->AddChild(list, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    list->SetRect({rect.m_left, rect.m_top + headerHeight, rect.m_right, rect.m_bottom});
    list->AttachHeader(header);
    return list;
}

class TestTree : public CTreeModel
{
public:
    static constexpr uint32_t kRootId = 1000;

    // Adds a node under the parent (kRootId for the top level); answers its id (0, 1, 2, ...).
    uint32_t Add(const std::string& name, uint32_t parent = kRootId)
    {
        m_names.push_back(name);
        m_parents.push_back(parent);
        return static_cast<uint32_t>(m_names.size() - 1);
    }
    uint32_t GetRoot() const override { return kRootId; }
    uint32_t GetParent(uint32_t item) const override
    {
        return item < m_parents.size() ? m_parents[item] : kNoItem;
    }
    const char* GetItemName(uint32_t item) const override
    {
        return item < m_names.size() ? m_names[item].c_str() : nullptr;
    }
    uint32_t GetChildCount(uint32_t item) const override { return static_cast<uint32_t>(Children(item).size()); }
    uint32_t GetChild(uint32_t item, uint32_t i) const override
    {
        const std::vector<uint32_t> children = Children(item);
        return i < children.size() ? children[i] : kNoItem;
    }
    CItemList* GetSource() const override { return m_list; }
    bool CanSelect(uint32_t row) const override { return !vetoed.count(row); }

    std::set<uint32_t> vetoed;
    CItemList* m_list = nullptr;

private:
    std::vector<uint32_t> Children(uint32_t item) const
    {
        std::vector<uint32_t> children;
        for (uint32_t i = 0; i < m_parents.size(); ++i)
            if (m_parents[i] == item)
                children.push_back(i);
        return children;
    }

    std::vector<std::string> m_names;
    std::vector<uint32_t> m_parents;
};

// The notifications and deletions among the log's entries.
inline std::vector<std::string> CommandsIn(const std::vector<std::string>& log)
{
    std::vector<std::string> kept;
    for (const std::string& entry : log)
        if (entry.find("command") != std::string::npos || entry.find("deleted") != std::string::npos)
            kept.push_back(entry);
    return kept;
}

// The rows' texts in display order, joined by '|'.
inline std::string RowTexts(const CJListBox& list)
{
    std::string texts;
    for (uint32_t i = 0; i < list.GetRowCount(); ++i) {
        texts += i ? "|" : "";
        texts += list.GetRowText(i);
    }
    return texts;
}

} // namespace uitest
