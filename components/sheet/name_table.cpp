// Defined-name slots of a workbook.
#include "components/sheet/name_table.h"

#include "components/sheet/formula_parser.h"

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

bool isValidName(const QString& name)
{
    if (name.isEmpty()) return false;
    const QChar first = name.at(0);
    if (!(first.isLetter() || first == u'_')) return false;
    for (QChar ch : name)
        if (!(ch.isLetterOrNumber() || ch == u'_' || ch == u'.')) return false;
    int row = 0, col = 0;
    if (parseCellAddress(name, &row, &col)) return false;
    return true;
}

}  // namespace sheet
