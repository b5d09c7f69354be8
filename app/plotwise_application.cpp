// Event dispatch with the error report around it.
#include "app/plotwise_application.h"

#include "app/error_report.h"

#include <exception>

namespace app {

PlotwiseApplication::PlotwiseApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Plotwise"));
    setOrganizationName(QStringLiteral("Plotwise"));
}

bool PlotwiseApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

}  // namespace app
