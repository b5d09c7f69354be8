// Shared pieces of the libFuzzer targets: the Qt application object some code
// paths expect, quiet Qt messages (printing them would dominate the run time),
// and a scratch file for readers that take a path.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzz {

inline void quietMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

// Creates the application object once (App: QCoreApplication, or a
// QGuiApplication/QApplication for targets that draw) and silences Qt's messages.
template <typename App = QCoreApplication>
void ensureApplication()
{
    // Never destroyed: libFuzzer exits from inside its own driver, after which
    // tearing Qt down would touch objects already gone.
    static App* app = nullptr;
    if (app) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    app = new App(argc, argv);
}

inline QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A folder of this process, removed at a normal exit.
inline const QTemporaryDir& scratchDir()
{
    static QTemporaryDir dir;
    return dir;
}

// Writes the input to `fileName` in the scratch folder and returns its path;
// the same path is reused by every run.
inline QString scratchFile(const QString& fileName, const QByteArray& content)
{
    const QString path = scratchDir().filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) abort();
    if (file.write(content) != content.size()) abort();
    return path;
}

// Splits off the first byte of the input as a small choice (0..255); the rest
// stays in `rest`.
inline unsigned takeByte(QByteArray& rest)
{
    if (rest.isEmpty()) return 0;
    const unsigned b = static_cast<unsigned char>(rest.front());
    rest.remove(0, 1);
    return b;
}

}  // namespace fuzz
