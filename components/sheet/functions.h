// The worksheet functions the formula language knows: their ids as stored in
// compiled code, their names and how many arguments each accepts.
#pragma once

#include <QString>
#include <cstdint>

namespace sheet {

enum class Fn : std::uint8_t {
    Abs, And, Average, Column, Count, CountA, CountIf, If, Int, IsBlank, IsError, IsNumber,
    IsText, Max, Min, Not, Or, Round, Row, Sqrt, StDev, StDevP, Sum,
    True, False, NA, IsNA, Mod, Pi, IfError, Len, Exp, Ln, Log10, Power, CountBlank, SumSq,
    Count_  // number of functions
};

struct FunctionInfo {
    const char* name;
    int minArgs;
    int maxArgs;  // 255: open-ended
};

const FunctionInfo& functionInfo(Fn fn);
// The function of that name (case-insensitive); false when there is none.
bool findFunction(const QString& name, Fn* out);

}  // namespace sheet
