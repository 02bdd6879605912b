#include "Console.h"

#include <QFile>
#include <QStringDecoder>

#include <windows.h>

#include <io.h>

namespace {

// A console window: the UTF-8 that the program writes, as the UTF-16 text that the console shows.
class ConsoleDevice : public QIODevice {
public:
    explicit ConsoleDevice(HANDLE console) : m_console(console) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        // The decoder keeps a character that a write cuts in two for the next one.
        const QString text = m_decoder.decode(QByteArrayView(data, size));
        DWORD written = 0;
        if (!text.isEmpty() && !WriteConsoleW(m_console, reinterpret_cast<const wchar_t*>(text.utf16()),
                                              static_cast<DWORD>(text.size()), &written, nullptr))
            return -1;
        return size;
    }

private:
    HANDLE m_console;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};

}  // namespace

std::unique_ptr<QIODevice> openStandardStream(FILE* stream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode))
        return std::make_unique<ConsoleDevice>(handle);
    auto file = std::make_unique<QFile>();
    file->open(stream, QIODevice::WriteOnly);
    return file;
}

bool standardErrorIsATerminal() {
    return _isatty(_fileno(stderr)) != 0;
}
