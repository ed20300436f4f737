#pragma once
// Reflected classes for the tests of the text, object and array property types, the binary object
// form and the resource collections.
#include "TestClasses.h"
#include "TextStreamHelpers.h"
#include "foundation/LocalizedString.h"
#include "objects/EnumTable.h"
#include "objects/Object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CArrayProperty;
class CObjectArrayProperty;
class CObjectPointerProperty;

// A hierarchy for object pointers: an abstract base, two creatable figures and an abstract one.
class CTestFigure : public CObject
{
    DECLARE_CLASS_RECORD(CTestFigure)
    CTestFigure() { InitOwnProperties(); }
    ~CTestFigure() override
    {
        DestroyOwnProperties();
        ++s_destroyed;
    }
    int32_t m_size;
    static inline int s_destroyed = 0;
};

class CTestDisc : public CTestFigure
{
    DECLARE_CLASS_RECORD(CTestDisc)
    CTestDisc() { InitOwnProperties(); }
    ~CTestDisc() override { DestroyOwnProperties(); }
    int32_t m_radius;
};

class CTestBox : public CTestFigure
{
    DECLARE_CLASS_RECORD(CTestBox)
    CTestBox() { InitOwnProperties(); }
    ~CTestBox() override { DestroyOwnProperties(); }
    int32_t m_side;
};

class CTestAbstractFigure : public CTestFigure
{
    DECLARE_CLASS_RECORD(CTestAbstractFigure)
    CTestAbstractFigure() { InitOwnProperties(); }
    ~CTestAbstractFigure() override { DestroyOwnProperties(); }
};

// A class unrelated to the figures.
class CTestStone : public CObject
{
    DECLARE_CLASS_RECORD(CTestStone)
    CTestStone() { InitOwnProperties(); }
    ~CTestStone() override { DestroyOwnProperties(); }
    int32_t m_weight;
};

// The item of the object arrays: a number and a text that owns memory.
class CTestItem : public CObject
{
    DECLARE_CLASS_RECORD(CTestItem)
    CTestItem() { InitOwnProperties(); }
    ~CTestItem() override { DestroyOwnProperties(); }
    int32_t m_value;
    CSharedString m_name;
};

// One property of every type of the object model, block-valued ones included.
class CTestContainer : public CObject
{
    DECLARE_CLASS_RECORD(CTestContainer)
    CTestContainer() { InitOwnProperties(); }
    ~CTestContainer() override { DestroyOwnProperties(); }

    CSharedString m_title;
    CLocalizableText m_caption;
    char* m_note;
    CTestFigure* m_figure;
    CObject* m_extra;
    CTestAllTypes m_embedded;
    uint32_t m_weightCount;
    int32_t* m_weights;
    uint32_t m_weightCapacity;
    uint32_t m_labelCount;
    CSharedString* m_labels;
    uint32_t m_figureCount;
    CObject** m_figures;
    uint32_t m_levelCount;
    int32_t* m_levels;
    uint32_t m_itemCount;
    CTestItem* m_items;
    uint32_t m_itemCapacity;
    uint32_t m_namedCount;
    CTestItem* m_named;

    // The five names of the "Levels" and "Named" arrays.
    static CEnumTable& GetLevelNames();
    static const CArrayProperty* GetWeightsProperty();
    static const CArrayProperty* GetLabelsProperty();
    static const CArrayProperty* GetFiguresProperty();
    static const CArrayProperty* GetLevelsProperty();
    static const CObjectArrayProperty* GetItemsProperty();
    static const CObjectArrayProperty* GetNamedProperty();
    static const CObjectPointerProperty* GetFigureProperty();
};

// A heap text that goes through a setter, which records what it was given.
class CTestNoteSetter : public CObject
{
    DECLARE_CLASS_RECORD(CTestNoteSetter)
    CTestNoteSetter() { InitOwnProperties(); }
    ~CTestNoteSetter() override
    {
        DestroyOwnProperties();
        delete[] m_kept;
    }
    void SetNote(const char* text);
    char* m_note;
    char* m_kept = nullptr;
    std::vector<std::string> m_calls;
};

// The object's binary form.
inline std::string BinaryOf(const CObject& object)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    EXPECT_TRUE(object.WriteBinary(stream));
    return WrittenText(stream);
}

// Reads the binary form from the bytes; position receives where the reader stopped.
inline bool ReadBinaryBytes(CObject& object, const std::string& bytes, int32_t* position = nullptr)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, bytes);
    bool ok = object.ReadBinary(stream);
    if (position)
        *position = stream.GetPosition();
    return ok;
}

inline std::string U32Bytes(uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

inline std::string CountedBytes(const std::string& text)
{
    return U32Bytes(static_cast<uint32_t>(text.size())) + text;
}
