#pragma once

#include <QByteArray>
#include <QList>
#include <QVariantList>

#include <condition_variable>
#include <exception>
#include <mutex>

/**
 * Rows of values encoded one after another in one buffer: a batch that one
 * thread fills and another reads without touching the first one's objects.
 */
class EncodedRows {
public:
    /** One value as it was encoded: Null, an integer, a real, a UTF-8 text or bytes. */
    struct Value {
        enum class Kind : char { Null, Integer, Real, Text, Blob };
        Kind kind = Kind::Null;
        qint64 integer = 0;
        double real = 0;
        /** A text's or a blob's bytes, inside the batch. */
        const char* data = nullptr;
        int size = 0;
    };

    /** Adds a row of Null, integer, double, text and byte-array values. */
    void append(const QVariantList& row);
    qsizetype rowCount() const { return m_rows; }

    /** Walks the values in the order they were appended. */
    class Cursor {
    public:
        explicit Cursor(const EncodedRows& rows) : m_bytes(rows.m_bytes) {}
        Value next();

    private:
        const QByteArray& m_bytes;
        qsizetype m_at = 0;
    };

private:
    QByteArray m_bytes;
    qsizetype m_rows = 0;
};

/**
 * Rows handed from the thread that reads an Access table to the thread that
 * writes them, encoded, in batches, with at most a few batches waiting: the
 * reading and the writing each take a core, and memory stays bounded. A
 * failure on either side stops both: the reader's comes out of next(), and
 * after cancel() the reader's push() throws Cancelled.
 */
class RowBatches {
public:
    /** What push() throws once the writer has given up. */
    struct Cancelled {};

    /** Adds a row; waits while the writer is behind. */
    void push(const QVariantList& row);
    /** No more rows: the reader is done, or failed with `error`. */
    void finish(std::exception_ptr error = nullptr);

    /** The next batch, waiting for it; false once every row was taken. Rethrows the reader's failure. */
    bool next(EncodedRows& batch);
    /** The writer gives up: the reader stops at its next row. */
    void cancel();

private:
    static constexpr qsizetype kBatchRows = 2000;
    static constexpr qsizetype kBatchesWaiting = 4;

    /** Moves the filling batch to the waiting ones; with the mutex held. */
    void handOver();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    EncodedRows m_filling;
    QList<EncodedRows> m_ready;
    bool m_finished = false;
    bool m_cancelled = false;
    std::exception_ptr m_error;
};
