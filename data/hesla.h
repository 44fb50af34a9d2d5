#pragma once

#include <QString>

// Passwords are kept as salted, slow digests that cannot be turned back into
// the password: "pbkdf2_sha256$<iterations>$<salt>$<digest>" (salt and digest
// in Base64). The password is upper-cased first, so login stays
// case-insensitive. The empty text stays empty: it means "no password", which
// the automatic login by operating-system user relies on.
namespace hesla
{

// The stored form of a password typed by the user.
QString Otisk(const QString& heslo);

// Whether a stored value is a digest (and not a password from before digests).
bool JeOtisk(const QString& ulozene);

// Whether the typed password matches the stored value, a digest or an old
// plain-text password; case does not matter either way.
bool Over(const QString& zadane, const QString& ulozene);

// The iteration count of new digests.
int PocetIteraci();

} // namespace hesla
