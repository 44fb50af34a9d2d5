#include "addressbook/adresa.h"

#include <gtest/gtest.h>

namespace
{

TEST(AdresaLogika, WebAddressesAreOnlyHttpAndHttps)
{
    const struct {
        const char* text;
        const char* url; // nullptr: refused
    } cases[] = {
        {"www.firma.cz", "http://www.firma.cz"},
        {"  firma.cz/o-nas  ", "http://firma.cz/o-nas"},
        {"https://firma.cz", "https://firma.cz"},
        {"HTTPS://firma.cz", "https://firma.cz"},
        {"localhost:8080", "http://localhost:8080"},
        {"firma.cz/cesta s mezerou", "http://firma.cz/cesta%20s%20mezerou"},
        {"", nullptr},
        {"file:///etc/passwd", nullptr},
        {"file:/etc/passwd", nullptr},
        {"/etc/passwd", nullptr},
        {"~/skript.sh", nullptr},
        {"\\\\server\\share\\a.exe", nullptr},
        {"C:\\Windows\\calc.exe", nullptr},
        {"javascript:alert(1)", nullptr},
        {"mailto:a@b.cz", nullptr},
        {"smb://server/share", nullptr},
        {"http://", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QUrl> u = WebAdresa(QString::fromUtf8(c.text));
        if (c.url) {
            ASSERT_TRUE(u.has_value()) << c.text;
            EXPECT_EQ(u->toString(QUrl::FullyEncoded), QString::fromUtf8(c.url)) << c.text;
        } else {
            EXPECT_FALSE(u.has_value()) << c.text << " -> " << (u ? u->toString().toStdString() : "");
        }
    }
}

TEST(AdresaLogika, MailAddressIsTrimmed)
{
    EXPECT_EQ(MailAdresa(QStringLiteral("  jana@firma.cz\t"))->toString(),
              QStringLiteral("mailto:jana@firma.cz"));
    EXPECT_FALSE(MailAdresa(QStringLiteral("   ")).has_value());
    // Not a way to add headers to the message.
    EXPECT_EQ(MailAdresa(QStringLiteral("a@b.cz?bcc=x@y.cz"))->toString(QUrl::FullyEncoded),
              QStringLiteral("mailto:a@b.cz%3Fbcc=x@y.cz"));
}

} // namespace
