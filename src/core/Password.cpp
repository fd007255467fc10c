#include "core/Password.h"

#include <sodium.h>

#include <stdexcept>

namespace kavra::Password {

namespace {
void init() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw std::runtime_error("libsodium could not start");
}
}  // namespace

QString normal(const QString& plain) {
    return plain.trimmed();
}

QString hash(const QString& plain) {
    init();
    const QByteArray pw = normal(plain).toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.constData(), static_cast<unsigned long long>(pw.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

bool verify(const QString& plain, const QString& stored) {
    init();
    if (!stored.startsWith(QLatin1String("$argon2"))) return false;
    const QByteArray pw = normal(plain).toUtf8();
    const QByteArray st = stored.toLatin1();
    return crypto_pwhash_str_verify(st.constData(), pw.constData(), static_cast<unsigned long long>(pw.size())) == 0;
}

}  // namespace kavra::Password
