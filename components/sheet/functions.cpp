// The table of worksheet functions: names and argument counts.
#include "components/sheet/functions.h"

#include "components/sheet/formula.h"

#include <vector>

namespace sheet {

namespace {

const FunctionInfo kFunctions[] = {
    {"ABS", 1, 1},      {"AND", 1, 255},     {"AVERAGE", 1, 255}, {"COLUMN", 0, 1},
    {"COUNT", 1, 255},  {"COUNTA", 1, 255},  {"COUNTIF", 2, 2},   {"IF", 2, 3},
    {"INT", 1, 1},      {"ISBLANK", 1, 1},   {"ISERROR", 1, 1},   {"ISNUMBER", 1, 1},
    {"ISTEXT", 1, 1},   {"MAX", 1, 255},     {"MIN", 1, 255},     {"NOT", 1, 1},
    {"OR", 1, 255},     {"ROUND", 2, 2},     {"ROW", 0, 1},       {"SQRT", 1, 1},
    {"STDEV", 1, 255},  {"STDEVP", 1, 255},  {"SUM", 1, 255},     {"TRUE", 0, 0},
    {"FALSE", 0, 0},    {"NA", 0, 0},        {"ISNA", 1, 1},      {"MOD", 2, 2},
    {"PI", 0, 0},       {"IFERROR", 2, 2},   {"LEN", 1, 1},       {"EXP", 1, 1},
    {"LN", 1, 1},       {"LOG10", 1, 1},     {"POWER", 2, 2},     {"COUNTBLANK", 1, 1},
    {"SUMSQ", 1, 255},
};
static_assert(sizeof kFunctions / sizeof kFunctions[0] == static_cast<size_t>(Fn::Count_));

}  // namespace

const FunctionInfo& functionInfo(Fn fn)
{
    return kFunctions[static_cast<size_t>(fn)];
}

bool findFunction(const QString& name, Fn* out)
{
    const QByteArray upper = name.toUpper().toLatin1();
    for (size_t i = 0; i < static_cast<size_t>(Fn::Count_); ++i) {
        if (upper == kFunctions[i].name) {
            *out = static_cast<Fn>(i);
            return true;
        }
    }
    return false;
}

bool Formula::positionIndependent() const
{
    for (const CellRef& ref : refs)
        if (!ref.row.absolute || !ref.col.absolute) return false;
    for (const Token& t : code) {
        if (t.op == Op::Call && t.argc == 0
            && (t.index == static_cast<int>(Fn::Row) || t.index == static_cast<int>(Fn::Column)))
            return false;
    }
    return true;
}

bool Formula::mayGiveText() const
{
    // A walk over the code tracking, per stack entry, whether it may be a
    // non-empty text (or a reference to one).
    std::vector<bool> stack;
    auto push = [&](bool text) { stack.push_back(text); };
    auto pop = [&]() {
        if (stack.empty()) return true;
        const bool top = stack.back();
        stack.pop_back();
        return top;
    };
    for (const Token& t : code) {
        switch (t.op) {
        case Op::Number: case Op::Boolean: case Op::Error: case Op::Missing: push(false); break;
        case Op::String: push(!strings[static_cast<size_t>(t.index)].isEmpty()); break;
        case Op::Ref: case Op::Range: case Op::Name: push(true); break;
        case Op::Paren: case Op::Plus: break;
        case Op::Negate: case Op::Percent: pop(); push(false); break;
        case Op::Concat: pop(); pop(); push(true); break;
        case Op::JumpIfFalse: pop(); break;
        case Op::Jump: break;
        case Op::IfEnd: {
            bool text = t.argc == 2 ? false : pop();
            text = pop() || text;
            push(text);
            break;
        }
        case Op::Call: {
            bool anyText = false;
            for (int i = 0; i < t.argc; ++i) anyText = pop() || anyText;
            const bool passesArguments = t.index == static_cast<int>(Fn::If) || t.index == static_cast<int>(Fn::IfError);
            const bool formats = t.index == static_cast<int>(Fn::Len);
            push(formats || (passesArguments && anyText));
            break;
        }
        default: pop(); pop(); push(false); break;  // arithmetic and comparisons
        }
    }
    return stack.empty() || stack.back();
}

}  // namespace sheet
