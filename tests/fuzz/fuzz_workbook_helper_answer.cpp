// libFuzzer target: the parent's decoding of the workbook reader program's
// answer. The bytes arrive in two pieces split where the first byte says, as
// they may over a pipe; any input must end in a workbook or a refusal.
#include "import/cell_sink.h"
#include "import/workbook_answer.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const auto* bytes = reinterpret_cast<const char*>(data + 1);
    const qsizetype length = static_cast<qsizetype>(size - 1);
    const qsizetype split = std::min<qsizetype>(data[0], length);
    dataimport::WorkbookCollector collector;
    dataimport::AnswerDecoder decoder(collector);
    decoder.feed(QByteArrayView(bytes, split));
    decoder.feed(QByteArrayView(bytes + split, length - split));
    if (decoder.state() == dataimport::AnswerDecoder::State::Finished) collector.take();
    return 0;
}
