// The reader program as a child process; see workbook_reader_process.h.
#include "import/workbook_reader_process.h"

#include "import/cell_sink.h"
#include "import/workbook_answer.h"
#include "components/platform/install_layout.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>

namespace dataimport {

namespace {

// A read of the largest file the caps allow ends well within this; a reader
// still busy after it hangs.
constexpr int kReadSeconds = 120;

const QString kDamaged = QStringLiteral("the file is damaged");

QString executableFolder()
{
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

}  // namespace

QString workbookKindName(WorkbookKind kind)
{
    switch (kind) {
    case WorkbookKind::Xls: return QStringLiteral("xls");
    case WorkbookKind::Xlsx: return QStringLiteral("xlsx");
    case WorkbookKind::Ods: return QStringLiteral("ods");
    case WorkbookKind::Native: break;
    }
    return QString();
}

QString workbookReaderProgram()
{
    const QString fromEnvironment = qEnvironmentVariable("PLOTWISE_WORKBOOK_READER");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    // Beside the executable in a build folder, in ../libexec/plotwise when installed.
    return platform::helperProgramPath(executableFolder(), QStringLiteral("plotwise-workbook-reader"));
}

QString readWorkbookInReaderProgram(WorkbookKind kind, const QString& path, sheet::WorkbookData& out)
{
    const QString program = workbookReaderProgram();
    if (!QFileInfo(program).isExecutable())
        return QStringLiteral("the workbook reader program %1 is missing").arg(program);

    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, {workbookKindName(kind), path});
    if (!process.waitForStarted())
        return QStringLiteral("the workbook reader program cannot be started (%1)").arg(process.errorString());

    WorkbookCollector collector;
    AnswerDecoder decoder(collector);
    const QDeadlineTimer deadline{std::chrono::seconds{kReadSeconds}};
    bool timedOut = false;
    while (decoder.state() != AnswerDecoder::State::Damaged) {
        if (process.bytesAvailable() == 0 && !process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            if (process.state() == QProcess::NotRunning) break;
            if (deadline.hasExpired()) {
                timedOut = true;
                break;
            }
            continue;
        }
        decoder.feed(process.readAll());
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    decoder.feed(process.readAll());

    if (timedOut) return QStringLiteral("%1 (its reading did not end within %2 seconds)").arg(kDamaged).arg(kReadSeconds);
    switch (decoder.state()) {
    case AnswerDecoder::State::Finished:
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return kDamaged;
        out = collector.take();
        return QString();
    case AnswerDecoder::State::ReadFailed:
        return decoder.message();
    case AnswerDecoder::State::Damaged:
    case AnswerDecoder::State::Reading:
        break;
    }
    // The reader crashed, broke off or answered nonsense.
    return kDamaged;
}

}  // namespace dataimport
