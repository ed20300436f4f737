#include "objects/ArrayProperty.h"

#include "foundation/SmallBlockAllocator.h"
#include "foundation/TextUtilities.h"
#include "foundation/VirtualFile.h"
#include "objects/ArrayCount.h"
#include "objects/ItemList.h"
#include "objects/NumberText.h"
#include "objects/ObjectTextStream.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The longest item name the binary form carries.
constexpr uint32_t kMaxBinaryItemName = 1023;

bool IsCountKey(const char* key)
{
    return CItemList::NamesEqual(key, "Item Count") || CItemList::NamesEqual(key, "Array Count");
}

// Reads an "Array" block from its "{" on and hands each line of the block's own level that holds
// "=" to take(line, its "="), the line's leading blanks skipped. Lines of nested blocks that no
// item took belong to nobody here. True when the block's "}" was reached; a block that does not
// open with "{" is damage the reader goes past.
template <class Take>
bool WalkArrayBlock(CObjectTextStream& stream, Take take)
{
    CSharedString line;
    if (!stream.ReadNonBlankTextLine(line))
        return false;
    if (*SkipWhitespace(line.CStr()) != '{')
        stream.MarkDamaged();
    uint32_t depth = 0;
    while (stream.ReadNonBlankTextLine(line)) {
        const char* text = SkipWhitespace(line.CStr());
        if (*text == '{') {
            ++depth;
            continue;
        }
        if (*text == '}') {
            if (depth == 0)
                return true;
            --depth;
            continue;
        }
        const char* equals = depth == 0 ? std::strchr(text, '=') : nullptr;
        if (equals)
            take(text, equals);
    }
    return false;
}

// Items read from text are made here first, in a block that grows geometrically as the text lists
// them; the array takes them over once, at the block's end, in storage of its own kind.
// Items still staged when the read ends early (a fatal report may unwind it) are destroyed here.
struct StagedItems
{
    explicit StagedItems(const CPropertyDescriptor& item) : item(item) {}
    StagedItems(const StagedItems&) = delete;
    StagedItems& operator=(const StagedItems&) = delete;
    ~StagedItems()
    {
        for (uint32_t i = 0; i < made; ++i)
            item.DestroyMember(reinterpret_cast<CObject*>(&bytes[static_cast<size_t>(i) * item.GetValueSize()]));
    }

    const CPropertyDescriptor& item;
    std::vector<char> bytes;
    uint32_t made = 0; // items constructed, from the first on
};

} // namespace

CArrayProperty::CArrayProperty(const char* name, uint32_t countOffset, uint32_t itemsOffset, uint32_t capacityOffset,
                               bool smallBlockStorage, CPropertyDescriptor* itemDescriptor, CItemList* itemNames,
                               uint32_t flags)
    : CPropertyDescriptor(name, nullptr, countOffset, 4, flags)
    , m_itemsOffset(itemsOffset)
    , m_capacityOffset(capacityOffset)
    , m_smallBlockStorage(smallBlockStorage ? 1 : 0)
    , m_itemDescriptor(itemDescriptor)
    , m_itemSize(itemDescriptor->GetValueSize())
    , m_itemNames(itemNames)
{
}

CArrayProperty::CArrayProperty(const CArrayProperty& other)
    : CPropertyDescriptor(other)
    , m_itemsOffset(other.m_itemsOffset)
    , m_capacityOffset(other.m_capacityOffset)
    , m_smallBlockStorage(other.m_smallBlockStorage)
    , m_itemDescriptor(other.m_itemDescriptor->Clone())
    , m_itemSize(other.m_itemSize)
    , m_itemNames(other.m_itemNames)
    , m_maxItems(other.m_maxItems)
    , m_maxItemsPerStream(other.m_maxItemsPerStream)
{
}

void CArrayProperty::LimitItems(uint32_t perArray, uint32_t perStream)
{
    m_maxItems = perArray;
    m_maxItemsPerStream = perStream;
}

CArrayProperty::~CArrayProperty()
{
    delete m_itemDescriptor;
}

CPropertyDescriptor* CArrayProperty::Clone() const
{
    return new CArrayProperty(*this);
}

bool CArrayProperty::IsSimpleValue() const
{
    return false;
}

char* CArrayProperty::GetBlock(const CObject* object) const
{
    return LoadAt<char*>(object, m_itemsOffset);
}

void CArrayProperty::SetBlock(CObject* object, char* block) const
{
    StoreAt(object, m_itemsOffset, block);
}

uint32_t CArrayProperty::GetCapacity(const CObject* object) const
{
    return m_capacityOffset ? LoadAt<uint32_t>(object, m_capacityOffset) : GetCount(object);
}

void CArrayProperty::SetCapacity(CObject* object, uint32_t capacity) const
{
    if (m_capacityOffset)
        StoreAt(object, m_capacityOffset, capacity);
}

CObject* CArrayProperty::GetItem(const CObject* object, uint32_t i) const
{
    return reinterpret_cast<CObject*>(GetBlock(object) + static_cast<size_t>(i) * m_itemSize);
}

char* CArrayProperty::AllocateBlock(uint32_t capacity) const
{
    if (capacity == 0)
        return nullptr;
    size_t bytes = static_cast<size_t>(capacity) * m_itemSize;
    char* block = m_smallBlockStorage ? static_cast<char*>(AllocSmallBlock(bytes)) : new char[bytes];
    std::memset(block, 0, bytes);
    return block;
}

void CArrayProperty::FreeBlock(char* block, uint32_t capacity) const
{
    if (!block)
        return;
    if (m_smallBlockStorage)
        FreeSmallBlock(block, static_cast<size_t>(capacity) * m_itemSize);
    else
        delete[] block;
}

void CArrayProperty::ConstructItem(char* item) const
{
    m_itemDescriptor->InitMember(reinterpret_cast<CObject*>(item));
    m_itemDescriptor->SetDefault(reinterpret_cast<CObject*>(item));
}

void CArrayProperty::DestroyItem(char* item) const
{
    m_itemDescriptor->DestroyMember(reinterpret_cast<CObject*>(item));
}

void CArrayProperty::MoveItems(char* destination, const char* source, uint32_t n) const
{
    if (n == 0 || destination == source)
        return;
    // Item by item, in the direction that never overwrites an item not yet moved.
    if (destination < source) {
        for (uint32_t i = 0; i < n; ++i)
            m_itemDescriptor->CopyValueBytes(destination + static_cast<size_t>(i) * m_itemSize,
                                             source + static_cast<size_t>(i) * m_itemSize);
    } else {
        for (uint32_t i = n; i-- > 0;)
            m_itemDescriptor->CopyValueBytes(destination + static_cast<size_t>(i) * m_itemSize,
                                             source + static_cast<size_t>(i) * m_itemSize);
    }
}

void CArrayProperty::Resize(CObject* object, uint32_t n, int insertAt, bool exact) const
{
    uint32_t count = GetCount(object);
    if (n == count)
        return;
    uint32_t oldCapacity = GetCapacity(object);
    uint32_t capacity = n;
    if (m_capacityOffset && !exact) {
        capacity = oldCapacity;
        if (static_cast<uint64_t>(n) * 16 < oldCapacity && oldCapacity > 20)
            capacity = n + n / 16;
        if (n > oldCapacity)
            capacity = n <= 0x7FFFFFFFu ? n * 2 : n;
    }

    bool growing = n > count;
    uint32_t d = growing ? n - count : count - n;
    uint32_t at = insertAt < 0 ? std::min(count, n) : static_cast<uint32_t>(insertAt);
    at = std::min(at, growing ? count : n);
    size_t s = m_itemSize;

    char* block = GetBlock(object);
    if (capacity == oldCapacity && (block || capacity == 0)) {
        if (growing) {
            MoveItems(block + (at + d) * s, block + at * s, count - at);
            for (uint32_t i = at; i < at + d; ++i)
                ConstructItem(block + i * s);
        } else {
            for (uint32_t i = at; i < at + d; ++i)
                DestroyItem(block + i * s);
            MoveItems(block + at * s, block + (at + d) * s, count - at - d);
            // Slots past the count hold no item.
            std::memset(block + static_cast<size_t>(n) * s, 0, d * s);
        }
    } else {
        char* fresh = AllocateBlock(capacity);
        if (growing) {
            MoveItems(fresh, block, at);
            MoveItems(fresh + (at + d) * s, block + at * s, count - at);
            for (uint32_t i = at; i < at + d; ++i)
                ConstructItem(fresh + i * s);
        } else {
            for (uint32_t i = at; i < at + d; ++i)
                DestroyItem(block + i * s);
            MoveItems(fresh, block, at);
            MoveItems(fresh + at * s, block + (at + d) * s, count - at - d);
        }
        FreeBlock(block, oldCapacity);
        SetBlock(object, fresh);
    }

    StoreMember(object, n);
    SetCapacity(object, capacity);
}

void CArrayProperty::Empty(CObject* object) const
{
    Resize(object, 0);
}

void CArrayProperty::CopyValue(CObject* destination, const CObject* source,
                               const CPropertyDescriptor& sourceDescriptor) const
{
    const auto* sourceArray = dynamic_cast<const CArrayProperty*>(&sourceDescriptor);
    if (!sourceArray)
        sourceArray = this;
    if (MemberAddress(destination) == AddressAt(source, sourceArray->GetOffset()))
        return;
    uint32_t count = sourceArray->GetCount(source);
    Empty(destination);
    Resize(destination, count);
    for (uint32_t i = 0; i < count; ++i)
        m_itemDescriptor->CopyValue(GetItem(destination, i), sourceArray->GetItem(source, i),
                                    *sourceArray->m_itemDescriptor);
}

void CArrayProperty::InitMember(CObject* object) const
{
    StoreMember<uint32_t>(object, 0);
    SetBlock(object, nullptr);
    SetCapacity(object, 0);
}

void CArrayProperty::DestroyMember(CObject* object) const
{
    uint32_t count = GetCount(object);
    uint32_t capacity = GetCapacity(object);
    char* block = GetBlock(object);
    for (uint32_t i = 0; i < count; ++i)
        DestroyItem(block + static_cast<size_t>(i) * m_itemSize);
    FreeBlock(block, capacity);
    InitMember(object);
}

void CArrayProperty::SetDefault(CObject* object) const
{
    Empty(object);
    if (m_itemNames)
        Resize(object, m_itemNames->GetCount());
}

void CArrayProperty::NotifyLoaded(CObject* object, bool tracksReferences) const
{
    for (uint32_t i = 0; i < GetCount(object); ++i)
        m_itemDescriptor->NotifyLoaded(GetItem(object, i), tracksReferences);
}

void CArrayProperty::FixUpAfterLoad(CObject* object) const
{
    for (uint32_t i = 0; i < GetCount(object); ++i)
        m_itemDescriptor->FixUpAfterLoad(GetItem(object, i));
}

void CArrayProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    out.Format("%d", static_cast<int>(GetCount(object)));
}

const char* CArrayProperty::GetItemLabel(uint32_t i) const
{
    const char* name = m_itemNames ? m_itemNames->GetItemName(i) : nullptr;
    return name ? name : m_itemDescriptor->GetLabel().CStr();
}

void CArrayProperty::ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const
{
    if (!stream.IsOpen()) {
        int64_t count = ParseLeadingInteger(value);
        Resize(object, count <= 0 ? 0 : ToUInt32(count));
        return;
    }
    if (m_itemNames)
        ParseNamedItems(object, stream);
    else
        ParseListedItems(object, stream);
}

void CArrayProperty::ParseNamedItems(CObject* object, CObjectTextStream& stream) const
{
    CSharedString key;
    // With an item-name list the list decides the count (one item per name): count lines are
    // passed over and unknown names skipped.
    const bool closed = WalkArrayBlock(stream, [&](const char* text, const char* equals) {
        key.AssignChars(text, static_cast<int>(equals - text));
        if (IsCountKey(key.CStr()))
            return;
        int found = m_itemNames->FindIndexByName(key.CStr(), -1);
        if (found < 0)
            return;
        uint32_t index = static_cast<uint32_t>(found);
        if (index >= GetCount(object))
            Resize(object, index + 1);
        m_itemDescriptor->ParseValue(GetItem(object, index), equals + 1, stream);
    });
    if (!closed)
        stream.MarkDamaged();
}

void CArrayProperty::ParseListedItems(CObject* object, CObjectTextStream& stream) const
{
    Empty(object);
    StagedItems staged(*m_itemDescriptor);
    const auto stage = [&](uint32_t n) {
        const size_t bytes = static_cast<size_t>(n) * m_itemSize;
        if (bytes > staged.bytes.capacity())
            staged.bytes.reserve(std::max(bytes, staged.bytes.capacity() * 2));
        staged.bytes.resize(bytes);
        for (; staged.made < n; ++staged.made)
            ConstructItem(&staged.bytes[static_cast<size_t>(staged.made) * m_itemSize]);
    };
    // Items of a kind bounded in the whole stream are counted as they are made; past the bound the
    // read stops.
    const auto bounded = [&](uint32_t n) {
        if (m_maxItemsPerStream == kNoItemLimit || stream.CountBoundedItems(this, n, m_maxItemsPerStream))
            return true;
        stream.StopReading();
        return false;
    };

    CSharedString key;
    const CSharedString& label = m_itemDescriptor->GetLabel();
    const CSharedString& alias = m_itemDescriptor->GetAlias();
    uint32_t count = 0;  // what the array would hold now: the items staged, then default ones
    uint32_t next = 0;
    uint32_t announced = 0;
    const bool closed = WalkArrayBlock(stream, [&](const char* text, const char* equals) {
        key.AssignChars(text, static_cast<int>(equals - text));
        if (IsCountKey(key.CStr())) {
            announced = ParseAnnouncedCount(equals + 1);
            if (announced > m_maxItems) {
                stream.StopReading();
                return;
            }
            // Dropping items drops them now; added ones stay unmade until the block's end.
            for (uint32_t i = announced; i < staged.made; ++i)
                DestroyItem(&staged.bytes[static_cast<size_t>(i) * m_itemSize]);
            if (announced < staged.made) {
                staged.made = announced;
                staged.bytes.resize(static_cast<size_t>(announced) * m_itemSize);
            }
            count = announced;
            return;
        }
        if (!CItemList::NamesEqual(key.CStr(), label.CStr()) &&
            (alias.IsEmpty() || !CItemList::NamesEqual(key.CStr(), alias.CStr())))
            return;
        const uint32_t index = next++;
        if (index >= m_maxItems) {
            stream.StopReading();
            return;
        }
        if (index >= staged.made) {
            // The items between the last one made and this one are defaults of an earlier count,
            // drawn from the stream's budget like those made at the block's end.
            const uint32_t gap = index - staged.made;
            if (!bounded(gap + 1))
                return;
            if (stream.TakeDefaultItems(gap) < gap) {
                stream.SkipNestedBlock();
                return;
            }
            stage(index + 1);
        }
        count = std::max(count, index + 1);
        m_itemDescriptor->ParseValue(reinterpret_cast<CObject*>(&staged.bytes[static_cast<size_t>(index) * m_itemSize]),
                                     equals + 1, stream);
    });
    if (count > staged.made && bounded(count - staged.made))
        stage(staged.made + stream.TakeDefaultItems(count - staged.made));

    // The array was emptied above and nothing read since could reach it.
    FreeBlock(GetBlock(object), GetCapacity(object));
    char* block = AllocateBlock(staged.made);
    MoveItems(block, staged.bytes.data(), staged.made);
    SetBlock(object, block);
    StoreMember(object, staged.made);
    SetCapacity(object, staged.made);
    staged.made = 0; // moved into the array
    // Items announced but never given stay at their defaults, which only a damaged file leaves.
    if (!closed || next < announced)
        stream.MarkDamaged();
}

void CArrayProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    uint32_t count = GetCount(object);
    stream.WriteLine("Array");
    stream.WriteLine("{");
    stream.Indent();
    if (!m_itemNames) {
        CSharedString line;
        line.Format("%s=%d", "Item Count", static_cast<int>(count));
        stream.WriteLine(line.CStr());
    }
    for (uint32_t i = 0; i < count; ++i) {
        stream.WriteText(GetItemLabel(i));
        stream.WriteText("=");
        m_itemDescriptor->WriteText(GetItem(object, i), stream);
    }
    stream.Outdent();
    stream.WriteLine("}");
}

bool CArrayProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    uint32_t count = GetCount(object);
    if (!WriteLittleEndian(stream, count, 4))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (m_itemNames && !WriteCountedText(stream, GetItemLabel(i)))
            return false;
        if (!m_itemDescriptor->WriteBinary(GetItem(object, i), stream))
            return false;
    }
    return true;
}

bool CArrayProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    Empty(object);
    uint64_t stored = 0;
    if (!ReadLittleEndian(stream, stored, 4))
        return false;
    // Every stored item takes at least one byte, and a counted name four more: a count the rest of
    // the stream cannot hold is damage, refused before anything is allocated.
    uint64_t leastBytes = stored * (m_itemNames ? 5 : 1);
    if (leastBytes > GetBytesLeft(stream) || stored > m_maxItems)
        return false;
    uint32_t n = static_cast<uint32_t>(stored);
    Resize(object, m_itemNames ? m_itemNames->GetCount() : n, -1, true);

    CSharedString name;
    for (uint32_t k = 0; k < n; ++k) {
        uint32_t index = k;
        if (m_itemNames) {
            if (!ReadCountedText(stream, name, kMaxBinaryItemName))
                return false;
            int found = m_itemNames->FindIndexByName(name.CStr(), -1);
            if (found < 0 || static_cast<uint32_t>(found) >= GetCount(object))
                return false;
            index = static_cast<uint32_t>(found);
        }
        if (!m_itemDescriptor->ReadBinary(GetItem(object, index), stream))
            return false;
    }
    return true;
}
