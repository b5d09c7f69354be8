// The application's standard error report: an error that no handler catches
// is shown to the user as a message box with the error's text, and the
// program goes on. Tests replace the box with a recorder.
#pragma once

#include <QString>
#include <functional>

namespace app {

using ErrorReporter = std::function<void(const QString& message)>;

// Shows the message through the current reporter (a modal message box by default).
void reportError(const QString& message);

// Replaces the reporter; an empty function restores the message box. Returns the previous one.
ErrorReporter setErrorReporter(ErrorReporter reporter);

}  // namespace app
