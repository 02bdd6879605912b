#include "SmallDisk.h"

#include <QFile>
#include <QProcess>
#include <QStorageInfo>

#include <unistd.h>

namespace {

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

}  // namespace

SmallDisk::SmallDisk(int kibibytes) {
    m_mounted =
        geteuid() == 0 && m_dir.isValid() &&
        run(QStringLiteral("mount"),
            {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
             QStringLiteral("size=%1k,mode=700").arg(kibibytes), QStringLiteral("tmpfs"), m_dir.path()});
}

SmallDisk::~SmallDisk() {
    if (m_mounted && !run(QStringLiteral("umount"), {m_dir.path()}))
        run(QStringLiteral("umount"), {QStringLiteral("--lazy"), m_dir.path()});
}

bool SmallDisk::fillLeaving(qint64 bytesLeft) {
    QFile filler(filePath(QStringLiteral("relleno")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 toFill = QStorageInfo(path()).bytesAvailable() - bytesLeft;
    if (toFill > 0 && filler.write(QByteArray(toFill, 'x')) != toFill)
        return false;
    filler.close();
    return QStorageInfo(path()).bytesAvailable() == bytesLeft;
}
