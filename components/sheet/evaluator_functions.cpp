// The worksheet functions. Functions over references look at number cells
// only (texts, booleans and empty cells are skipped) and stop at the first
// error; values given directly are converted (a numeric text counts).
#include "components/sheet/evaluator.h"

#include "components/sheet/functions.h"
#include "components/sheet/value_ops.h"
#include "components/sheet/workbook.h"

#include <algorithm>
#include <cmath>

namespace sheet {

namespace {

// Walks the number cells of a reference operand. Returns the first error met
// when errors count, else ErrorCode::None.
template <typename F>
ErrorCode visitRangeNumbers(const Sheet& sheet, const Value& v, bool errorsStop, F&& onNumber)
{
    for (int c = v.col1; c <= v.col2; ++c) {
        const Column* col = sheet.column(c);
        if (!col) continue;
        const int last = std::min(v.row2, col->extent() - 1);
        const std::uint8_t* kinds = col->kinds.data();
        const double* values = col->values.data();
        for (int r = v.row1; r <= last; ++r) {
            const std::uint8_t k = kinds[r] & kKindMask;
            if (k == KindNumber) onNumber(values[r]);
            else if (k == KindError && errorsStop) return static_cast<ErrorCode>(static_cast<int>(values[r]));
        }
    }
    return ErrorCode::None;
}

// Counts the cells of a range (numbers, texts incl. "", booleans, errors) that
// are not empty.
long countNonEmpty(const Sheet& sheet, const Value& v)
{
    long n = 0;
    for (int c = v.col1; c <= v.col2; ++c) {
        const Column* col = sheet.column(c);
        if (!col) continue;
        const int last = std::min(v.row2, col->extent() - 1);
        for (int r = v.row1; r <= last; ++r)
            if ((col->kinds[static_cast<size_t>(r)] & kKindMask) != KindEmpty) ++n;
    }
    return n;
}

bool isReference(const Value& v) { return v.kind == VKind::Ref || v.kind == VKind::Range; }

long cellCount(const Value& v)
{
    return static_cast<long>(v.row2 - v.row1 + 1) * static_cast<long>(v.col2 - v.col1 + 1);
}

// A COUNTIF criterion: an operator and a number or text operand.
struct Criterion {
    enum Kind { Eq, Ne, Lt, Gt, Le, Ge } op = Eq;
    bool numeric = false;
    double number = 0.0;
    QString text;
    bool matchEmpty = false;  // "=" or "" alone: empty cells
};

Criterion makeCriterion(const Value& c, QChar separator)
{
    Criterion crit;
    if (c.kind == VKind::Number || c.kind == VKind::Boolean) {
        crit.numeric = true;
        crit.number = c.number;
        return crit;
    }
    QString s = c.kind == VKind::Text ? *c.text : QString();
    static const struct { const char* prefix; Criterion::Kind op; } ops[] = {
        {"<>", Criterion::Ne}, {"<=", Criterion::Le}, {">=", Criterion::Ge},
        {"=", Criterion::Eq},  {"<", Criterion::Lt},  {">", Criterion::Gt},
    };
    for (const auto& o : ops) {
        if (s.startsWith(QLatin1String(o.prefix))) {
            crit.op = o.op;
            s = s.mid(static_cast<int>(qstrlen(o.prefix)));
            break;
        }
    }
    double x;
    if (parseNumberText(s, separator, &x)) {
        crit.numeric = true;
        crit.number = x;
    } else {
        crit.text = s;
        crit.matchEmpty = s.isEmpty();
    }
    return crit;
}

bool applyOrder(Criterion::Kind op, int c)
{
    switch (op) {
    case Criterion::Eq: return c == 0;
    case Criterion::Ne: return c != 0;
    case Criterion::Lt: return c < 0;
    case Criterion::Gt: return c > 0;
    case Criterion::Le: return c <= 0;
    default: return c >= 0;
    }
}

// Whether one cell value meets the criterion. Errors never match; a numeric
// criterion looks at numbers only, a text criterion at texts only.
bool meets(const Criterion& crit, std::uint8_t kind, double value, const Sheet& sheet)
{
    kind &= kKindMask;
    if (crit.matchEmpty) {
        const bool empty = kind == KindEmpty || kind == KindEmptyText;
        return crit.op == Criterion::Ne ? !empty : empty;
    }
    if (crit.numeric) {
        if (kind != KindNumber) return crit.op == Criterion::Ne;
        return applyOrder(crit.op, neartie::compare(value, crit.number));
    }
    if (kind != KindText && kind != KindEmptyText) return crit.op == Criterion::Ne;
    const QString& text = kind == KindText ? sheet.texts[static_cast<size_t>(value)] : kEmptyText;
    const int c = QString::compare(text, crit.text, Qt::CaseInsensitive);
    return applyOrder(crit.op, c < 0 ? -1 : (c > 0 ? 1 : 0));
}

}  // namespace

// The function dispatch of the hot loop: one switch over every function, kept
// whole so a call is one jump and each case reads beside its siblings.
void Evaluator::call(const Token& t, Value* args)
{
    const Fn fn = static_cast<Fn>(t.index);
    const int argc = t.argc;
    const QChar separator = m_book.decimalSeparator;
    Value& result = args[0];

    // Feeds every number of the arguments to onNumber. References give their
    // number cells; direct values are converted, a non-numeric text being an
    // error unless textsIgnored. Errors stop the walk unless errorsIgnored.
    auto visitNumbers = [&](bool errorsIgnored, bool textsIgnored, auto&& onNumber) -> ErrorCode {
        for (int i = 0; i < argc; ++i) {
            const Value& a = args[i];
            if (isReference(a)) {
                const ErrorCode e = visitRangeNumbers(m_sheet, a, !errorsIgnored, onNumber);
                if (e != ErrorCode::None) return e;
                continue;
            }
            switch (a.kind) {
            case VKind::Number:
            case VKind::Boolean: onNumber(a.number); break;
            case VKind::Error:
                if (!errorsIgnored) return a.error;
                break;
            case VKind::Text: {
                double x = 0.0;
                if (parseNumberText(*a.text, separator, &x)) onNumber(x);
                else if (!textsIgnored) return ErrorCode::Value;
                break;
            }
            default: break;
            }
        }
        return ErrorCode::None;
    };

    auto unaryNumber = [&](auto&& op) {
        double x = 0.0;
        const ErrorCode e = toNumber(scalar(args[0]), separator, &x);
        result = e != ErrorCode::None ? errorValue(e) : op(x);
    };

    switch (fn) {
    case Fn::Sum: {
        neartie::Sum sum;
        const ErrorCode e = visitNumbers(false, false, [&](double x) { sum.add(x); });
        result = e != ErrorCode::None ? errorValue(e) : numberValue(sum.value());
        return;
    }
    case Fn::SumSq: {
        neartie::Sum sum;
        const ErrorCode e = visitNumbers(false, false, [&](double x) { sum.add(x * x); });
        result = e != ErrorCode::None ? errorValue(e) : numberValue(sum.value());
        return;
    }
    case Fn::Average: {
        neartie::Sum sum;
        long n = 0;
        const ErrorCode e = visitNumbers(false, false, [&](double x) { sum.add(x); ++n; });
        if (e != ErrorCode::None) result = errorValue(e);
        else result = n == 0 ? errorValue(ErrorCode::Div0) : numberValue(sum.value() / static_cast<double>(n));
        return;
    }
    case Fn::Count: {
        long n = 0;
        visitNumbers(true, true, [&](double) { ++n; });
        result = numberValue(static_cast<double>(n));
        return;
    }
    case Fn::CountA: {
        long n = 0;
        for (int i = 0; i < argc; ++i) {
            if (isReference(args[i])) n += countNonEmpty(m_sheet, args[i]);
            else if (args[i].kind != VKind::Missing) ++n;
        }
        result = numberValue(static_cast<double>(n));
        return;
    }
    case Fn::CountBlank: {
        if (!isReference(args[0])) { result = errorValue(ErrorCode::Value); return; }
        long nonEmpty = 0;
        const Value& r = args[0];
        for (int c = r.col1; c <= r.col2; ++c) {
            const Column* col = m_sheet.column(c);
            if (!col) continue;
            const int last = std::min(r.row2, col->extent() - 1);
            for (int row = r.row1; row <= last; ++row) {
                const std::uint8_t k = col->kinds[static_cast<size_t>(row)] & kKindMask;
                if (k != KindEmpty && k != KindEmptyText) ++nonEmpty;
            }
        }
        result = numberValue(static_cast<double>(cellCount(r) - nonEmpty));
        return;
    }
    case Fn::Min:
    case Fn::Max: {
        bool any = false;
        double best = 0.0;
        const bool isMax = fn == Fn::Max;
        const ErrorCode e = visitNumbers(false, false, [&](double x) {
            if (!any || (isMax ? x > best : x < best)) best = x;
            any = true;
        });
        result = e != ErrorCode::None ? errorValue(e) : numberValue(any ? best : 0.0);
        return;
    }
    case Fn::StDev:
    case Fn::StDevP: {
        m_numbers.clear();
        const ErrorCode e = visitNumbers(false, false, [&](double x) { m_numbers.push_back(x); });
        if (e != ErrorCode::None) { result = errorValue(e); return; }
        const size_t n = m_numbers.size();
        const bool sample = fn == Fn::StDev;
        if (n == 0 || (sample && n < 2)) { result = errorValue(ErrorCode::Div0); return; }
        neartie::Sum sum;
        for (double x : m_numbers) sum.add(x);
        const double mean = sum.value() / static_cast<double>(n);
        neartie::Sum squares;
        for (double x : m_numbers) {
            const double d = x - mean;
            squares.add(d * d);
        }
        const double variance = squares.value() / static_cast<double>(sample ? n - 1 : n);
        result = numberValue(std::sqrt(variance));
        return;
    }
    case Fn::CountIf: {
        if (!isReference(args[0])) { result = errorValue(ErrorCode::Value); return; }
        const Value crit = scalar(args[1]);
        if (crit.kind == VKind::Error) { result = crit; return; }
        const Criterion c = makeCriterion(crit, separator);
        const Value& r = args[0];
        long n = 0;
        long seen = 0;
        for (int cc = r.col1; cc <= r.col2; ++cc) {
            const Column* col = m_sheet.column(cc);
            if (!col) continue;
            const int last = std::min(r.row2, col->extent() - 1);
            for (int row = r.row1; row <= last; ++row) {
                ++seen;
                if (meets(c, col->kinds[static_cast<size_t>(row)], col->values[static_cast<size_t>(row)], m_sheet)) ++n;
            }
        }
        // Cells past a column's storage are empty.
        if (meets(c, KindEmpty, 0.0, m_sheet)) n += cellCount(r) - seen;
        result = numberValue(static_cast<double>(n));
        return;
    }
    case Fn::And:
    case Fn::Or: {
        const bool isAnd = fn == Fn::And;
        bool any = false;
        bool acc = isAnd;
        for (int i = 0; i < argc; ++i) {
            const Value& a = args[i];
            if (isReference(a)) {
                for (int c = a.col1; c <= a.col2; ++c) {
                    const Column* col = m_sheet.column(c);
                    if (!col) continue;
                    const int last = std::min(a.row2, col->extent() - 1);
                    for (int r = a.row1; r <= last; ++r) {
                        const std::uint8_t k = col->kinds[static_cast<size_t>(r)] & kKindMask;
                        const double v = col->values[static_cast<size_t>(r)];
                        if (k == KindError) { result = errorValue(static_cast<ErrorCode>(static_cast<int>(v))); return; }
                        if (k == KindNumber || k == KindBoolean) {
                            any = true;
                            acc = isAnd ? (acc && v != 0.0) : (acc || v != 0.0);
                        }
                    }
                }
                continue;
            }
            if (a.kind == VKind::Missing) continue;
            bool b = false;
            const ErrorCode e = toBoolean(a, separator, &b);
            if (e != ErrorCode::None) { result = errorValue(e); return; }
            any = true;
            acc = isAnd ? (acc && b) : (acc || b);
        }
        result = any ? booleanValue(acc) : errorValue(ErrorCode::Value);
        return;
    }
    case Fn::Not: {
        bool b = false;
        const ErrorCode e = toBoolean(scalar(args[0]), separator, &b);
        result = e != ErrorCode::None ? errorValue(e) : booleanValue(!b);
        return;
    }
    case Fn::If: {
        bool b = false;
        const ErrorCode e = toBoolean(scalar(args[0]), separator, &b);
        if (e != ErrorCode::None) { result = errorValue(e); return; }
        if (b) result = args[1].kind == VKind::Missing ? numberValue(0.0) : args[1];
        else if (argc < 3) result = booleanValue(false);
        else result = args[2].kind == VKind::Missing ? numberValue(0.0) : args[2];
        return;
    }
    case Fn::IfError: {
        const Value v = scalar(args[0]);
        result = v.kind == VKind::Error ? args[1] : args[0];
        return;
    }
    case Fn::IsBlank: {
        const Value v = scalar(args[0]);
        result = booleanValue(isReference(args[0]) && v.kind == VKind::Empty);
        return;
    }
    case Fn::IsNumber: result = booleanValue(scalar(args[0]).kind == VKind::Number); return;
    case Fn::IsText: result = booleanValue(scalar(args[0]).kind == VKind::Text); return;
    case Fn::IsError: result = booleanValue(scalar(args[0]).kind == VKind::Error); return;
    case Fn::IsNA: {
        const Value v = scalar(args[0]);
        result = booleanValue(v.kind == VKind::Error && v.error == ErrorCode::NA);
        return;
    }
    case Fn::Abs: unaryNumber([](double x) { return numberValue(std::fabs(x)); }); return;
    case Fn::Int: unaryNumber([](double x) { return numberValue(std::floor(x)); }); return;
    case Fn::Sqrt:
        unaryNumber([](double x) { return x < 0 ? errorValue(ErrorCode::Num) : numberValue(std::sqrt(x)); });
        return;
    case Fn::Exp: unaryNumber([](double x) { return numberValue(std::exp(x)); }); return;
    case Fn::Ln:
        unaryNumber([](double x) { return x <= 0 ? errorValue(ErrorCode::Num) : numberValue(std::log(x)); });
        return;
    case Fn::Log10:
        unaryNumber([](double x) { return x <= 0 ? errorValue(ErrorCode::Num) : numberValue(std::log10(x)); });
        return;
    case Fn::Round:
    case Fn::Mod:
    case Fn::Power: {
        double x = 0.0, y = 0.0;
        ErrorCode e = toNumber(scalar(args[0]), separator, &x);
        if (e == ErrorCode::None) e = toNumber(scalar(args[1]), separator, &y);
        if (e != ErrorCode::None) { result = errorValue(e); return; }
        if (fn == Fn::Round) {
            // Beyond about 330 places either way every double rounds to itself
            // or to zero: clamp before the conversion to int.
            if (!std::isfinite(y)) result = errorValue(ErrorCode::Num);
            else result = numberValue(roundHalfAway(x, static_cast<int>(std::clamp(std::trunc(y), -400.0, 400.0))));
        } else if (fn == Fn::Mod) {
            result = y == 0.0 ? errorValue(ErrorCode::Div0) : numberValue(x - y * std::floor(x / y));
        } else {
            if (x == 0.0 && y == 0.0) result = errorValue(ErrorCode::Num);
            else if (x == 0.0 && y < 0.0) result = errorValue(ErrorCode::Div0);
            else result = numberValue(std::pow(x, y));
        }
        return;
    }
    case Fn::Row:
    case Fn::Column: {
        if (argc == 0) {
            result = numberValue(fn == Fn::Row ? m_row : m_col);
            return;
        }
        if (!isReference(args[0])) {
            result = args[0].kind == VKind::Error ? args[0] : errorValue(ErrorCode::Value);
            return;
        }
        result = numberValue(fn == Fn::Row ? args[0].row1 : args[0].col1);
        return;
    }
    case Fn::Len: {
        const Value v = scalar(args[0]);
        switch (v.kind) {
        case VKind::Error: result = v; return;
        case VKind::Text: result = numberValue(v.text->size()); return;
        case VKind::Number:
            result = numberValue(formatNumber(v.number, QStringLiteral("General"), separator).size());
            return;
        case VKind::Boolean: result = numberValue(v.number != 0.0 ? 4 : 5); return;
        default: result = numberValue(0); return;
        }
    }
    case Fn::Pi: result = numberValue(M_PI); return;
    case Fn::True: result = booleanValue(true); return;
    case Fn::False: result = booleanValue(false); return;
    case Fn::NA: result = errorValue(ErrorCode::NA); return;
    case Fn::Count_: break;
    }
    result = errorValue(ErrorCode::Name);
}

}  // namespace sheet
