// EditBar: the line above the grid that shows the current cell's address and
// its content as it is edited (a formula with its "="), and lets the user type
// a new content for the cell. Enter stores it, Escape puts the cell's text back.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace sheetview {

class EditBar : public QWidget {
    Q_OBJECT
public:
    explicit EditBar(QWidget* parent = nullptr);

    // Shows a cell: its address ("B3") and its edit text.
    void showCell(const QString& address, const QString& content);
    QString address() const;
    QString content() const;
    QLineEdit* lineEdit() const { return m_content; }

signals:
    // The user pressed Enter with this text for the current cell.
    void committed(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_address;
    QLineEdit* m_content;
    QString m_cellContent;  // what the cell holds, for Escape
};

}  // namespace sheetview
