// plotwise-workbook-reader: reads one foreign workbook (.xls, .xlsx, .ods)
// and writes its cells to standard output in the answer format of
// import/workbook_answer.h. Plotwise runs it as a child process for every
// such file, so a crash inside a third-party library ends only this program.
//
//   plotwise-workbook-reader xls|xlsx|ods FILE
//
// Exit status 0 when an answer was written (a finished read or the reason it
// failed), 2 for a wrong command line.
#include "import/workbook_answer.h"
#include "import/workbook_reader_process.h"
#include "import/workbook_readers.h"

#include <QString>

#include <sys/resource.h>

#include <cstdio>

namespace {

// The readers stay far below this; a library gone astray fails its
// allocation here instead of taking the machine's memory. Builds with
// AddressSanitizer reserve terabytes of address space, so they keep theirs.
void limitAddressSpace()
{
#if !defined(__SANITIZE_ADDRESS__) && !(defined(__has_feature) && __has_feature(address_sanitizer))
    constexpr rlim_t kBytes = rlim_t(3) << 30;
    rlimit limit{kBytes, kBytes};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace dataimport;
    if (argc != 3) {
        std::fprintf(stderr, "usage: plotwise-workbook-reader xls|xlsx|ods FILE\n");
        return 2;
    }
    const QString kindName = QString::fromLocal8Bit(argv[1]);
    WorkbookKind kind = WorkbookKind::Native;
    for (const WorkbookKind k : {WorkbookKind::Xls, WorkbookKind::Xlsx, WorkbookKind::Ods}) {
        if (workbookKindName(k) == kindName) kind = k;
    }
    if (kind == WorkbookKind::Native) {
        std::fprintf(stderr, "plotwise-workbook-reader: unknown kind %s\n", argv[1]);
        return 2;
    }
    limitAddressSpace();

    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    AnswerWriter answer([](const QByteArray& bytes) { std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout); });
    const QString error = readForeignWorkbook(kind, QString::fromLocal8Bit(argv[2]), answer);
    if (error.isEmpty()) answer.finish();
    else answer.fail(error);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
