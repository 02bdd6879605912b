#include "access/FileLock.h"
#include "access/PlatformFiles.h"
#include "db/DbError.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

// The same cases hold on Linux and on Windows. Two lock objects on one file
// stand for two programs.
class TestPlatformFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondHolderIsRefusedOrAdmitted_data();
    void secondHolderIsRefusedOrAdmitted();
    void heldLockChangesKind();
    void waitEndsAtItsTimeLimit();
    void lockFileThatCannotBeMadeIsReported();
    void replacedFileHoldsTheNewContent_data();
    void replacedFileHoldsTheNewContent();

private:
    QTemporaryDir m_dir;
    QString lockPath() const { return m_dir.filePath(QStringLiteral("copia.en-uso")); }
};

using Kind = FileLock::Kind;

void TestPlatformFiles::secondHolderIsRefusedOrAdmitted_data() {
    QTest::addColumn<Kind>("first");
    QTest::addColumn<Kind>("second");
    QTest::addColumn<bool>("admitted");
    QTest::newRow("shared beside shared") << Kind::Shared << Kind::Shared << true;
    QTest::newRow("exclusive beside shared") << Kind::Shared << Kind::Exclusive << false;
    QTest::newRow("shared beside exclusive") << Kind::Exclusive << Kind::Shared << false;
    QTest::newRow("exclusive beside exclusive") << Kind::Exclusive << Kind::Exclusive << false;
}

void TestPlatformFiles::secondHolderIsRefusedOrAdmitted() {
    QFETCH(Kind, first);
    QFETCH(Kind, second);
    QFETCH(bool, admitted);
    {
        FileLock holder(lockPath());
        QVERIFY(holder.tryLock(first));
        FileLock other(lockPath());
        QCOMPARE(other.tryLock(second), admitted);
        holder.unlock();
        QVERIFY(other.tryLock(second));
    }
    // Whoever goes lets go.
    FileLock later(lockPath());
    QVERIFY(later.tryLock(Kind::Exclusive));
}

// The import takes the copy exclusively, then keeps it shared while it is used.
void TestPlatformFiles::heldLockChangesKind() {
    FileLock holder(lockPath());
    FileLock other(lockPath());
    QVERIFY(holder.tryLock(Kind::Exclusive));
    QVERIFY(holder.tryLock(Kind::Shared));
    QVERIFY(other.tryLock(Kind::Shared));
    QVERIFY(!holder.tryLock(Kind::Exclusive));
}

void TestPlatformFiles::waitEndsAtItsTimeLimit() {
    FileLock holder(lockPath());
    QVERIFY(holder.tryLock(Kind::Exclusive));
    FileLock waiter(lockPath());
    QElapsedTimer waited;
    waited.start();
    QVERIFY(!waiter.lock(Kind::Shared, 200));
    QVERIFY(waited.elapsed() >= 200);
}

void TestPlatformFiles::lockFileThatCannotBeMadeIsReported() {
    const QString path = m_dir.filePath(QStringLiteral("no-existe/copia.en-uso"));
    try {
        FileLock lock(path);
        QFAIL("a lock file in a missing folder was made");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(
                     QStringLiteral("No se puede crear el archivo de bloqueo '%1'").arg(path)),
                 qPrintable(error.message()));
    }
}

void TestPlatformFiles::replacedFileHoldsTheNewContent_data() {
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("over an earlier copy") << true;
    QTest::newRow("first copy") << false;
}

void TestPlatformFiles::replacedFileHoldsTheNewContent() {
    QFETCH(bool, targetExists);
    const QString fresh = m_dir.filePath(QStringLiteral("copia.nueva"));
    const QString copy = m_dir.filePath(QStringLiteral("copia.aeat.sqlite"));
    const auto write = [](const QString& path, const QByteArray& content) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    };
    QFile::remove(copy);
    if (targetExists)
        write(copy, "vieja");
    write(fresh, "nueva");
    QVERIFY(replaceFile(fresh, copy));
    QVERIFY(!QFile::exists(fresh));
    QFile replaced(copy);
    QVERIFY(replaced.open(QIODevice::ReadOnly));
    QCOMPARE(replaced.readAll(), QByteArray("nueva"));
}

QTEST_GUILESS_MAIN(TestPlatformFiles)
#include "tst_platformfiles.moc"
