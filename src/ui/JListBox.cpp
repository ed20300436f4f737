// The list box's rows: building them from the model, opening and closing, selection and sorting.
#include "ui/JListBox.h"

#include "graphics/Font.h"
#include "objects/ItemList.h"
#include "ui/JHeader.h"
#include "ui/Callback.h"
#include "ui/JScrollBar.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kNoItem = CTreeModel::kNoItem;
// Deeper rows than this share the last mask bit (the connectors need no more).
constexpr uint32_t kMaskDepths = 32;
// A cycle in a model's parent chain must not hang a walk up to the root.
constexpr int kMaxAncestors = 4096;

uint32_t DepthBit(uint32_t depth)
{
    return 1u << std::min(depth, kMaskDepths - 1);
}

const char* SkipSpace(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

// The text of the column's field: after column tabs, up to the next tab.
std::string CutField(const char* text, int32_t column)
{
    for (int32_t i = 0; i < column && *text; ++i) {
        const char* tab = std::strchr(text, '\t');
        text = tab ? tab + 1 : text + std::strlen(text);
    }
    const char* end = std::strchr(text, '\t');
    return std::string(text, end ? static_cast<size_t>(end - text) : std::strlen(text));
}

std::string KeepDigits(const std::string& text)
{
    std::string digits;
    for (char c : text)
        if (std::strchr("0123456789.", c) && c)
            digits += c;
    return digits;
}

int CompareNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        const int ca = std::tolower(static_cast<unsigned char>(*a));
        const int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb || !ca)
            return ca - cb;
    }
}

// The header's sort action: the list sorts its rows again.
class CSortRowsCallback : public CCallback
{
public:
    explicit CSortRowsCallback(CJListBox* list) : m_list(list) {}
    void Invoke() override { m_list->SortAllRows(); }

private:
    CJListBox* m_list;
};

} // namespace

CJListBox::CJListBox(CJWindow* parent, CItemList* list, uint32_t widthUnits, uint32_t sortMode)
    : CJWindow(parent, "~CJListBox"), m_adapter(list)
{
    m_source = &m_adapter;
    Construct(widthUnits, sortMode);
}

CJListBox::CJListBox(CJWindow* parent, CTreeModel* source, uint32_t widthUnits, uint32_t sortMode)
    : CJWindow(parent, "~CJListBox"), m_source(source)
{
    Construct(widthUnits, sortMode);
}

CJListBox::~CJListBox()
{
    AttachHeader(nullptr);
}

void CJListBox::Construct(uint32_t widthUnits, uint32_t sortMode)
{
    SetTabStop(true);
    SetFramed(true);
    m_sortMode = sortMode;
    const int32_t unit = GetFontUnit();
    m_widthLimit = static_cast<uint32_t>(unit) * widthUnits;
    m_textGap = 2 * unit;
    SetItemSource(m_source);
    const int64_t width = static_cast<int64_t>(std::min(m_widthLimit, m_widestWidth)) + 3 + 2 * unit;
    const int64_t height = static_cast<int64_t>(GetRowHeight()) * m_visibleRows + 2 + 2 * unit;
    SetSize(ClampToInt(width), ClampToInt(height));
    m_layoutEnabled = true;
}

const char* CJListBox::GetItemText(uint32_t id) const
{
    const char* text = m_source ? m_source->GetItemName(id) : nullptr;
    return text ? text : "";
}

void CJListBox::SetList(CItemList* list)
{
    m_adapter.SetList(list);
    SetItemSource(&m_adapter);
}

void CJListBox::SetItemSource(CTreeModel* source, bool withRootRow)
{
    const uint32_t remembered = GetSelectedId();
    m_source = source;
    m_scrollPosition = m_scrollTarget = 0;
    m_widestWidth = 0;
    m_selected = -1;
    m_tree = false;
    m_rows.clear();
    ClearTypedText();
    if (m_source) {
        const uint32_t root = m_source->GetRoot();
        if (withRootRow) {
            Row row;
            row.id = root;
            row.hasChildren = true;
            row.parentId = kNoItem;
            row.lastChildMask = 1;
            m_rows.push_back(row);
            Expand(0);
        } else {
            FillChildren(root, 0, 0);
        }
    }
    MeasureWidest();
    RefreshVisibleRows();
    if (remembered != kNoItem)
        RevealAndSelect(remembered, true);
    UpdateScrollBar();
}

void CJListBox::MeasureWidest()
{
    const CFont* font = GetFont();
    m_widestWidth = 0;
    m_tree = false;
    for (uint32_t i = 0; i < m_rows.size(); ++i) {
        if (font)
            m_widestWidth = std::max(m_widestWidth, static_cast<uint32_t>(std::max(0, font->GetTextWidth(GetRowText(i)))));
        m_tree = m_tree || m_rows[i].hasChildren;
    }
    if (m_tree)
        m_widestWidth += m_widestWidth / 2 + static_cast<uint32_t>(GetIconWidth() + 4 * GetIndentWidth());
}

void CJListBox::FillChildren(uint32_t parentId, uint32_t depth, uint32_t index)
{
    const uint32_t count = m_source ? m_source->GetChildCount(parentId) : 0;
    if (!count)
        return;
    std::vector<Row> run(count);
    for (uint32_t i = 0; i < count; ++i) {
        Row& row = run[i];
        row.id = m_source->GetChild(parentId, i);
        row.depth = depth;
        row.parentId = parentId;
        row.hasChildren = m_source->GetChildCount(row.id) > 0;
    }
    index = std::min<uint32_t>(index, GetRowCount());
    m_rows.insert(m_rows.begin() + index, run.begin(), run.end());
    if (m_sortMode == 1)
        SortRun(index, count);
    RecomputeMasks();
}

void CJListBox::RecomputeMasks()
{
    // Backwards: a row is the last child when no sibling follows before a shallower row.
    std::vector<bool> laterSibling;
    std::vector<bool> last(m_rows.size());
    for (size_t i = m_rows.size(); i-- > 0;) {
        const uint32_t depth = m_rows[i].depth;
        if (laterSibling.size() <= depth)
            laterSibling.resize(depth + 1, false);
        last[i] = !laterSibling[depth];
        laterSibling[depth] = true;
        std::fill(laterSibling.begin() + depth + 1, laterSibling.end(), false);
    }
    // Forwards: each row inherits the lines of its ancestors.
    std::vector<uint32_t> maskAt;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const uint32_t depth = m_rows[i].depth;
        if (maskAt.size() <= depth)
            maskAt.resize(depth + 1, 0);
        const uint32_t inherited = depth ? maskAt[depth - 1] & (DepthBit(depth) - 1) : 0;
        m_rows[i].lastChildMask = inherited | (last[i] ? DepthBit(depth) : 0);
        maskAt[depth] = m_rows[i].lastChildMask;
    }
}

void CJListBox::RefreshVisibleRows()
{
    m_visibleRows = std::min<uint32_t>(m_maxVisibleRows, GetRowCount());
    if (!m_visibleRows)
        m_visibleRows = std::min<uint32_t>(1, m_maxVisibleRows);
    m_scrollTarget = std::clamp(m_scrollTarget, 0, GetMaxScroll());
    m_scrollPosition = std::clamp(m_scrollPosition, 0, GetMaxScroll());
}

void CJListBox::SetVisibleRowLimit(uint32_t maximum)
{
    m_maxVisibleRows = maximum;
    RefreshVisibleRows();
    UpdateScrollBar();
}

int32_t CJListBox::GetMaxScroll() const
{
    const int64_t rows = static_cast<int64_t>(m_rows.size()) - m_visibleRows;
    return rows > 0 ? ClampToInt(rows * GetRowHeight()) : 0;
}

void CJListBox::ScrollTo(int32_t position)
{
    m_scrollPosition = m_scrollTarget = std::clamp(position, 0, GetMaxScroll());
    UpdateScrollBar();
}

int32_t CJListBox::GetRowHeight() const
{
    const CFont* font = GetFont();
    return std::max(1, (font ? font->GetLineHeight() : 0) + GetRowSpacing());
}

const char* CJListBox::GetRowText(uint32_t row) const
{
    return row < m_rows.size() ? GetItemText(m_rows[row].id) : "";
}

uint32_t CJListBox::GetSelectedId() const
{
    return m_selected >= 0 && static_cast<size_t>(m_selected) < m_rows.size() ? m_rows[m_selected].id : kNoItem;
}

const char* CJListBox::GetSelectedText() const
{
    return m_selected >= 0 ? GetRowText(static_cast<uint32_t>(m_selected)) : "";
}

int32_t CJListBox::FindRowOfId(uint32_t id) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == id)
            return static_cast<int32_t>(i);
    return -1;
}

void CJListBox::Expand(uint32_t row)
{
    if (row >= m_rows.size() || m_rows[row].open || !m_rows[row].hasChildren)
        return;
    const uint32_t selectedId = GetSelectedId();
    m_rows[row].open = true;
    FillChildren(m_rows[row].id, m_rows[row].depth + 1, row + 1);
    m_selected = selectedId == kNoItem ? -1 : FindRowOfId(selectedId);
    RefreshVisibleRows();
    UpdateScrollBar();
}

void CJListBox::Collapse(uint32_t row)
{
    if (row >= m_rows.size() || !m_rows[row].open)
        return;
    const uint32_t selectedId = GetSelectedId();
    m_rows[row].open = false;
    // The descendants follow the row, deeper than it; closing them first is the same as removing them.
    size_t end = row + 1;
    while (end < m_rows.size() && m_rows[end].depth > m_rows[row].depth)
        ++end;
    m_rows.erase(m_rows.begin() + row + 1, m_rows.begin() + static_cast<std::ptrdiff_t>(end));
    RecomputeMasks();
    // A selection inside the closed rows moves to the closed row.
    const int32_t found = selectedId == kNoItem ? -1 : FindRowOfId(selectedId);
    m_selected = (selectedId != kNoItem && found < 0) ? static_cast<int32_t>(row) : found;
    RefreshVisibleRows();
    UpdateScrollBar();
}

bool CJListBox::ExpandToItem(uint32_t id)
{
    if (!m_source || id == m_source->GetRoot() || id == kNoItem)
        return false;
    const uint32_t root = m_source->GetRoot();
    std::vector<uint32_t> chain;
    for (uint32_t parent = m_source->GetParent(id); parent != root; parent = m_source->GetParent(parent)) {
        if (parent == kNoItem || chain.size() >= kMaxAncestors)
            return false;
        chain.push_back(parent);
    }
    for (size_t i = chain.size(); i-- > 0;) {
        const int32_t row = FindRowOfId(chain[i]);
        if (row < 0)
            return false;
        Expand(static_cast<uint32_t>(row));
    }
    return true;
}

bool CJListBox::RevealAndSelect(uint32_t id, bool quiet)
{
    ExpandToItem(id);
    const int32_t row = FindRowOfId(id);
    if (row < 0)
        return false;
    SelectRow(row, quiet);
    return m_selected == row;
}

bool CJListBox::SelectItemById(uint32_t id, bool quiet)
{
    if (id == kNoItem) {
        SelectRow(-1, quiet);
        return true;
    }
    return RevealAndSelect(id, quiet);
}

bool CJListBox::IsRowSelectable(int32_t row) const
{
    return row >= 0 && static_cast<size_t>(row) < m_rows.size() && (!m_source || m_source->CanSelect(static_cast<uint32_t>(row)));
}

void CJListBox::SelectRow(int32_t row, bool quiet)
{
    const int32_t before = m_selected;
    if (m_rows.empty() || row < 0) {
        m_selected = -1;
    } else {
        if (static_cast<size_t>(row) >= m_rows.size() || !IsRowSelectable(row))
            return;
        m_selected = row;
        const int32_t height = GetRowHeight();
        const int64_t top = static_cast<int64_t>(row) * height;
        if (top < m_scrollTarget)
            m_scrollTarget = ClampToInt(top);
        else if (top + height > static_cast<int64_t>(m_scrollTarget) + GetViewHeight())
            m_scrollTarget = ClampToInt(top + height - GetViewHeight());
        m_scrollTarget = std::clamp(m_scrollTarget, 0, GetMaxScroll());
        if (m_visibleRows < 2) {
            m_scrollPosition = m_scrollTarget;
            UpdateScrollBar();
        }
    }
    if (m_selected != before && !quiet)
        NotifyParent(kCommandValueChanged);
}

int32_t CJListBox::GetViewHeight() const
{
    return GetHeight() - (2 * GetFontUnit() + 2);
}

void CJListBox::SortRun(uint32_t first, uint32_t count)
{
    auto begin = m_rows.begin() + first;
    std::stable_sort(begin, begin + count, [this](const Row& a, const Row& b) { return CompareRows(a, b) < 0; });
}

void CJListBox::SortAllRows()
{
    if (m_rows.empty())
        return;
    const uint32_t selectedId = GetSelectedId();
    if (!m_tree) {
        SortRun(0, GetRowCount());
    } else {
        // Siblings are sorted with their shown descendants kept beneath them.
        std::vector<Row> sorted;
        sorted.reserve(m_rows.size());
        SortBlock(0, m_rows.size(), sorted);
        m_rows.swap(sorted);
    }
    RecomputeMasks();
    m_selected = selectedId == kNoItem ? -1 : FindRowOfId(selectedId);
}

void CJListBox::SortBlock(size_t first, size_t end, std::vector<Row>& out) const
{
    // The rows from first to end start with a sibling of the shallowest depth; each sibling owns
    // the deeper rows up to the next sibling.
    std::vector<std::pair<size_t, size_t>> blocks;
    for (size_t i = first; i < end;) {
        size_t next = i + 1;
        while (next < end && m_rows[next].depth > m_rows[i].depth)
            ++next;
        blocks.emplace_back(i, next);
        i = next;
    }
    std::stable_sort(blocks.begin(), blocks.end(), [this](const auto& a, const auto& b) {
        return CompareRows(m_rows[a.first], m_rows[b.first]) < 0;
    });
    for (const auto& [start, stop] : blocks) {
        out.push_back(m_rows[start]);
        if (stop > start + 1)
            SortBlock(start + 1, stop, out);
    }
}

int CJListBox::CompareRows(const Row& a, const Row& b) const
{
    std::string textA = GetItemText(a.id), textB = GetItemText(b.id);
    int32_t column = -1;
    bool numeric = false, descending = false;
    const CJHeader* header = GetColumnHeader();
    if (header && header->GetSortColumn() < header->GetColumnCount()) {
        column = static_cast<int32_t>(header->GetSortColumn());
        numeric = header->IsNumeric(header->GetSortColumn());
        descending = header->IsDescending(header->GetSortColumn());
        textA = CutField(textA.c_str(), column);
        textB = CutField(textB.c_str(), column);
        if (numeric) {
            textA = KeepDigits(textA);
            textB = KeepDigits(textB);
        }
    }
    const char* left = SkipSpace(textA.c_str());
    const char* right = SkipSpace(textB.c_str());
    int result;
    if (m_compare) {
        result = m_compare(column, left, right, m_source, a.id, b.id);
    } else if (numeric) {
        // Compared, not subtracted: a difference of two large values would overflow.
        const long long valueA = std::atoll(left), valueB = std::atoll(right);
        result = valueA < valueB ? -1 : (valueA > valueB ? 1 : 0);
    } else {
        result = CompareNoCase(left, right);
    }
    if (descending)
        result = result < 0 ? 1 : (result > 0 ? -1 : 0);
    return result;
}

CJHeader* CJListBox::GetHeader() const
{
    return static_cast<CJHeader*>(m_header.Get());
}

void CJListBox::AttachHeader(CJHeader* header)
{
    if (CJHeader* old = GetHeader())
        old->SetSortCallback(nullptr);
    m_header.Watch(header);
    if (header)
        header->SetSortCallback(new CSortRowsCallback(this));
}

CJHeader* CJListBox::GetColumnHeader() const
{
    CJHeader* header = GetHeader();
    return header && header->GetColumnCount() >= 2 ? header : nullptr;
}
