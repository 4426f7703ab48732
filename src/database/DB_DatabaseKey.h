#pragma once
// The key of the main database is not stored in plain: the program holds a 44-character Base64
// text, Triple-DES (two 8-byte key halves, encrypt-decrypt-encrypt) in CBC mode over an 8-byte
// initialisation vector and the ciphertext, under a key derived from a 13-character passphrase.
// The last plaintext block carries in its last byte how many of its bytes belong to the key.

#include <QByteArray>
#include <QString>

namespace tvr
{

// The deciphered key. Throws TvrError "Invalid Base64 Character" for a character outside
// "+" to "z" (or not of the Base64 alphabet) and "Invalid file format" for a ciphertext that does
// not fit the block scheme.
QByteArray DecipherDatabaseKey(const QString &enciphered, const QString &passphrase);

// The inverse, for making the stored text (and for tests): key of 16 to 23 bytes, iv of 8 bytes.
QString EncipherDatabaseKey(const QByteArray &key, const QString &passphrase, const QByteArray &iv);

// The key of this program's main database, deciphered from the built-in text.
QByteArray MainDatabaseKey();

} // namespace tvr
