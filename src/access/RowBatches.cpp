#include "RowBatches.h"

#include <algorithm>
#include <bit>

namespace {

// Numbers are kept as their 8 or 4 bytes, least significant first.
void appendBits(QByteArray& bytes, quint64 bits, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

// The batch is written by append() alone, so a value never runs past its end; the check keeps it so.
quint64 readBits(const QByteArray& bytes, qsizetype& at, int size) {
    quint64 bits = 0;
    if (at < 0 || bytes.size() - at < size)
        return bits;
    for (int i = 0; i < size; ++i)
        bits |= quint64(static_cast<unsigned char>(bytes.at(at + i))) << (8 * i);
    at += size;
    return bits;
}

void appendBytes(QByteArray& bytes, EncodedRows::Value::Kind kind, const QByteArray& data) {
    bytes.append(static_cast<char>(kind));
    appendBits(bytes, static_cast<quint32>(data.size()), 4);
    bytes.append(data);
}

}  // namespace

void EncodedRows::append(const QVariantList& row) {
    using Kind = Value::Kind;
    for (const QVariant& value : row) {
        if (value.isNull()) {
            m_bytes.append(static_cast<char>(Kind::Null));
            continue;
        }
        switch (value.typeId()) {
            case QMetaType::LongLong:
                m_bytes.append(static_cast<char>(Kind::Integer));
                appendBits(m_bytes, static_cast<quint64>(value.toLongLong()), 8);
                break;
            case QMetaType::Double:
                m_bytes.append(static_cast<char>(Kind::Real));
                appendBits(m_bytes, std::bit_cast<quint64>(value.toDouble()), 8);
                break;
            case QMetaType::QByteArray:
                appendBytes(m_bytes, Kind::Blob, value.toByteArray());
                break;
            default:
                appendBytes(m_bytes, Kind::Text, value.toString().toUtf8());
                break;
        }
    }
    ++m_rows;
}

EncodedRows::Value EncodedRows::Cursor::next() {
    Value value;
    value.kind = static_cast<Value::Kind>(m_bytes[m_at++]);
    switch (value.kind) {
        case Value::Kind::Null:
            break;
        case Value::Kind::Integer:
            value.integer = static_cast<qint64>(readBits(m_bytes, m_at, 8));
            break;
        case Value::Kind::Real:
            value.real = std::bit_cast<double>(readBits(m_bytes, m_at, 8));
            break;
        case Value::Kind::Text:
        case Value::Kind::Blob:
            value.size =
                static_cast<int>(std::min<qsizetype>(readBits(m_bytes, m_at, 4), m_bytes.size() - m_at));
            value.data = m_bytes.constData() + m_at;
            m_at += value.size;
            break;
    }
    return value;
}

void RowBatches::push(const QVariantList& row) {
    m_filling.append(row);
    if (m_filling.rowCount() < kBatchRows)
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancelled || m_ready.size() < kBatchesWaiting; });
    if (m_cancelled)
        throw Cancelled();
    handOver();
}

void RowBatches::finish(std::exception_ptr error) {
    const std::lock_guard lock(m_mutex);
    if (!error && m_filling.rowCount() > 0)
        handOver();
    m_error = std::move(error);
    m_finished = true;
    m_changed.notify_all();
}

bool RowBatches::next(EncodedRows& batch) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_ready.isEmpty() || m_finished; });
    if (m_error)
        std::rethrow_exception(m_error);
    if (m_ready.isEmpty())
        return false;
    batch = m_ready.takeFirst();
    m_changed.notify_all();
    return true;
}

void RowBatches::cancel() {
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    m_changed.notify_all();
}

void RowBatches::handOver() {
    m_ready.append(std::move(m_filling));
    m_filling = EncodedRows();
    m_changed.notify_all();
}
