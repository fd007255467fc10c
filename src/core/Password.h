#pragma once
// Passwords are stored as salted Argon2id hashes; checking one stays letter-case exact.
#include <QString>

namespace kavra::Password {

// Blanks around a password are not part of it, at the user screen and at login alike.
QString normal(const QString& plain);
QString hash(const QString& plain);
bool verify(const QString& plain, const QString& stored);

}  // namespace kavra::Password
