// The grid's edit bar: cell address and editable content.
#include "components/sheetview/edit_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace sheetview {

EditBar::EditBar(QWidget* parent) : QWidget(parent)
{
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("cellAddress"));
    m_address->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("XFD1048576")) + 8);
    m_address->setFrameShape(QFrame::StyledPanel);
    m_content = new QLineEdit(this);
    m_content->setObjectName(QStringLiteral("cellContent"));
    m_content->installEventFilter(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->addWidget(m_address);
    layout->addWidget(m_content, 1);

    connect(m_content, &QLineEdit::returnPressed, this,
            [this] { emit committed(m_content->text()); });
}

void EditBar::showCell(const QString& address, const QString& content)
{
    m_address->setText(address);
    m_cellContent = content;
    m_content->setText(content);
}

QString EditBar::address() const
{
    return m_address->text();
}

QString EditBar::content() const
{
    return m_content->text();
}

bool EditBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_content && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_content->setText(m_cellContent);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sheetview
