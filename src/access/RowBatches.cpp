#include "RowBatches.h"

#include <cstring>

namespace {

template <class T>
void appendRaw(QByteArray& bytes, T value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
T readRaw(const QByteArray& bytes, qsizetype& at) {
    T value;
    std::memcpy(&value, bytes.constData() + at, sizeof value);
    at += sizeof value;
    return value;
}

void appendBytes(QByteArray& bytes, EncodedRows::Value::Kind kind, const QByteArray& data) {
    bytes.append(static_cast<char>(kind));
    appendRaw(bytes, static_cast<qint32>(data.size()));
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
                appendRaw(m_bytes, value.toLongLong());
                break;
            case QMetaType::Double:
                m_bytes.append(static_cast<char>(Kind::Real));
                appendRaw(m_bytes, value.toDouble());
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
            value.integer = readRaw<qint64>(m_bytes, m_at);
            break;
        case Value::Kind::Real:
            value.real = readRaw<double>(m_bytes, m_at);
            break;
        case Value::Kind::Text:
        case Value::Kind::Blob:
            value.size = readRaw<qint32>(m_bytes, m_at);
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
