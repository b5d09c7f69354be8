// Defined-name slots of a workbook.
#include "components/sheet/name_table.h"

namespace sheet {

int NameTable::intern(const QString& name)
{
    const QString key = name.toLower();
    const auto it = m_index.constFind(key);
    if (it != m_index.constEnd()) return it.value();
    NameSlot slot;
    slot.name = name;
    m_slots.push_back(slot);
    const int index = static_cast<int>(m_slots.size()) - 1;
    m_index.insert(key, index);
    return index;
}

int NameTable::find(const QString& name) const
{
    return m_index.value(name.toLower(), -1);
}

QStringList NameTable::definedNames() const
{
    QStringList names;
    for (const NameSlot& s : m_slots)
        if (s.defined) names << s.name;
    return names;
}

}  // namespace sheet
