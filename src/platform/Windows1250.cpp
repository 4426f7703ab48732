#include "platform/Windows1250.h"

#include <QStringDecoder>

#include <array>
#include <unordered_map>

namespace tvr
{

namespace
{

// The code page as two tables, read once from the converter: every text of every row passes
// here, and a table lookup is what keeps a long list quick.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    std::unordered_map<char16_t, char> fromUnicode;

    CodePage()
    {
        QStringDecoder decoder("windows-1250", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            // Bytes the code page leaves undefined read as the replacement character.
            toUnicode[size_t(b)] = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
            if (b >= 0x80 && s.size() == 1 && s.at(0).unicode() != 0xFFFD)
                fromUnicode.emplace(s.at(0).unicode(), byte);
        }
    }
};

const CodePage &Table()
{
    static const CodePage table;
    return table;
}

// The byte of one UTF-16 unit, or -1 when the code page cannot hold it.
int ByteOf(char16_t unit)
{
    if (unit < 0x80)
        return unit;
    const auto &map = Table().fromUnicode;
    const auto it = map.find(unit);
    return it == map.end() ? -1 : static_cast<unsigned char>(it->second);
}

} // namespace

QByteArray ToWindows1250Lossy(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        const int b = ByteOf(unit);
        bytes[n++] = b < 0 ? '?' : char(b);
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one '?' for the whole character
    }
    bytes.truncate(n);
    return bytes;
}

std::optional<QString> FirstCharacterOutsideWindows1250(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (ByteOf(unit) >= 0)
            continue;
        const bool pair = QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        return text.mid(i, pair ? 2 : 1);
    }
    return std::nullopt;
}

QString FromWindows1250(const char *bytes, qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto &table = Table().toUnicode;
    for (qsizetype i = 0; i < length; ++i)
        out[i] = table[static_cast<unsigned char>(bytes[i])];
    return text;
}

} // namespace tvr
