#include "objects/ObjectArrayProperty.h"

#include "foundation/TextUtilities.h"
#include "foundation/VirtualFile.h"
#include "objects/ArrayCount.h"
#include "objects/ItemList.h"
#include "objects/NumberText.h"
#include "objects/ObjectTextStream.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The text after prefix when text begins with it, ignoring case; else null.
const char* AfterPrefix(const char* text, const char* prefix)
{
    size_t n = std::strlen(prefix);
    return CompareTextNoCaseN(text, prefix, n) == 0 ? text + n : nullptr;
}

// An array of the item class that goes with its owner: a fatal report may unwind a read.
struct ArrayDeleter
{
    const CClassRecord* itemClass;
    void operator()(CObject* array) const { itemClass->DeleteObjectArray(array); }
};
using OwnedArray = std::unique_ptr<CObject, ArrayDeleter>;

bool IsCountLine(const char* text)
{
    return AfterPrefix(text, "Array Count=") || AfterPrefix(text, "Item Count=");
}

// A stored record is at least an object's header and version, after a counted name's length.
constexpr uint32_t kLeastObjectBytes = 8;
constexpr uint32_t kMaxBinaryItemName = 1023;

} // namespace

CObjectArrayProperty::CObjectArrayProperty(const char* name, uint32_t countOffset, uint32_t itemsOffset,
                                           uint32_t capacityOffset, CClassRecord* itemClass, CItemList* itemNames,
                                           uint32_t flags)
    : CPropertyDescriptor(name, nullptr, countOffset, 4, flags)
    , m_itemsOffset(itemsOffset)
    , m_capacityOffset(capacityOffset)
    , m_itemClass(itemClass)
    , m_itemSize(itemClass->GetObjectSize())
    , m_itemNames(itemNames)
{
}

CPropertyDescriptor* CObjectArrayProperty::Clone() const
{
    return new CObjectArrayProperty(*this);
}

bool CObjectArrayProperty::IsSimpleValue() const
{
    return false;
}

CObject* CObjectArrayProperty::GetArray(const CObject* object) const
{
    return LoadAt<CObject*>(object, m_itemsOffset);
}

void CObjectArrayProperty::SetArray(CObject* object, CObject* array) const
{
    StoreAt(object, m_itemsOffset, array);
}

uint32_t CObjectArrayProperty::GetCapacity(const CObject* object) const
{
    return m_capacityOffset ? LoadAt<uint32_t>(object, m_capacityOffset) : GetCount(object);
}

void CObjectArrayProperty::SetCapacity(CObject* object, uint32_t capacity) const
{
    if (m_capacityOffset)
        StoreAt(object, m_capacityOffset, capacity);
}

CObject* CObjectArrayProperty::ItemOf(CObject* array, uint32_t i) const
{
    return reinterpret_cast<CObject*>(reinterpret_cast<char*>(array) + static_cast<size_t>(i) * m_itemSize);
}

CObject* CObjectArrayProperty::GetItem(const CObject* object, uint32_t i) const
{
    return ItemOf(GetArray(object), i);
}

CObject* CObjectArrayProperty::NewArray(uint32_t n) const
{
    if (n == 0)
        return nullptr;
    CObject* array = m_itemClass->CreateObjectArray(n);
    // Constructed items hold only what their members' initialisation gives them; every item the
    // array holds, read or not, starts at its defaults.
    if (array)
        for (uint32_t i = 0; i < n; ++i)
            ItemOf(array, i)->SetPropertiesToDefaults();
    return array;
}

void CObjectArrayProperty::Replace(CObject* object, uint32_t n) const
{
    m_itemClass->DeleteObjectArray(GetArray(object));
    CObject* array = NewArray(n);
    SetArray(object, array);
    uint32_t count = array ? n : 0;
    StoreMember(object, count);
    SetCapacity(object, count);
}

void CObjectArrayProperty::Resize(CObject* object, uint32_t n, int insertAt) const
{
    uint32_t count = GetCount(object);
    if (n == count)
        return;
    bool growing = n > count;
    uint32_t d = growing ? n - count : count - n;
    uint32_t at = insertAt < 0 ? (growing ? count : n) : static_cast<uint32_t>(insertAt);
    if (at > (growing ? count : n))
        at = growing ? count : n;

    CObject* array = GetArray(object);
    uint32_t capacity = GetCapacity(object);
    bool reallocate = m_capacityOffset ? n > capacity : true;
    if (reallocate) {
        uint32_t newCapacity = m_capacityOffset ? (n <= 0x7FFFFFFFu ? n * 2 : n) : n;
        CObject* fresh = NewArray(newCapacity);
        if (newCapacity > 0 && !fresh)
            return; // the item class cannot be made: the array stays as it is
        for (uint32_t i = 0; i < at; ++i)
            ItemOf(fresh, i)->CopyPropertiesFrom(ItemOf(array, i));
        if (growing) {
            for (uint32_t i = at; i < count; ++i)
                ItemOf(fresh, i + d)->CopyPropertiesFrom(ItemOf(array, i));
        } else {
            for (uint32_t i = at + d; i < count; ++i)
                ItemOf(fresh, i - d)->CopyPropertiesFrom(ItemOf(array, i));
        }
        m_itemClass->DeleteObjectArray(array);
        SetArray(object, fresh);
        capacity = newCapacity;
    } else if (growing) {
        for (uint32_t j = n; j-- > at + d;)
            ItemOf(array, j)->CopyPropertiesFrom(ItemOf(array, j - d));
        for (uint32_t j = at; j < at + d; ++j)
            ItemOf(array, j)->SetPropertiesToDefaults();
    } else {
        for (uint32_t j = at; j < n; ++j)
            ItemOf(array, j)->CopyPropertiesFrom(ItemOf(array, j + d));
    }
    StoreMember(object, n);
    SetCapacity(object, capacity);
}

void CObjectArrayProperty::CopyValue(CObject* destination, const CObject* source,
                                     const CPropertyDescriptor& sourceDescriptor) const
{
    const auto* sourceArray = dynamic_cast<const CObjectArrayProperty*>(&sourceDescriptor);
    if (!sourceArray)
        sourceArray = this;
    CObject* theirs = sourceArray->GetArray(source);
    if (theirs && theirs == GetArray(destination))
        return;
    uint32_t count = sourceArray->GetCount(source);
    Resize(destination, 0);
    Resize(destination, count);
    for (uint32_t i = 0; i < GetCount(destination); ++i)
        GetItem(destination, i)->CopyPropertiesFrom(sourceArray->ItemOf(theirs, i));
}

void CObjectArrayProperty::InitMember(CObject* object) const
{
    SetArray(object, nullptr);
    StoreMember<uint32_t>(object, 0);
    SetCapacity(object, 0);
}

void CObjectArrayProperty::DestroyMember(CObject* object) const
{
    m_itemClass->DeleteObjectArray(GetArray(object));
    InitMember(object);
}

void CObjectArrayProperty::SetDefault(CObject* object) const
{
    DestroyMember(object);
    if (m_itemNames)
        Resize(object, m_itemNames->GetCount());
}

void CObjectArrayProperty::NotifyLoaded(CObject* object, bool tracksReferences) const
{
    for (uint32_t i = 0; i < GetCount(object); ++i)
        GetItem(object, i)->NotifyLoaded(tracksReferences);
}

void CObjectArrayProperty::FixUpAfterLoad(CObject* object) const
{
    for (uint32_t i = 0; i < GetCount(object); ++i)
        GetItem(object, i)->FixUpAfterLoad();
}

void CObjectArrayProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    out.Format("%d", static_cast<int>(GetCount(object)));
}

const char* CObjectArrayProperty::GetItemLabel(uint32_t i) const
{
    const char* name = m_itemNames ? m_itemNames->GetItemName(i) : nullptr;
    return name ? name : "Array Item";
}

void CObjectArrayProperty::ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const
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

void CObjectArrayProperty::ParseNamedItems(CObject* object, CObjectTextStream& stream) const
{
    // Every name of the list has its item, whatever the array held before; count lines change
    // nothing.
    if (GetCount(object) < m_itemNames->GetCount())
        Resize(object, m_itemNames->GetCount());
    CSharedString line;
    if (!stream.ReadNonBlankTextLine(line)) // the "{"
        return;
    CSharedString label;
    while (stream.ReadNonBlankTextLine(line)) {
        const char* text = SkipWhitespace(line.CStr());
        if (*text == '}')
            break;
        const char* equals = std::strchr(text, '=');
        if (!equals || IsCountLine(text))
            continue;
        label.AssignChars(text, static_cast<int>(equals - text));
        int found = m_itemNames->FindIndexByName(label.CStr(), -1);
        if (found >= 0 && static_cast<uint32_t>(found) < GetCount(object)) {
            GetItem(object, static_cast<uint32_t>(found))->ReadFromTextStream(stream);
        } else if (CObject* discarded = m_itemClass->CreateObject()) {
            // An item of a name the list does not have is read and dropped.
            discarded->ReadFromTextStream(stream);
            delete discarded;
        } else {
            stream.SkipNestedBlock();
        }
    }
}

void CObjectArrayProperty::ParseListedItems(CObject* object, CObjectTextStream& stream) const
{
    Resize(object, 0);
    const bool hasCapacity = m_capacityOffset != 0;
    // What the array would hold at each line: count items, the first `made` of them read from the
    // text and the rest at their defaults, which are made only once, at the block's end. The items
    // read are kept in an array of their own that grows geometrically; slots of it below `used`
    // may hold items a later count line dropped, which are reset before they serve again.
    uint32_t count = 0;
    uint32_t capacity = GetCapacity(object);
    uint32_t made = 0;
    OwnedArray staged(nullptr, ArrayDeleter{m_itemClass});
    uint32_t stagedSize = 0;
    uint32_t used = 0;
    uint32_t next = 0;
    bool counted = false;

    CSharedString line;
    if (!stream.ReadNonBlankTextLine(line)) // the "{"
        return;
    while (stream.ReadNonBlankTextLine(line)) {
        const char* text = SkipWhitespace(line.CStr());
        if (*text == '}')
            break;
        const char* countText = AfterPrefix(text, "Array Count=");
        if (!countText)
            countText = AfterPrefix(text, "Item Count=");
        if (countText) {
            // A count that differs (or a capacity that does) makes the array anew: every item at
            // its defaults.
            const uint32_t m = ParseAnnouncedCount(countText);
            if (m != count || (hasCapacity && capacity != count)) {
                made = 0;
                count = capacity = m;
            }
            counted = true;
            next = 0;
            continue;
        }
        if (!std::strchr(text, '='))
            continue;
        // Items follow one another, so an item line never lies past the items read before it.
        const uint32_t index = counted ? next++ : count;
        if (index > made) {
            stream.MarkDamaged();
            stream.SkipNestedBlock();
            continue;
        }
        if (index >= count) {
            count = index + 1;
            if (hasCapacity && count > capacity)
                capacity = count <= 0x7FFFFFFFu ? count * 2 : count;
        }
        if (index == made) {
            if (made == stagedSize) {
                const uint32_t size = std::max<uint32_t>(8, stagedSize <= 0x3FFFFFFFu ? stagedSize * 2 : made + 1);
                OwnedArray grown(NewArray(size), ArrayDeleter{m_itemClass});
                if (!grown) {
                    stream.StopReading();
                    break;
                }
                for (uint32_t i = 0; i < made; ++i)
                    ItemOf(grown.get(), i)->CopyPropertiesFrom(ItemOf(staged.get(), i));
                staged = std::move(grown);
                stagedSize = size;
                used = made;
            }
            ++made;
            used = std::max(used, made);
        }
        ItemOf(staged.get(), index)->ReadFromTextStream(stream);
    }

    const uint32_t defaults = stream.TakeDefaultItems(count - made);
    if (made + defaults < count)
        count = capacity = made + defaults;
    if (count == 0 && capacity == GetCapacity(object))
        return; // as Resize(0) left it
    if (!hasCapacity)
        capacity = count;
    OwnedArray array = std::move(staged);
    if (capacity != stagedSize) {
        OwnedArray fresh(NewArray(capacity), ArrayDeleter{m_itemClass});
        if (capacity > 0 && !fresh) {
            stream.MarkDamaged();
            return;
        }
        for (uint32_t i = 0; i < made; ++i)
            ItemOf(fresh.get(), i)->CopyPropertiesFrom(ItemOf(array.get(), i));
        array = std::move(fresh);
    } else {
        for (uint32_t i = made; i < used; ++i)
            ItemOf(array.get(), i)->SetPropertiesToDefaults();
    }
    m_itemClass->DeleteObjectArray(GetArray(object));
    SetArray(object, array.release());
    StoreMember(object, count);
    SetCapacity(object, capacity);
}

void CObjectArrayProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    uint32_t count = GetCount(object);
    stream.WriteLine("Array");
    stream.WriteLine("{");
    stream.Indent();
    CSharedString line;
    line.Format("Array Count=%u", count);
    stream.WriteLine(line.CStr());
    for (uint32_t i = 0; i < count; ++i) {
        stream.WriteText(GetItemLabel(i));
        stream.WriteText("=");
        GetItem(object, i)->WriteToTextStream(stream);
    }
    stream.Outdent();
    stream.WriteLine("}");
}

bool CObjectArrayProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    uint32_t count = GetCount(object);
    if (!WriteLittleEndian(stream, count, 4))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (m_itemNames && !WriteCountedText(stream, GetItemLabel(i)))
            return false;
        if (!GetItem(object, i)->WriteBinary(stream))
            return false;
    }
    return true;
}

bool CObjectArrayProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    uint64_t stored = 0;
    if (!ReadLittleEndian(stream, stored, 4))
        return false;
    // A count of records the rest of the stream cannot hold is damage, refused before any array is
    // made for it.
    uint64_t leastBytes = stored * (kLeastObjectBytes + (m_itemNames ? 4 : 0));
    if (leastBytes > GetBytesLeft(stream))
        return false;
    uint32_t n = static_cast<uint32_t>(stored);
    uint32_t items = m_itemNames ? m_itemNames->GetCount() : n;
    Replace(object, items);
    if (items == 0)
        return true;
    if (GetCount(object) != items)
        return false;

    CSharedString name;
    for (uint32_t k = 0; k < n; ++k) {
        uint32_t index = k;
        if (m_itemNames) {
            if (!ReadCountedText(stream, name, kMaxBinaryItemName))
                return false;
            int found = m_itemNames->FindIndexByName(name.CStr(), -1);
            if (found < 0 || static_cast<uint32_t>(found) >= items)
                return false;
            index = static_cast<uint32_t>(found);
        }
        if (!GetItem(object, index)->ReadBinary(stream))
            return false;
    }
    return true;
}

uint32_t CObjectArrayProperty::GetValueSize() const
{
    return 4 + (m_capacityOffset ? 4 : 0) + static_cast<uint32_t>(sizeof(CObject*));
}

void* CObjectArrayProperty::NewValueArray(uint32_t) const
{
    return nullptr;
}

void CObjectArrayProperty::DeleteValueArray(void*) const
{
}
