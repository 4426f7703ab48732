#include "database/DB_DatabaseKey.h"

#include "common/CN_CommonErrorFunctions.h"

#include <QCryptographicHash>

#include <openssl/evp.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

constexpr int kBlock = 8;

// The enciphered key of tvr.s3db and its passphrase.
const char kStoredKey[] = "WhyT4HtNL2hRwkdlZxzNv4n9uvgp+Q/h21rklxinp9s=";
const char kPassphrase[] = "Gyalupad-1987";

QByteArray CipherKey(const QString &passphrase)
{
    // The 16-byte Triple-DES key: the MD5 digest of the passphrase.
    return QCryptographicHash::hash(passphrase.toUtf8(), QCryptographicHash::Md5);
}

QByteArray DecodeBase64(const QString &text)
{
    static const QString alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"_s;
    QByteArray out;
    quint32 bits = 0;
    int count = 0;
    for (const QChar c : text) {
        if (c == u'=')
            break;
        const qsizetype v = alphabet.indexOf(c);
        if (c < u'+' || c > u'z' || v < 0)
            throw TvrError(u"Invalid Base64 Character"_s);
        bits = (bits << 6) | quint32(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.append(char((bits >> count) & 0xFF));
        }
    }
    return out;
}

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX *ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

QByteArray RunCbc(const QByteArray &key, const QByteArray &iv, const QByteArray &input, bool encrypt)
{
    std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> ctx(EVP_CIPHER_CTX_new());
    QByteArray out(input.size() + kBlock, '\0');
    int written = 0;
    int final = 0;
    const auto *k = reinterpret_cast<const unsigned char *>(key.constData());
    const auto *v = reinterpret_cast<const unsigned char *>(iv.constData());
    auto *o = reinterpret_cast<unsigned char *>(out.data());
    const auto *in = reinterpret_cast<const unsigned char *>(input.constData());
    if (!ctx || EVP_CipherInit_ex(ctx.get(), EVP_des_ede_cbc(), nullptr, k, v, encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_CipherUpdate(ctx.get(), o, &written, in, int(input.size())) != 1 ||
        EVP_CipherFinal_ex(ctx.get(), o + written, &final) != 1)
        throw TvrError(u"Invalid file format"_s);
    out.truncate(written + final);
    return out;
}

} // namespace

QByteArray DecipherDatabaseKey(const QString &enciphered, const QString &passphrase)
{
    const QByteArray raw = DecodeBase64(enciphered);
    // An initialisation vector and at least one whole block, all in whole blocks.
    if (raw.size() < 2 * kBlock || raw.size() % kBlock != 0)
        throw TvrError(u"Invalid file format"_s);
    const QByteArray plain = RunCbc(CipherKey(passphrase), raw.left(kBlock), raw.mid(kBlock), false);
    const int inLastBlock = static_cast<unsigned char>(plain.back());
    if (inLastBlock >= kBlock)
        throw TvrError(u"Invalid file format"_s);
    return plain.left(plain.size() - kBlock + inLastBlock);
}

QString EncipherDatabaseKey(const QByteArray &key, const QString &passphrase, const QByteArray &iv)
{
    Q_ASSERT(iv.size() == kBlock);
    QByteArray plain = key;
    const int inLastBlock = int(plain.size() % kBlock);
    // The last block always carries the count, so a key filling its block gets one more block.
    plain.append(QByteArray(kBlock - inLastBlock - 1, '\0'));
    plain.append(char(inLastBlock));
    return QString::fromLatin1((iv + RunCbc(CipherKey(passphrase), iv, plain, true)).toBase64());
}

QByteArray MainDatabaseKey()
{
    return DecipherDatabaseKey(QString::fromLatin1(kStoredKey), QString::fromLatin1(kPassphrase));
}

} // namespace tvr
