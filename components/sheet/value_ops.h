// Small value helpers shared by the interpreter and the worksheet functions:
// building stack values, converting operands to numbers and truth values, and
// ordering two values as spreadsheets do (numbers < texts < booleans); and
// the evaluator's cell reads, inlined into both of its source files.
#pragma once

#include "components/sheet/evaluator.h"
#include "components/sheet/near_tie.h"
#include "components/sheet/number_format.h"
#include "components/sheet/sheet_store.h"

#include <cmath>

namespace sheet {

inline const QString kEmptyText;
inline const QString kTrueText = QStringLiteral("TRUE");
inline const QString kFalseText = QStringLiteral("FALSE");

inline Value numberValue(double x)
{
    Value v;
    if (!std::isfinite(x)) {
        v.kind = VKind::Error;
        v.error = ErrorCode::Num;
        return v;
    }
    v.kind = VKind::Number;
    v.number = x;
    return v;
}
inline Value errorValue(ErrorCode e)
{
    Value v;
    v.kind = VKind::Error;
    v.error = e;
    return v;
}
inline Value booleanValue(bool b)
{
    Value v;
    v.kind = VKind::Boolean;
    v.number = b ? 1.0 : 0.0;
    return v;
}
inline Value textValue(const QString* text)
{
    Value v;
    v.kind = VKind::Text;
    v.text = text;
    return v;
}

inline int kindRank(VKind k)
{
    switch (k) {
    case VKind::Number: return 0;
    case VKind::Text: return 1;
    default: return 2;  // Boolean
    }
}

// An empty operand compared with something takes that side's empty value:
// 0, "" or FALSE.
inline Value emptyLike(const Value& other)
{
    switch (other.kind) {
    case VKind::Text: return textValue(&kEmptyText);
    case VKind::Boolean: return booleanValue(false);
    default: return numberValue(0.0);
    }
}

inline int compareScalars(Value a, Value b)
{
    const bool aEmpty = a.kind == VKind::Empty || a.kind == VKind::Missing;
    const bool bEmpty = b.kind == VKind::Empty || b.kind == VKind::Missing;
    if (aEmpty && bEmpty) return 0;
    if (aEmpty) a = emptyLike(b);
    if (bEmpty) b = emptyLike(a);
    const int ra = kindRank(a.kind), rb = kindRank(b.kind);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (a.kind == VKind::Number) return neartie::compare(a.number, b.number);
    if (a.kind == VKind::Text) {
        const int c = QString::compare(*a.text, *b.text, Qt::CaseInsensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
}

// Rounds half away from zero, treating a value within a near tie of .5 as .5,
// so ROUND(2.675, 2) is 2.68 as people expect.
inline double roundHalfAway(double x, int digits)
{
    if (digits > 15 || !std::isfinite(x)) return x;
    const double scale = std::pow(10.0, std::abs(digits));
    if (std::isinf(scale)) return std::copysign(0.0, x);  // far left of any digit (right: digits > 15 above)
    const double y = digits >= 0 ? std::fabs(x) * scale : std::fabs(x) / scale;
    double whole = std::floor(y);
    const double fraction = y - whole;
    if (fraction >= 0.5 || neartie::equal(fraction, 0.5) || neartie::equal(y, whole + 0.5)) whole += 1.0;
    const double r = digits >= 0 ? whole / scale : whole * scale;
    return std::copysign(r, x);
}


inline ErrorCode toNumber(const Value& s, QChar separator, double* out)
{
    switch (s.kind) {
    case VKind::Number:
    case VKind::Boolean: *out = s.number; return ErrorCode::None;
    case VKind::Empty:
    case VKind::Missing: *out = 0.0; return ErrorCode::None;
    case VKind::Error: return s.error;
    case VKind::Text:
        if (parseNumberText(*s.text, separator, out)) return ErrorCode::None;
        return ErrorCode::Value;
    default: return ErrorCode::Value;
    }
}

inline ErrorCode toBoolean(const Value& s, QChar separator, bool* out)
{
    switch (s.kind) {
    case VKind::Number:
    case VKind::Boolean: *out = s.number != 0.0; return ErrorCode::None;
    case VKind::Empty:
    case VKind::Missing: *out = false; return ErrorCode::None;
    case VKind::Error: return s.error;
    case VKind::Text:
        if (s.text->compare(kTrueText, Qt::CaseInsensitive) == 0) { *out = true; return ErrorCode::None; }
        if (s.text->compare(kFalseText, Qt::CaseInsensitive) == 0) { *out = false; return ErrorCode::None; }
        (void)separator;
        return ErrorCode::Value;
    default: return ErrorCode::Value;
    }
}

inline Value Evaluator::cellValue(int row, int col) const
{
    const Column* c = m_sheet.column(col);
    if (!c || row >= c->extent()) return Value{};
    const double v = c->values[static_cast<size_t>(row)];
    switch (c->kinds[static_cast<size_t>(row)] & kKindMask) {
    case KindNumber: { Value n; n.kind = VKind::Number; n.number = v; return n; }
    case KindText: return textValue(&m_sheet.texts[static_cast<size_t>(v)]);
    case KindBoolean: return booleanValue(v != 0.0);
    case KindError: return errorValue(static_cast<ErrorCode>(static_cast<int>(v)));
    case KindEmptyText: return textValue(&kEmptyText);
    default: return Value{};
    }
}

// The single value an operand stands for: a reference gives its cell; a range
// gives the cell in the formula's own row or column (implicit intersection).
inline Value Evaluator::scalar(const Value& v) const
{
    if (v.kind == VKind::Ref) return cellValue(v.row1, v.col1);
    if (v.kind == VKind::Range) {
        if (v.row1 == v.row2 && v.col1 == v.col2) return cellValue(v.row1, v.col1);
        if (v.col1 == v.col2 && m_row >= v.row1 && m_row <= v.row2) return cellValue(m_row, v.col1);
        if (v.row1 == v.row2 && m_col >= v.col1 && m_col <= v.col2) return cellValue(v.row1, m_col);
        return errorValue(ErrorCode::Value);
    }
    return v;
}

}  // namespace sheet
