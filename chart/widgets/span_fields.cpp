// The span fields; see span_fields.h.
#include "chart/widgets/span_fields.h"

#include "chart/widgets/range_selector_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr const char* kInvalidProperty = "invalid";

QLineEdit* makeField(QWidget* parent, const QString& name, int helpContext)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setProperty("helpContext", helpContext);
    edit->setFrame(false);
    return edit;
}

QLabel* makeCaption(QWidget* parent, const QString& name, const QString& caption, int tag)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setProperty("tag", tag);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

SpanFields::SpanFields(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("spanPanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    m_startLabel = makeCaption(this, QStringLiteral("startLabel"), tr("Start"), 5);
    m_startEdit = makeField(this, QStringLiteral("startRowEdit"), 203);
    m_endLabel = makeCaption(this, QStringLiteral("endLabel"), tr("Ende"), 6);
    m_endEdit = makeField(this, QStringLiteral("endRowEdit"), 204);
    m_startLabel->setBuddy(m_startEdit);
    m_endLabel->setBuddy(m_endEdit);
    layout->addWidget(m_startLabel);
    layout->addWidget(m_startEdit, 1);
    layout->addWidget(m_endLabel);
    layout->addWidget(m_endEdit, 1);
    connect(m_startEdit, &QLineEdit::returnPressed, this,
            [this] { emit endTyped(chart::SpanEnd::Start, m_startEdit->text()); });
    connect(m_endEdit, &QLineEdit::returnPressed, this,
            [this] { emit endTyped(chart::SpanEnd::End, m_endEdit->text()); });
}

void SpanFields::showTexts(const QString& start, const QString& end)
{
    m_startEdit->setText(start);
    m_endEdit->setText(end);
    m_startEdit->setCursorPosition(0);
    m_endEdit->setCursorPosition(0);
    setInvalid(m_startEdit, false);
    setInvalid(m_endEdit, false);
}

void SpanFields::markInvalid(chart::SpanEnd which)
{
    setInvalid(which == chart::SpanEnd::Start ? m_startEdit : m_endEdit, true);
}

bool SpanFields::isMarkedInvalid(chart::SpanEnd which) const
{
    return (which == chart::SpanEnd::Start ? m_startEdit : m_endEdit)->property(kInvalidProperty).toBool();
}

void SpanFields::setInvalid(QLineEdit* edit, bool invalid)
{
    if (edit->property(kInvalidProperty).toBool() == invalid)
        return;
    edit->setProperty(kInvalidProperty, invalid);
    QPalette palette = this->palette();
    if (invalid) {
        palette.setColor(QPalette::Base, QColor(255, 176, 176));
        palette.setColor(QPalette::Text, Qt::black);
    }
    edit->setPalette(palette);
}

std::optional<chart::VisibleSpan> applyTypedSpanEnd(RangeSelectorBar& bar, const chart::ChartJob& job,
                                                    const sheet::Spreadsheet* importGrid, const QString& text,
                                                    chart::SpanEnd which)
{
    const chart::VisibleSpan current = chart::computeVisibleSpan(job, bar.leftPercent(), bar.rightPercent());
    const auto span = chart::spanWithTypedEnd(job, importGrid, current, text, which);
    if (!span)
        return std::nullopt;
    const auto [left, right] = chart::percentsForSpan(job, *span);
    bar.setSpanPercents(left, right);
    return span;
}
