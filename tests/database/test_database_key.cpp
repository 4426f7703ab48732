// The stored key deciphers, and both decipherment errors are raised where the scheme says.

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseKey.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

const QString kPassphrase = u"Gyalupad-1987"_s;
const QByteArray kIv("\x5a\x1c\x93\xe0\x7b\x4d\x2f\x68", 8);

QString ErrorOf(const QString &enciphered, const QString &passphrase = kPassphrase)
{
    try {
        DecipherDatabaseKey(enciphered, passphrase);
    } catch (const TvrError &e) {
        return e.message();
    }
    return {};
}

TEST(DatabaseKey, BuiltInTextDeciphersToTheKey)
{
    EXPECT_EQ(MainDatabaseKey(), QByteArray("TVR-zederivu#Dorvat-23"));
    EXPECT_EQ(kPassphrase.size(), 13);
    const QString stored = EncipherDatabaseKey(MainDatabaseKey(), kPassphrase, kIv);
    EXPECT_EQ(stored.size(), 44);
    EXPECT_EQ(stored, u"WhyT4HtNL2hRwkdlZxzNv4n9uvgp+Q/h21rklxinp9s="_s);
}

TEST(DatabaseKey, EveryKeyLengthOfTheLastBlockRoundTrips)
{
    for (int length = 16; length <= 23; ++length) {
        QByteArray key;
        for (int i = 0; i < length; ++i)
            key.append(char('A' + (i * 7) % 26));
        const QString text = EncipherDatabaseKey(key, kPassphrase, kIv);
        EXPECT_EQ(text.size(), 44) << length;
        EXPECT_EQ(DecipherDatabaseKey(text, kPassphrase), key) << length;
    }
}

TEST(DatabaseKey, CharacterOutsideTheBase64RangeIsRejected)
{
    QString text = u"WhyT4HtNL2hRwkdlZxzNv4n9uvgp+Q/h21rklxinp9s="_s;
    for (const QChar bad : {u'*', u'{', u'~', u':', u' '}) {
        QString t = text;
        t[5] = bad;
        EXPECT_EQ(ErrorOf(t), u"Invalid Base64 Character"_s) << int(bad.unicode());
    }
}

TEST(DatabaseKey, CiphertextNotFittingTheBlocksIsRejected)
{
    // 20 bytes: not whole blocks; 8 bytes: an initialisation vector only.
    EXPECT_EQ(ErrorOf(QString::fromLatin1(QByteArray(20, 'x').toBase64())), u"Invalid file format"_s);
    EXPECT_EQ(ErrorOf(QString::fromLatin1(QByteArray(8, 'x').toBase64())), u"Invalid file format"_s);
    // A last block whose count byte is 8 or more: in CBC, flipping a bit of the previous cipher
    // block flips the same bit of the deciphered count (6 becomes 14).
    QByteArray raw = QByteArray::fromBase64("WhyT4HtNL2hRwkdlZxzNv4n9uvgp+Q/h21rklxinp9s=");
    raw[23] = char(raw[23] ^ 0x08);
    EXPECT_EQ(ErrorOf(QString::fromLatin1(raw.toBase64())), u"Invalid file format"_s);
    raw[23] = char(raw[23] ^ 0x08);
    EXPECT_EQ(DecipherDatabaseKey(QString::fromLatin1(raw.toBase64()), kPassphrase), MainDatabaseKey());
}

TEST(DatabaseKey, WrongPassphraseDoesNotGiveTheKey)
{
    const QString stored = u"WhyT4HtNL2hRwkdlZxzNv4n9uvgp+Q/h21rklxinp9s="_s;
    QByteArray key;
    try {
        key = DecipherDatabaseKey(stored, u"Gyalupad-1988"_s);
    } catch (const TvrError &e) {
        EXPECT_EQ(e.message(), u"Invalid file format"_s);
    }
    EXPECT_NE(key, MainDatabaseKey());
}

} // namespace
