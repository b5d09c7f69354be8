// Display names of spreadsheet errors.
#include "components/sheet/sheet_types.h"

namespace sheet {

QString errorName(ErrorCode error)
{
    switch (error) {
    case ErrorCode::Null: return QStringLiteral("#NULL!");
    case ErrorCode::Div0: return QStringLiteral("#DIV/0!");
    case ErrorCode::Value: return QStringLiteral("#VALUE!");
    case ErrorCode::Ref: return QStringLiteral("#REF!");
    case ErrorCode::Name: return QStringLiteral("#NAME?");
    case ErrorCode::Num: return QStringLiteral("#NUM!");
    case ErrorCode::NA: return QStringLiteral("#N/A");
    case ErrorCode::None: break;
    }
    return QString();
}

ErrorCode errorFromName(const QString& name)
{
    static const ErrorCode all[] = {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                                    ErrorCode::Name, ErrorCode::Num,  ErrorCode::NA};
    const QString trimmed = name.trimmed();
    for (ErrorCode e : all)
        if (trimmed.compare(errorName(e), Qt::CaseInsensitive) == 0) return e;
    return ErrorCode::None;
}

}  // namespace sheet
