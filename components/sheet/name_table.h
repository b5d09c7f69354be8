// The workbook's defined names. A formula refers to a name by its slot, so a
// name may be used before it is defined (it evaluates to #NAME? until then)
// and redefining it changes every formula that uses it. Names ignore case.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace sheet {

struct NameSlot {
    QString name;          // as first spelled
    bool defined = false;
    int sheet = 0;         // the sheet whose row/column inserts move it
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;  // absolute, one-based, row1<=row2, col1<=col2
    QString definition;    // as given, e.g. "$E$4"
};

class NameTable {
public:
    // Slot of `name`, created (undefined) when new.
    int intern(const QString& name);
    // Slot of `name` or -1.
    int find(const QString& name) const;
    const NameSlot& slot(int index) const { return m_slots[static_cast<size_t>(index)]; }
    NameSlot& slot(int index) { return m_slots[static_cast<size_t>(index)]; }
    int size() const { return static_cast<int>(m_slots.size()); }
    QStringList definedNames() const;

private:
    std::vector<NameSlot> m_slots;
    QHash<QString, int> m_index;  // lower-case name -> slot
};

}  // namespace sheet
