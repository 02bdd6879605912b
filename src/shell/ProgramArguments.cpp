#include "ProgramArguments.h"

#include <QStringDecoder>

QStringList programArguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::ConvertInitialBom);
        arguments.append(decoder.decode(QByteArrayView(argv[i])));
    }
    return arguments;
}
