#include "hesla.h"

#include "common/action.h"
#include "common/kttext.h"

#include <QByteArray>
#include <QStringList>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace hesla
{

namespace
{

const QString kZnacka = QStringLiteral("pbkdf2_sha256");
constexpr int kIterace = 600000; // current recommendation for PBKDF2-HMAC-SHA256
constexpr int kDelkaSoli = 16;
constexpr int kDelkaOtisku = 32;
// A stored count outside these bounds is no digest this program wrote.
constexpr int kNejmeneIteraci = 1000;
constexpr int kNejviceIteraci = 10000000;

QByteArray odvod(const QString& heslo, const QByteArray& sul, int iterace)
{
    const QByteArray vstup = VelkaPismena(heslo).toUtf8();
    QByteArray out(kDelkaOtisku, '\0');
    if (PKCS5_PBKDF2_HMAC(vstup.constData(), int(vstup.size()),
                          reinterpret_cast<const unsigned char*>(sul.constData()), int(sul.size()), iterace,
                          EVP_sha256(), int(out.size()), reinterpret_cast<unsigned char*>(out.data())) != 1)
        throw ActionError(QStringLiteral("Otisk hesla nelze spočítat."));
    return out;
}

struct Rozbor {
    int iterace = 0;
    QByteArray sul;
    QByteArray otisk;
};

bool rozeber(const QString& ulozene, Rozbor& r)
{
    const QStringList casti = ulozene.split(QLatin1Char('$'));
    if (casti.size() != 4 || casti[0] != kZnacka) return false;
    bool ok = false;
    r.iterace = casti[1].toInt(&ok);
    if (!ok || r.iterace < kNejmeneIteraci || r.iterace > kNejviceIteraci) return false;
    const auto sul =
        QByteArray::fromBase64Encoding(casti[2].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const auto otisk =
        QByteArray::fromBase64Encoding(casti[3].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!sul || !otisk || sul.decoded.isEmpty() || otisk.decoded.size() != kDelkaOtisku) return false;
    r.sul = sul.decoded;
    r.otisk = otisk.decoded;
    return true;
}

} // namespace

int PocetIteraci()
{
    return kIterace;
}

QString Otisk(const QString& heslo)
{
    if (heslo.isEmpty()) return QString();
    QByteArray sul(kDelkaSoli, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(sul.data()), int(sul.size())) != 1)
        throw ActionError(QStringLiteral("Náhodnou sůl hesla nelze získat."));
    return QStringList{kZnacka, QString::number(kIterace), QString::fromLatin1(sul.toBase64()),
                       QString::fromLatin1(odvod(heslo, sul, kIterace).toBase64())}
        .join(QLatin1Char('$'));
}

bool JeOtisk(const QString& ulozene)
{
    Rozbor r;
    return rozeber(ulozene, r);
}

bool Over(const QString& zadane, const QString& ulozene)
{
    Rozbor r;
    if (!rozeber(ulozene, r)) return VelkaPismena(zadane) == VelkaPismena(ulozene);
    const QByteArray spocteny = odvod(zadane, r.sul, r.iterace);
    return CRYPTO_memcmp(spocteny.constData(), r.otisk.constData(), size_t(spocteny.size())) == 0;
}

} // namespace hesla
