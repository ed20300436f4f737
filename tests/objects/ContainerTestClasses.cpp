#include "ContainerTestClasses.h"

#include "objects/ArrayProperty.h"
#include "objects/EmbeddedObjectProperty.h"
#include "objects/IntProperty.h"
#include "objects/ObjectArrayProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/StringProperty.h"

#include <cstring>

namespace {

const CEnumTableEntry s_levelNames[] = {
    {0, "Low", nullptr}, {1, "Mid", nullptr}, {2, "High", nullptr}, {3, "Top", nullptr}, {4, "Max", nullptr},
    {0, nullptr, nullptr},
};

template <class Descriptor>
const Descriptor* FindContainerProperty(const char* label)
{
    return dynamic_cast<const Descriptor*>(CTestContainer::GetStaticClassRecord()->FindProperty(label));
}

} // namespace

IMPLEMENT_ABSTRACT_CLASS_RECORD(CTestFigure, CObject, 1.0f)
void CTestFigure::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Size", &CTestFigure::m_size, 0, 2));
}

IMPLEMENT_CLASS_RECORD(CTestDisc, CTestFigure, 1.0f)
void CTestDisc::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Radius", &CTestDisc::m_radius, 0, 5));
}

IMPLEMENT_CLASS_RECORD(CTestBox, CTestFigure, 1.0f)
void CTestBox::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Side", &CTestBox::m_side, 0, 4));
}

IMPLEMENT_ABSTRACT_CLASS_RECORD(CTestAbstractFigure, CTestFigure, 1.0f)
void CTestAbstractFigure::AddProperties(CClassRecord*)
{
}

IMPLEMENT_CLASS_RECORD(CTestStone, CObject, 1.0f)
void CTestStone::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Weight", &CTestStone::m_weight, 0, 9));
}

IMPLEMENT_CLASS_RECORD(CTestItem, CObject, 1.0f)
void CTestItem::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Value", &CTestItem::m_value, 0, 3));
    record->AddProperty(new CSharedStringPropertyDescriptor("Name", &CTestItem::m_name, 0, "item"));
}

CEnumTable& CTestContainer::GetLevelNames()
{
    static CEnumTable s_table(s_levelNames);
    return s_table;
}

IMPLEMENT_CLASS_RECORD(CTestContainer, CObject, 1.0f)
void CTestContainer::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CSharedStringPropertyDescriptor("Text/Title", &CTestContainer::m_title, 0, "Untitled"));
    record->AddProperty(
        CSharedStringPropertyDescriptor::ConstructLocalizable("Text/Caption", &CTestContainer::m_caption, 0, "Hello"));
    record->AddProperty(new CStringProperty("Text/Note", &CTestContainer::m_note, 0, nullptr));
    record->AddProperty(new CObjectPointerProperty("Figure", &CTestContainer::m_figure, 0,
                                                   CTestFigure::GetStaticClassRecord(),
                                                   CTestDisc::GetStaticClassRecord()));
    record->AddProperty(new CObjectPointerProperty("Extra", &CTestContainer::m_extra, 0,
                                                   CObject::GetStaticClassRecord(), nullptr));
    record->AddProperty(new CEmbeddedObjectProperty("Embedded", &CTestContainer::m_embedded, 0));
    record->AddProperty(new CArrayProperty("Weights", &CTestContainer::m_weightCount, &CTestContainer::m_weights,
                                           &CTestContainer::m_weightCapacity, true,
                                           new CIntProperty("Weight", nullptr, 0, 0, 1, nullptr, 0, 0), nullptr, 0));
    record->AddProperty(new CArrayProperty(
        "Labels", &CTestContainer::m_labelCount, &CTestContainer::m_labels, nullptr, false,
        new CSharedStringPropertyDescriptor("Label", 0, sizeof(CSharedString), 0, "none", nullptr, false), nullptr, 0));
    record->AddProperty(new CArrayProperty(
        "Figures", &CTestContainer::m_figureCount, &CTestContainer::m_figures, nullptr, false,
        new CObjectPointerProperty("Figure", 0, sizeof(CObject*), 0, CTestFigure::GetStaticClassRecord(), nullptr, nullptr),
        nullptr, 0));
    record->AddProperty(new CArrayProperty("Levels", &CTestContainer::m_levelCount, &CTestContainer::m_levels,
                                           nullptr, true, new CIntProperty("Level", nullptr, 0, 0, 0, nullptr, 0, 0),
                                           &GetLevelNames(), 0));
    record->AddProperty(new CObjectArrayProperty("Items", &CTestContainer::m_itemCount, &CTestContainer::m_items,
                                                 &CTestContainer::m_itemCapacity, nullptr, 0));
    record->AddProperty(new CObjectArrayProperty("Named", &CTestContainer::m_namedCount, &CTestContainer::m_named,
                                                 nullptr, &GetLevelNames(), 0));
}

const CArrayProperty* CTestContainer::GetWeightsProperty()
{
    return FindContainerProperty<CArrayProperty>("Weights");
}

const CArrayProperty* CTestContainer::GetLabelsProperty()
{
    return FindContainerProperty<CArrayProperty>("Labels");
}

const CArrayProperty* CTestContainer::GetFiguresProperty()
{
    return FindContainerProperty<CArrayProperty>("Figures");
}

const CArrayProperty* CTestContainer::GetLevelsProperty()
{
    return FindContainerProperty<CArrayProperty>("Levels");
}

const CObjectArrayProperty* CTestContainer::GetItemsProperty()
{
    return FindContainerProperty<CObjectArrayProperty>("Items");
}

const CObjectArrayProperty* CTestContainer::GetNamedProperty()
{
    return FindContainerProperty<CObjectArrayProperty>("Named");
}

const CObjectPointerProperty* CTestContainer::GetFigureProperty()
{
    return FindContainerProperty<CObjectPointerProperty>("Figure");
}

void CTestNoteSetter::SetNote(const char* text)
{
    m_calls.push_back(text ? text : "(null)");
    delete[] m_kept;
    m_kept = nullptr;
    if (text) {
        m_kept = new char[std::strlen(text) + 1];
        std::strcpy(m_kept, text);
    }
}

IMPLEMENT_CLASS_RECORD(CTestNoteSetter, CObject, 1.0f)
void CTestNoteSetter::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CStringProperty("Note", &CTestNoteSetter::m_note, 0, "first", &CTestNoteSetter::SetNote));
}
