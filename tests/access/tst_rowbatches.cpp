#include "access/RowBatches.h"
#include "db/DbError.h"

#include <QTest>

#include <thread>

class TestRowBatches : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valuesComeOutAsTheyWentIn_data();
    void valuesComeOutAsTheyWentIn();
    void everyRowReachesTheWriter();
    void readersFailureReachesTheWriter();
    void writerWhoGivesUpStopsTheReader();
};

void TestRowBatches::valuesComeOutAsTheyWentIn_data() {
    QTest::addColumn<QVariant>("value");
    QTest::newRow("null") << QVariant();
    QTest::newRow("integer") << QVariant::fromValue<qlonglong>(-9007199254740993LL);
    QTest::newRow("real") << QVariant(3005.06);
    QTest::newRow("text") << QVariant(QStringLiteral("Ñandú 😀"));
    QTest::newRow("empty text") << QVariant(QString(QLatin1String("")));
    QTest::newRow("bytes") << QVariant(QByteArray("\\0\\x01\\xFF", 3));
}

void TestRowBatches::valuesComeOutAsTheyWentIn() {
    QFETCH(QVariant, value);
    EncodedRows rows;
    rows.append({QVariant::fromValue<qlonglong>(1), value, QVariant(QStringLiteral("fin"))});
    EncodedRows::Cursor cursor(rows);
    QCOMPARE(cursor.next().integer, 1);
    const EncodedRows::Value read = cursor.next();
    using Kind = EncodedRows::Value::Kind;
    switch (read.kind) {
        case Kind::Null:
            QVERIFY(value.isNull());
            break;
        case Kind::Integer:
            QCOMPARE(read.integer, value.toLongLong());
            break;
        case Kind::Real:
            QCOMPARE(read.real, value.toDouble());
            break;
        case Kind::Text:
            QCOMPARE(QString::fromUtf8(read.data, read.size), value.toString());
            break;
        case Kind::Blob:
            QCOMPARE(QByteArray(read.data, read.size), value.toByteArray());
            break;
    }
    const EncodedRows::Value last = cursor.next();
    QCOMPARE(QString::fromUtf8(last.data, last.size), QStringLiteral("fin"));
}

// More rows than a batch holds and than may wait at once, in their order.
void TestRowBatches::everyRowReachesTheWriter() {
    constexpr qlonglong kRows = 20011;
    RowBatches batches;
    std::thread reader([&] {
        for (qlonglong i = 0; i < kRows; ++i)
            batches.push({QVariant::fromValue(i)});
        batches.finish();
    });
    qlonglong expected = 0;
    EncodedRows batch;
    while (batches.next(batch)) {
        EncodedRows::Cursor cursor(batch);
        for (qsizetype row = 0; row < batch.rowCount(); ++row)
            QCOMPARE(cursor.next().integer, expected++);
    }
    reader.join();
    QCOMPARE(expected, kRows);
}

void TestRowBatches::readersFailureReachesTheWriter() {
    RowBatches batches;
    std::thread reader([&] {
        batches.push({QVariant::fromValue<qlonglong>(1)});
        batches.finish(std::make_exception_ptr(DbError(QStringLiteral("la tabla TdApt está dañada"))));
    });
    EncodedRows batch;
    QVERIFY_THROWS_EXCEPTION(DbError, while (batches.next(batch)){});
    reader.join();
}

void TestRowBatches::writerWhoGivesUpStopsTheReader() {
    RowBatches batches;
    bool stopped = false;
    std::thread reader([&] {
        try {
            for (qlonglong i = 0;; ++i)
                batches.push({QVariant::fromValue(i)});
        } catch (const RowBatches::Cancelled&) {
            stopped = true;
            batches.finish();
        }
    });
    EncodedRows batch;
    QVERIFY(batches.next(batch));
    batches.cancel();
    reader.join();
    QVERIFY(stopped);
}

QTEST_GUILESS_MAIN(TestRowBatches)
#include "tst_rowbatches.moc"
