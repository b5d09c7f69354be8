// The default error report shows a modal message box over the active window.
#include "app/error_report.h"

#include <QApplication>
#include <QMessageBox>

namespace app {

namespace {

ErrorReporter& currentReporter()
{
    static ErrorReporter reporter;
    return reporter;
}

void showMessageBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Plotwise"), message);
}

}  // namespace

void reportError(const QString& message)
{
    if (currentReporter())
        currentReporter()(message);
    else
        showMessageBox(message);
}

ErrorReporter setErrorReporter(ErrorReporter reporter)
{
    ErrorReporter previous = std::move(currentReporter());
    currentReporter() = std::move(reporter);
    return previous;
}

}  // namespace app
