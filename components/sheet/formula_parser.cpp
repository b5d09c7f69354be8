// Recursive-descent parser of the formula language into reverse Polish code,
// and the printer that turns code back into text. Recursion here follows the
// nesting of one formula's text, never the size of the data.
//
// Precedence, lowest first: comparison (= <> < > <= >=), "&", "+ -", "* /",
// "^", unary minus/plus, "%". As in desktop spreadsheets, -2^2 is 4.
#include "components/sheet/formula_parser.h"

#include "components/sheet/functions.h"

#include <charconv>
#include <cmath>

namespace sheet {

namespace {

bool isAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.'; }

// Matches [$]letters[$]digits at `pos` when no word character or "(" follows
// (then it is a name or a call); fills the reference relative to the base cell
// and returns the length, 0 when no match.
int matchCellRef(QStringView text, int pos, CellRef* ref, int baseRow, int baseCol)
{
    CellAddress address;
    const int length = matchCellAddress(text.mid(pos), &address);
    if (length == 0) return 0;
    const int end = pos + length;
    if (end < text.size() && (isWordChar(text[end]) || text[end] == u'(')) return 0;
    ref->col = address.colAbsolute ? RefAxis{address.col, true} : RefAxis{address.col - baseCol, false};
    ref->row = address.rowAbsolute ? RefAxis{address.row, true} : RefAxis{address.row - baseRow, false};
    return length;
}

class Parser {
public:
    Parser(const QString& text, int row, int col, NameTable& names)
        : m_text(text), m_row(row), m_col(col), m_names(names)
    {
    }

    FormulaPtr parse()
    {
        auto formula = std::make_shared<Formula>();
        m_out = formula.get();
        skipSpaces();
        if (m_pos < size() && m_text[m_pos] == u'=') ++m_pos;
        skipSpaces();
        if (m_pos >= size()) fail(QStringLiteral("empty formula"));
        parseComparison();
        skipSpaces();
        if (m_pos < size()) fail(QStringLiteral("unexpected \"%1\"").arg(m_text.mid(m_pos, 10)));
        computeStackDepth(*formula);
        return formula;
    }

private:
    int size() const { return static_cast<int>(m_text.size()); }

    [[noreturn]] void fail(const QString& reason) const
    {
        const QString shown = m_text.size() > 200 ? m_text.left(200) + QStringLiteral("...") : m_text;
        throw SheetError(QStringLiteral("Formula \"%1\": %2 (at character %3)")
                             .arg(shown, reason)
                             .arg(m_pos + 1));
    }

    void skipSpaces()
    {
        while (m_pos < size() && m_text[m_pos].isSpace()) ++m_pos;
    }

    bool accept(QStringView token)
    {
        skipSpaces();
        if (QStringView(m_text).mid(m_pos, token.size()) == token) {
            m_pos += static_cast<int>(token.size());
            return true;
        }
        return false;
    }

    void put(Op op, int index = 0, int argc = 0)
    {
        m_out->code.push_back(Token{op, static_cast<std::uint8_t>(argc), index});
    }

    void parseComparison()
    {
        parseConcat();
        for (;;) {
            skipSpaces();
            Op op;
            if (accept(u"<>")) op = Op::NotEqual;
            else if (accept(u"<=")) op = Op::LessEqual;
            else if (accept(u">=")) op = Op::GreaterEqual;
            else if (accept(u"=")) op = Op::Equal;
            else if (accept(u"<")) op = Op::Less;
            else if (accept(u">")) op = Op::Greater;
            else return;
            parseConcat();
            put(op);
        }
    }

    void parseConcat()
    {
        parseAdditive();
        while (accept(u"&")) {
            parseAdditive();
            put(Op::Concat);
        }
    }

    void parseAdditive()
    {
        parseTerm();
        for (;;) {
            if (accept(u"+")) { parseTerm(); put(Op::Add); }
            else if (accept(u"-")) { parseTerm(); put(Op::Subtract); }
            else return;
        }
    }

    void parseTerm()
    {
        parsePower();
        for (;;) {
            if (accept(u"*")) { parsePower(); put(Op::Multiply); }
            else if (accept(u"/")) { parsePower(); put(Op::Divide); }
            else return;
        }
    }

    void parsePower()
    {
        parseUnary();
        while (accept(u"^")) {
            parseUnary();
            put(Op::Power);
        }
    }

    // Parentheses, calls and signs nest by recursion; a bound keeps a
    // hostile text from exhausting the stack.
    struct NestingGuard {
        Parser& parser;
        explicit NestingGuard(Parser& p) : parser(p)
        {
            if (++parser.m_depth > kMaxNesting) parser.fail(QStringLiteral("the formula nests too deeply"));
        }
        ~NestingGuard() { --parser.m_depth; }
    };

    void parseUnary()
    {
        NestingGuard guard(*this);
        if (accept(u"-")) { parseUnary(); put(Op::Negate); return; }
        if (accept(u"+")) { parseUnary(); put(Op::Plus); return; }
        parsePrimary();
        while (accept(u"%")) put(Op::Percent);
    }

    void parsePrimary()
    {
        skipSpaces();
        if (m_pos >= size()) fail(QStringLiteral("the formula ends too early"));
        const QChar c = m_text[m_pos];
        if (c == u'(') {
            ++m_pos;
            parseComparison();
            if (!accept(u")")) fail(QStringLiteral("missing \")\""));
            put(Op::Paren);
            return;
        }
        if (c == u'"') { parseString(); return; }
        if (c == u'#') { parseErrorLiteral(); return; }
        if (isDigit(c) || (c == u'.' && m_pos + 1 < size() && isDigit(m_text[m_pos + 1]))) {
            parseNumber();
            return;
        }
        if (c == u'$' || isAsciiLetter(c) || c == u'_' || c.isLetter()) {
            parseWord();
            return;
        }
        fail(QStringLiteral("unexpected \"%1\"").arg(c));
    }

    void parseString()
    {
        ++m_pos;  // opening quote
        QString value;
        for (;;) {
            if (m_pos >= size()) fail(QStringLiteral("unterminated text"));
            const QChar c = m_text[m_pos++];
            if (c == u'"') {
                if (m_pos < size() && m_text[m_pos] == u'"') {
                    value += u'"';
                    ++m_pos;
                    continue;
                }
                break;
            }
            value += c;
        }
        m_out->strings.push_back(value);
        put(Op::String, static_cast<int>(m_out->strings.size()) - 1);
    }

    void parseErrorLiteral()
    {
        static const ErrorCode codes[] = {ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                                          ErrorCode::Name, ErrorCode::Num, ErrorCode::NA,
                                          ErrorCode::Null};
        for (ErrorCode code : codes) {
            const QString name = errorName(code);
            if (QStringView(m_text).mid(m_pos, name.size()).compare(name, Qt::CaseInsensitive) == 0) {
                m_pos += static_cast<int>(name.size());
                put(Op::Error, static_cast<int>(code));
                return;
            }
        }
        fail(QStringLiteral("unknown error value"));
    }

    void parseNumber()
    {
        const int start = m_pos;
        while (m_pos < size() && isDigit(m_text[m_pos])) ++m_pos;
        if (m_pos < size() && m_text[m_pos] == u'.') {
            ++m_pos;
            while (m_pos < size() && isDigit(m_text[m_pos])) ++m_pos;
        }
        if (m_pos < size() && (m_text[m_pos] == u'e' || m_text[m_pos] == u'E')) {
            int p = m_pos + 1;
            if (p < size() && (m_text[p] == u'+' || m_text[p] == u'-')) ++p;
            if (p < size() && isDigit(m_text[p])) {
                while (p < size() && isDigit(m_text[p])) ++p;
                m_pos = p;
            }
        }
        const QByteArray digits = m_text.mid(start, m_pos - start).toLatin1();
        double value = 0;
        const auto result = std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
        if (result.ec != std::errc() || !std::isfinite(value)) fail(QStringLiteral("bad number"));
        m_out->numbers.push_back(value);
        put(Op::Number, static_cast<int>(m_out->numbers.size()) - 1);
    }

    void parseWord()
    {
        CellRef first;
        const int refLength = matchCellRef(m_text, m_pos, &first, m_row, m_col);
        if (refLength > 0) {
            m_pos += refLength;
            const int save = m_pos;
            if (accept(u":")) {
                skipSpaces();
                CellRef second;
                const int secondLength = matchCellRef(m_text, m_pos, &second, m_row, m_col);
                if (secondLength == 0) fail(QStringLiteral("a range needs a cell address after \":\""));
                m_pos += secondLength;
                m_out->refs.push_back(first);
                m_out->refs.push_back(second);
                put(Op::Range, static_cast<int>(m_out->refs.size()) - 2);
                return;
            }
            m_pos = save;
            m_out->refs.push_back(first);
            put(Op::Ref, static_cast<int>(m_out->refs.size()) - 1);
            return;
        }
        if (m_text[m_pos] == u'$') fail(QStringLiteral("bad cell address"));
        const int start = m_pos;
        while (m_pos < size() && isWordChar(m_text[m_pos])) ++m_pos;
        const QString word = m_text.mid(start, m_pos - start);
        skipSpaces();
        if (m_pos < size() && m_text[m_pos] == u'(') {
            ++m_pos;
            parseCall(word);
            return;
        }
        if (word.compare(u"TRUE", Qt::CaseInsensitive) == 0) { put(Op::Boolean, 1); return; }
        if (word.compare(u"FALSE", Qt::CaseInsensitive) == 0) { put(Op::Boolean, 0); return; }
        if (!isValidName(word)) fail(QStringLiteral("\"%1\" is not a valid name").arg(word));
        m_out->names.push_back(m_names.intern(word));
        put(Op::Name, static_cast<int>(m_out->names.size()) - 1);
    }

    // One argument, or Missing when it is left empty.
    void parseArgument()
    {
        skipSpaces();
        if (m_pos < size() && (m_text[m_pos] == u',' || m_text[m_pos] == u';' || m_text[m_pos] == u')'))
            put(Op::Missing);
        else
            parseComparison();
    }

    void parseIf()
    {
        auto& code = m_out->code;
        parseArgument();
        if (!(accept(u",") || accept(u";"))) fail(QStringLiteral("IF needs two or three arguments"));
        const size_t jumpIfFalse = code.size();
        put(Op::JumpIfFalse);
        parseArgument();
        if (accept(u",") || accept(u";")) {
            const size_t jump = code.size();
            put(Op::Jump);
            code[jumpIfFalse].index = static_cast<int>(code.size());
            parseArgument();
            put(Op::IfEnd, 0, 3);
            code[jump].index = static_cast<int>(code.size());
        } else {
            code[jumpIfFalse].index = static_cast<int>(code.size());
            put(Op::IfEnd, 0, 2);
        }
        if (!accept(u")")) fail(QStringLiteral("missing \")\" after the arguments of IF"));
    }

    void parseCall(const QString& name)
    {
        Fn fn;
        const bool known = findFunction(name, &fn);
        if (known && fn == Fn::If) {
            parseIf();
            return;
        }
        int argc = 0;
        skipSpaces();
        if (!accept(u")")) {
            for (;;) {
                skipSpaces();
                if (m_pos < size() && (m_text[m_pos] == u',' || m_text[m_pos] == u';' || m_text[m_pos] == u')'))
                    put(Op::Missing);
                else
                    parseComparison();
                ++argc;
                if (argc > 255) fail(QStringLiteral("too many arguments"));
                if (accept(u",") || accept(u";")) continue;
                if (accept(u")")) break;
                fail(QStringLiteral("missing \")\" after the arguments of %1").arg(name));
            }
        }
        if (!known) {
            // Unknown functions evaluate to #NAME?, as in spreadsheets: keep the
            // arguments balanced on the stack and replace them by the error.
            m_out->strings.push_back(name);
            m_out->code.push_back(Token{Op::Call, static_cast<std::uint8_t>(argc),
                                        -static_cast<int>(m_out->strings.size())});
            return;
        }
        const FunctionInfo& info = functionInfo(fn);
        if (argc < info.minArgs || argc > info.maxArgs)
            fail(QStringLiteral("wrong number of arguments for %1").arg(info.name));
        put(Op::Call, static_cast<int>(fn), argc);
    }

    static void computeStackDepth(Formula& formula)
    {
        int depth = 0, maxDepth = 0;
        for (const Token& t : formula.code) {
            switch (t.op) {
            case Op::Number: case Op::String: case Op::Boolean: case Op::Error:
            case Op::Ref: case Op::Range: case Op::Name: case Op::Missing:
                ++depth;
                break;
            case Op::Paren: case Op::Negate: case Op::Plus: case Op::Percent:
            case Op::JumpIfFalse: case Op::Jump:
                break;
            case Op::IfEnd:
                depth -= t.argc;
                ++depth;
                break;
            case Op::Call:
                depth -= t.argc;
                ++depth;
                break;
            default:
                --depth;  // binary operators
                break;
            }
            maxDepth = std::max(maxDepth, depth);
        }
        formula.maxStack = maxDepth + 1;
    }

    static constexpr int kMaxNesting = 200;
    const QString& m_text;
    int m_pos = 0;
    int m_depth = 0;
    int m_row, m_col;
    NameTable& m_names;
    Formula* m_out = nullptr;
};

QString refText(const CellRef& ref, int row, int col)
{
    const int r = ref.row.resolve(row);
    const int c = ref.col.resolve(col);
    if (r < 1 || r > kMaxRows || c < 1 || c > kMaxCols) return QStringLiteral("#REF!");
    return cellAddress(r, c, ref.row.absolute, ref.col.absolute);
}

QString numberText(double v)
{
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    QString s = QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
    return s.toUpper();
}

const char* operatorText(Op op)
{
    switch (op) {
    case Op::Add: return "+";
    case Op::Subtract: return "-";
    case Op::Multiply: return "*";
    case Op::Divide: return "/";
    case Op::Power: return "^";
    case Op::Concat: return "&";
    case Op::Equal: return "=";
    case Op::NotEqual: return "<>";
    case Op::Less: return "<";
    case Op::Greater: return ">";
    case Op::LessEqual: return "<=";
    case Op::GreaterEqual: return ">=";
    default: return "?";
    }
}

}  // namespace

FormulaPtr compileFormula(const QString& text, int row, int col, NameTable& names)
{
    return Parser(text, row, col, names).parse();
}

QString formulaText(const Formula& f, int row, int col, const NameTable& names)
{
    std::vector<QString> stack;
    for (const Token& t : f.code) {
        switch (t.op) {
        case Op::Number: stack.push_back(numberText(f.numbers[t.index])); break;
        case Op::String: {
            QString s = f.strings[t.index];
            s.replace(u'"', QStringLiteral("\"\""));
            stack.push_back(u'"' + s + u'"');
            break;
        }
        case Op::Boolean: stack.push_back(t.index ? QStringLiteral("TRUE") : QStringLiteral("FALSE")); break;
        case Op::Error: stack.push_back(errorName(static_cast<ErrorCode>(t.index))); break;
        case Op::Ref: stack.push_back(refText(f.refs[t.index], row, col)); break;
        case Op::Range: {
            // A range with an end off the sheet is one #REF!, so the text parses again.
            const QString first = refText(f.refs[t.index], row, col);
            const QString second = refText(f.refs[t.index + 1], row, col);
            stack.push_back(first.startsWith(u'#') || second.startsWith(u'#') ? QStringLiteral("#REF!")
                                                                              : first + u':' + second);
            break;
        }
        case Op::Name: stack.push_back(names.slot(f.names[t.index]).name); break;
        case Op::Missing: stack.push_back(QString()); break;
        case Op::Paren: stack.back() = u'(' + stack.back() + u')'; break;
        case Op::Negate: stack.back() = u'-' + stack.back(); break;
        case Op::Plus: stack.back() = u'+' + stack.back(); break;
        case Op::Percent: stack.back() += u'%'; break;
        case Op::JumpIfFalse:
        case Op::Jump: break;
        case Op::IfEnd:
        case Op::Call: {
            const QString name = t.op == Op::IfEnd ? QStringLiteral("IF")
                                 : t.index < 0 ? f.strings[-t.index - 1]
                                             : QString::fromLatin1(functionInfo(static_cast<Fn>(t.index)).name);
            QStringList args;
            for (int i = static_cast<int>(stack.size()) - t.argc; i < static_cast<int>(stack.size()); ++i)
                args << stack[i];
            stack.resize(stack.size() - t.argc);
            stack.push_back(name + u'(' + args.join(u',') + u')');
            break;
        }
        default: {
            QString right = stack.back();
            stack.pop_back();
            stack.back() += QLatin1String(operatorText(t.op)) + right;
            break;
        }
        }
    }
    return u'=' + (stack.empty() ? QString() : stack.back());
}

bool parseRangeAddress(const QString& text, Range* out)
{
    const QString trimmed = text.trimmed();
    const int colon = trimmed.indexOf(u':');
    const QStringView view(trimmed);
    const auto first = parseCellAddress(colon < 0 ? view : view.left(colon).trimmed());
    const auto last = colon < 0 ? first : parseCellAddress(view.mid(colon + 1).trimmed());
    if (!first || !last) return false;
    *out = Range{std::min(first->row, last->row), std::min(first->col, last->col),
                 std::max(first->row, last->row), std::max(first->col, last->col)};
    return true;
}

}  // namespace sheet
