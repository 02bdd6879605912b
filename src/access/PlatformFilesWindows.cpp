#include "FileLock.h"
#include "PlatformFiles.h"

#include "db/DbError.h"

#include <QDir>

#include <windows.h>

namespace {
HANDLE fileHandle(qintptr handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The whole file, as flock locks it.
constexpr DWORD kWholeFile = MAXDWORD;

QString systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    const QString message = QString::fromWCharArray(text).trimmed();
    LocalFree(text);
    return message;
}
}  // namespace

FileLock::FileLock(const QString& path) {
    const HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw DbError(QStringLiteral("No se puede crear el archivo de bloqueo '%1': %2")
                          .arg(QDir::toNativeSeparators(path), systemMessage(GetLastError())));
    m_handle = reinterpret_cast<qintptr>(file);
}

FileLock::~FileLock() {
    CloseHandle(fileHandle(m_handle));
}

// LockFileEx does not convert a lock: the one held is let go first. Callers
// that change kind do it while they hold another lock that keeps everyone
// else out of that moment.
bool FileLock::tryLock(Kind kind) {
    unlock();
    OVERLAPPED whole{};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockFileEx(fileHandle(m_handle), flags, 0, kWholeFile, kWholeFile, &whole) != 0;
}

void FileLock::unlock() {
    OVERLAPPED whole{};
    UnlockFileEx(fileHandle(m_handle), 0, kWholeFile, kWholeFile, &whole);
}

bool replaceFile(const QString& from, const QString& to) {
    return MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
