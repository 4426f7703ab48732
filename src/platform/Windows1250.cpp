#include "platform/Windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tvr
{

namespace
{
constexpr const char *kCodec = "windows-1250";
}

QByteArray ToWindows1250Lossy(const QString &text)
{
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        bytes.replace('\x1a', '?'); // the converter's substitute byte
    return bytes;
}

std::optional<QString> FirstCharacterOutsideWindows1250(const QString &text)
{
    QStringEncoder whole(kCodec, QStringConverter::Flag::Stateless);
    QByteArray bytes = whole.encode(text);
    if (!whole.hasError())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        QStringEncoder one(kCodec, QStringConverter::Flag::Stateless);
        bytes = one.encode(ch);
        if (one.hasError())
            return ch;
        i += len - 1;
    }
    return std::nullopt;
}

QString FromWindows1250(const char *bytes, qsizetype length)
{
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes, length));
}

} // namespace tvr
