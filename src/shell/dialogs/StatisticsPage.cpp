#include "shell/dialogs/StatisticsPage.h"

#include "ui/JHeader.h"
#include "ui/JListBox.h"

CStatisticsPage::CStatisticsPage(CJWindow* parent, const char* title, CStats* stats)
    : CJWindow(parent, title), m_stats(stats)
{
}

CStatisticsPage::~CStatisticsPage()
{
    // The list reads the string list until it goes: unbind it first.
    if (m_list)
        m_list->SetList(nullptr);
}

void CStatisticsPage::Build()
{
    m_header = new CJHeader(this);
    m_header->SetSize(kWidth, m_header->GetHeight());
    AddChild(m_header, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    AddColumns();
    FillRows();
    m_list = new CJListBox(this, &m_rows, 0, 1);
    m_list->SetSize(kWidth, kListHeight);
    AddChild(m_list, kPlaceBelowPrevious, nullptr, kDefaultOffset, 1, 0);
    m_list->AttachHeader(m_header);
    m_list->SortAllRows();
}

void CStatisticsPage::Refill()
{
    m_list->SetList(nullptr);
    m_rows.Clear();
    FillRows();
    m_list->SetList(&m_rows);
    m_list->SortAllRows();
}

void CStatisticsPage::ShrinkList(int32_t height)
{
    m_list->SetSize(m_list->GetWidth(), m_list->GetHeight() - height - GetSpacing());
}
