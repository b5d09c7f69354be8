// The cool bar: a strip of bands, each holding one tool bar, shown above or
// below the pages of the main window. Bands can be hidden one by one; hiding
// the whole bar keeps each band's own visibility for when it is shown again.
#pragma once

#include <QFrame>
#include <QList>

class QHBoxLayout;
class QToolBar;

namespace app {

class CoolBar : public QFrame {
    Q_OBJECT
public:
    explicit CoolBar(QWidget* parent = nullptr);

    // Adds a band holding the tool bar; bands keep the order they are added in.
    int addBand(QToolBar* toolBar);
    int bandCount() const { return static_cast<int>(m_bands.size()); }
    QWidget* band(int index) const { return m_bands.value(index); }
    QToolBar* toolBar(int index) const { return m_toolBars.value(index); }

    // Whether the band is meant to be shown (independent of the bar's own visibility).
    void setBandVisible(int index, bool visible);
    bool isBandVisible(int index) const;

    // Lays the visible bands out again after a change.
    void realign();

private:
    QHBoxLayout* m_layout = nullptr;
    QList<QWidget*> m_bands;
    QList<QToolBar*> m_toolBars;
};

}  // namespace app
