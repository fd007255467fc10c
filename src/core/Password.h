#pragma once
// Passwords are stored as salted Argon2id hashes; checking one stays letter-case exact.
#include <QString>

namespace kavra::Password {

QString hash(const QString& plain);
bool verify(const QString& plain, const QString& stored);

}  // namespace kavra::Password
