// Error names for the file tests while the component library is not yet
// linked in; the same texts the component gives its error codes.
#include "sheet_types.h"

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
    for (ErrorCode e : {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                        ErrorCode::Name, ErrorCode::Num, ErrorCode::NA})
        if (name.compare(errorName(e), Qt::CaseInsensitive) == 0)
            return e;
    return ErrorCode::None;
}

}  // namespace sheet
