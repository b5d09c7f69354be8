// The answer the workbook reader program hands its parent over a pipe: a
// stream of small records, little-endian, each starting with one tag byte.
//
//   'S' u32 n, n bytes          a sheet begins (UTF-8 name)
//   'F' u32 n, n bytes          a number format code; the first is number 1
//   'N' u32 row, u32 col, f64, u32 format (0: General)
//   'B' u32 row, u32 col, u8 (0 or 1)
//   'E' u32 row, u32 col, u8 error code
//   'T' u32 row, u32 col, u32 n, n bytes (UTF-8 text)
//   'X' u32 n, n bytes          the read failed, and why; ends the answer
//   'Z' u64 cells               the read finished with this many cells; ends the answer
//
// The writer is a CellSink; the decoder feeds a CellSink, so the parent's
// cell and sheet caps apply to the answer as to a file. The decoder trusts
// nothing: every length, position, format number and code is checked before
// use, it never buffers more than one record, and an answer that breaks off,
// carries a bad record or goes on after its end is refused.
#pragma once

#include "import/cell_sink.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <functional>

namespace dataimport {

class AnswerWriter final : public CellSink {
public:
    // `write` receives the answer in pieces of a few kilobytes.
    explicit AnswerWriter(std::function<void(const QByteArray&)> write) : m_write(std::move(write)) {}
    ~AnswerWriter() override;

    // Ends the answer: with the cell count, or with the reason the read failed.
    void finish();
    void fail(const QString& reason);

protected:
    void sheetStarted(const QString& name) override;
    void cellRead(const sheet::CellData& cell) override;

private:
    void flushIfFull();

    std::function<void(const QByteArray&)> m_write;
    QByteArray m_buffer;
    QHash<QString, quint32> m_formats;  // code -> number
};

class AnswerDecoder {
public:
    explicit AnswerDecoder(CellSink& sink) : m_sink(sink) {}

    // Takes the next bytes of the answer; false once the answer is refused.
    bool feed(QByteArrayView bytes);

    enum class State { Reading, Finished, ReadFailed, Damaged };
    State state() const { return m_state; }
    // ReadFailed: the reader's reason; Damaged: what was wrong with the answer.
    QString message() const { return m_message; }

private:
    // Decodes one record at m_pending[pos]; false when it is not complete yet.
    bool decodeRecord(qsizetype& pos);
    void damaged(const QString& what);

    CellSink& m_sink;
    QByteArray m_pending;
    qint64 m_formatCount = 0;
    std::vector<QString> m_formats;
    State m_state = State::Reading;
    QString m_message;
};

}  // namespace dataimport
