// The reader program's answer; see workbook_answer.h.
#include "import/workbook_answer.h"

#include "import/workbook_limits.h"

#include "components/sheet/cell_address.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace dataimport {

namespace {

constexpr qsizetype kFlushBytes = 64 * 1024;
// Longest UTF-8 form of the longest text, sheet name and format code.
constexpr quint32 kMaxTextBytes = 4 * kMaxTextLength;
constexpr quint32 kMaxNameBytes = 4 * kMaxNameLength;
constexpr qint64 kMaxFormats = 65'536;

void putU32(QByteArray& out, quint32 v)
{
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

void putBytes(QByteArray& out, char tag, const QByteArray& bytes)
{
    out.append(tag);
    putU32(out, static_cast<quint32>(bytes.size()));
    out.append(bytes);
}

void putPosition(QByteArray& out, char tag, const sheet::CellData& cell)
{
    out.append(tag);
    putU32(out, static_cast<quint32>(cell.row));
    putU32(out, static_cast<quint32>(cell.col));
}

quint32 getU32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

}  // namespace

AnswerWriter::~AnswerWriter() = default;

void AnswerWriter::flushIfFull()
{
    if (m_buffer.size() < kFlushBytes) return;
    m_write(m_buffer);
    m_buffer.clear();
}

void AnswerWriter::sheetStarted(const QString& name)
{
    putBytes(m_buffer, 'S', name.toUtf8());
    flushIfFull();
}

void AnswerWriter::cellRead(const sheet::CellData& cell)
{
    switch (cell.kind) {
    case sheet::CellKind::Number: {
        quint32 format = 0;
        if (!cell.format.isEmpty()) {
            auto it = m_formats.constFind(cell.format);
            if (it == m_formats.constEnd()) {
                if (m_formats.size() >= kMaxFormats) throw WorkbookReadError{limitMessage(QStringLiteral("number formats"), m_formats.size() + 1, kMaxFormats)};
                if (cell.format.size() > kMaxNameLength)
                    throw WorkbookReadError{limitMessage(QStringLiteral("characters in a number format"), cell.format.size(), kMaxNameLength)};
                putBytes(m_buffer, 'F', cell.format.toUtf8());
                it = m_formats.insert(cell.format, static_cast<quint32>(m_formats.size() + 1));
            }
            format = *it;
        }
        putPosition(m_buffer, 'N', cell);
        char bytes[8];
        qToLittleEndian(cell.number, bytes);
        m_buffer.append(bytes, 8);
        putU32(m_buffer, format);
        break;
    }
    case sheet::CellKind::Boolean:
        putPosition(m_buffer, 'B', cell);
        m_buffer.append(cell.number != 0 ? '\1' : '\0');
        break;
    case sheet::CellKind::Error:
        putPosition(m_buffer, 'E', cell);
        m_buffer.append(static_cast<char>(cell.error));
        break;
    case sheet::CellKind::Text:
        putPosition(m_buffer, 'T', cell);
        {
            const QByteArray text = cell.text.toUtf8();
            putU32(m_buffer, static_cast<quint32>(text.size()));
            m_buffer.append(text);
        }
        break;
    case sheet::CellKind::Empty:
    case sheet::CellKind::Formula:
        break;  // readers hand over values only
    }
    flushIfFull();
}

void AnswerWriter::finish()
{
    m_buffer.append('Z');
    char bytes[8];
    qToLittleEndian(static_cast<quint64>(cellCount()), bytes);
    m_buffer.append(bytes, 8);
    m_write(m_buffer);
    m_buffer.clear();
}

void AnswerWriter::fail(const QString& reason)
{
    putBytes(m_buffer, 'X', reason.left(kMaxNameLength).toUtf8());
    m_write(m_buffer);
    m_buffer.clear();
}

void AnswerDecoder::damaged(const QString& what)
{
    m_state = State::Damaged;
    m_message = what;
    m_pending.clear();
}

bool AnswerDecoder::feed(QByteArrayView bytes)
{
    if (m_state == State::Damaged) return false;
    if (bytes.isEmpty()) return true;
    if (m_state != State::Reading) {
        damaged(QStringLiteral("the answer goes on after its end"));
        return false;
    }
    m_pending.append(bytes.data(), bytes.size());
    qsizetype pos = 0;
    try {
        while (m_state == State::Reading && pos < m_pending.size() && decodeRecord(pos)) {
        }
    } catch (const WorkbookReadError& e) {
        damaged(e.message);
        return false;
    }
    if (m_state == State::Damaged) return false;
    if (m_state != State::Reading && pos < m_pending.size()) {
        damaged(QStringLiteral("the answer goes on after its end"));
        return false;
    }
    m_pending.remove(0, pos);
    return true;
}

bool AnswerDecoder::decodeRecord(qsizetype& pos)
{
    const char* p = m_pending.constData() + pos;
    const qsizetype available = m_pending.size() - pos;
    const char tag = p[0];

    // A record with a length: the length is checked before its bytes are awaited.
    auto lengthRecord = [&](qsizetype headerSize, quint32 maxBytes, QByteArrayView& payload) {
        if (available < headerSize) return false;
        const quint32 n = getU32(p + headerSize - 4);
        if (n > maxBytes) {
            damaged(QStringLiteral("a record of %1 bytes is longer than the %2 allowed").arg(n).arg(maxBytes));
            return false;
        }
        if (available < headerSize + static_cast<qsizetype>(n)) return false;
        payload = QByteArrayView(p + headerSize, n);
        pos += headerSize + n;
        return true;
    };
    auto position = [&](sheet::CellData& cell) {
        const quint32 row = getU32(p + 1);
        const quint32 col = getU32(p + 5);
        if (row < 1 || row > sheet::kMaxRows || col < 1 || col > sheet::kMaxCols) {
            damaged(QStringLiteral("a cell lies outside the sheet"));
            return false;
        }
        cell.row = static_cast<int>(row);
        cell.col = static_cast<int>(col);
        return true;
    };

    sheet::CellData cell;
    QByteArrayView payload;
    switch (tag) {
    case 'S':
        if (!lengthRecord(5, kMaxNameBytes, payload)) return false;
        m_sink.beginSheet(QString::fromUtf8(payload));
        return true;
    case 'F':
        if (!lengthRecord(5, kMaxNameBytes, payload)) return false;
        if (static_cast<qint64>(m_formats.size()) >= kMaxFormats) {
            damaged(QStringLiteral("too many number formats"));
            return false;
        }
        m_formats.push_back(QString::fromUtf8(payload));
        return true;
    case 'X':
        if (!lengthRecord(5, kMaxNameBytes, payload)) return false;
        m_state = State::ReadFailed;
        m_message = QString::fromUtf8(payload);
        return true;
    case 'Z': {
        if (available < 9) return false;
        const quint64 count = qFromLittleEndian<quint64>(p + 1);
        pos += 9;
        if (count != static_cast<quint64>(m_sink.cellCount())) {
            damaged(QStringLiteral("the answer lost cells"));
            return false;
        }
        m_state = State::Finished;
        return true;
    }
    case 'N': {
        if (available < 21) return false;
        if (!position(cell)) return false;
        const double number = qFromLittleEndian<double>(p + 9);
        const quint32 format = getU32(p + 17);
        if (!std::isfinite(number) || format > m_formats.size()) {
            damaged(QStringLiteral("a number cell is damaged"));
            return false;
        }
        cell.kind = sheet::CellKind::Number;
        cell.number = number;
        if (format > 0) cell.format = m_formats[format - 1];
        pos += 21;
        break;
    }
    case 'B':
    case 'E': {
        if (available < 10) return false;
        if (!position(cell)) return false;
        const auto value = static_cast<unsigned char>(p[9]);
        if (tag == 'B') {
            if (value > 1) {
                damaged(QStringLiteral("a boolean cell is damaged"));
                return false;
            }
            cell.kind = sheet::CellKind::Boolean;
            cell.number = value;
        } else {
            if (value < static_cast<unsigned char>(sheet::ErrorCode::Null) || value > static_cast<unsigned char>(sheet::ErrorCode::NA)) {
                damaged(QStringLiteral("an error cell is damaged"));
                return false;
            }
            cell.kind = sheet::CellKind::Error;
            cell.error = static_cast<sheet::ErrorCode>(value);
        }
        pos += 10;
        break;
    }
    case 'T':
        if (available < 13) return false;
        if (!lengthRecord(13, kMaxTextBytes, payload)) return false;
        if (!position(cell)) return false;
        cell.kind = sheet::CellKind::Text;
        cell.text = QString::fromUtf8(payload);
        break;
    default:
        damaged(QStringLiteral("the answer holds an unknown record"));
        return false;
    }
    m_sink.addCell(cell);
    return true;
}

}  // namespace dataimport
