#pragma once
// The joiners' desktops run a Hungarian locale, whose decimal separator is a comma. Tests of
// number conversions run inside this scope so that a conversion that follows the C locale fails
// here rather than on a workshop PC.

#include <QByteArray>

#include <clocale>

namespace tvr::test
{

inline const char *HungarianLocaleName()
{
    return "hu_HU.UTF-8";
}

class ScopedDesktopLocale
{
public:
    explicit ScopedDesktopLocale(const char *name = HungarianLocaleName())
        : m_previous(std::setlocale(LC_ALL, nullptr)), m_ok(std::setlocale(LC_ALL, name) != nullptr)
    {
    }
    ~ScopedDesktopLocale() { std::setlocale(LC_ALL, m_previous.constData()); }
    ScopedDesktopLocale(const ScopedDesktopLocale &) = delete;
    ScopedDesktopLocale &operator=(const ScopedDesktopLocale &) = delete;

    // False when the machine lacks the locale (the set-up script generates it).
    bool ok() const { return m_ok; }
    // The decimal separator the C library now uses: "," under the Hungarian locale.
    static QByteArray decimalPoint() { return QByteArray(std::localeconv()->decimal_point); }

private:
    QByteArray m_previous;
    bool m_ok;
};

} // namespace tvr::test
