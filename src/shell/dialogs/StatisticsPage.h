#pragma once
// One page of the statistics dialog: a column header over a list whose rows are tab-separated
// cells kept in the page's own string list, each with a 32-bit value. Derived pages name the
// columns and fill the rows.
//
// The rule a caller must know: a derived constructor calls Build once it is set up (the virtual
// operations cannot run from this base's constructor).
#include "objects/ValueNameList.h"
#include "ui/JWindow.h"

class CJHeader;
class CStats;
class CJListBox;

class CStatisticsPage : public CJWindow
{
public:
    static constexpr int32_t kWidth = 570;
    static constexpr int32_t kListHeight = 300;

    // The statistics are not owned; null shows no rows.
    CStatisticsPage(CJWindow* parent, const char* title, CStats* stats);
    ~CStatisticsPage() override;

    // Fills the header.
    virtual void AddColumns() = 0;
    // Appends the rows to the string list.
    virtual void FillRows() = 0;

    CJHeader* GetHeader() const { return m_header; }
    CJListBox* GetList() const { return m_list; }
    const CValueNameList& GetRows() const { return m_rows; }
    // The list shrinks by the height plus the page's spacing, to make room below or beside it.
    void ShrinkList(int32_t height);

protected:
    // The header, its columns, the rows, then the list bound to both.
    void Build();
    // Empties the string list, fills it again and shows it in the list.
    void Refill();

    CStats* m_stats;
    CValueNameList m_rows;
    CJHeader* m_header = nullptr;
    CJListBox* m_list = nullptr;
};
