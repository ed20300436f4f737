#pragma once
// The object behind a frame's "Palette" property: one palette table, freed with the holder.
#include "graphics/PaletteTable.h"
#include "objects/Object.h"

class CPaletteHolder : public CObject
{
    DECLARE_CLASS_RECORD(CPaletteHolder)

    CPaletteHolder();
    ~CPaletteHolder() override;

    // The table is no reflected property; copies of a holder (a frame's copy included) carry it.
    void CopyPropertiesFrom(const CObject* other) override;

    CPaletteTable& GetTable() { return m_table; }
    const CPaletteTable& GetTable() const { return m_table; }

private:
    CPaletteTable m_table;
};
