// The "Start" and "Ende" fields of a chart window: they show the two ends of
// the visible span and take a typed end. Enter hands the typed text to the
// host; a text that names no row is marked red until the fields next show a
// span.
#pragma once

#include "chart/typed_span.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class RangeSelectorBar;

namespace sheet { class Spreadsheet; }

class SpanFields : public QFrame {
    Q_OBJECT
public:
    explicit SpanFields(QWidget* parent = nullptr);

    QLabel* startLabel() const { return m_startLabel; }
    QLabel* endLabel() const { return m_endLabel; }
    QLineEdit* startEdit() const { return m_startEdit; }
    QLineEdit* endEdit() const { return m_endEdit; }

    // Shows both ends and clears any red mark.
    void showTexts(const QString& start, const QString& end);
    void markInvalid(chart::SpanEnd which);
    bool isMarkedInvalid(chart::SpanEnd which) const;

signals:
    void endTyped(chart::SpanEnd which, const QString& text);

private:
    void setInvalid(QLineEdit* edit, bool invalid);

    QLabel* m_startLabel;
    QLineEdit* m_startEdit;
    QLabel* m_endLabel;
    QLineEdit* m_endEdit;
};

// Applies a typed span end to the bar: on success the bar holds the new
// span's percentages and the span is returned; otherwise the bar is unchanged.
std::optional<chart::VisibleSpan> applyTypedSpanEnd(RangeSelectorBar& bar, const chart::ChartJob& job,
                                                    const sheet::Spreadsheet* importGrid, const QString& text,
                                                    chart::SpanEnd which);
