#include "addressbook/kancelar.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// A stand-in "soffice" on the PATH that converts as the real one is asked to:
// it writes <outdir>/<input name>.<format> and logs its arguments.
class OfficeOnPath : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bin.isValid());
        QFile s(m_bin.filePath(QStringLiteral("soffice")));
        ASSERT_TRUE(s.open(QIODevice::WriteOnly));
        s.write("#!/bin/sh\n"
                "echo \"$@\" > \"$(dirname \"$0\")/args\"\n"
                "while [ $# -gt 1 ]; do\n"
                "  case \"$1\" in --convert-to) fmt=$2; shift;; --outdir) out=$2; shift;; esac; shift\n"
                "done\n"
                "[ \"$fmt\" = bad ] && { echo 'Error: no export filter' >&2; exit 1; }\n"
                "name=$(basename \"$1\"); printf 'doc' > \"$out/${name%.*}.$fmt\"\n");
        s.close();
        s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_path = qgetenv("PATH");
        qputenv("PATH", m_bin.path().toLocal8Bit() + ":" + m_path);
    }
    void TearDown() override { qputenv("PATH", m_path); }

    QString args() const
    {
        QFile f(m_bin.filePath(QStringLiteral("args")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).trimmed() : QString();
    }

    QTemporaryDir m_bin;
    QTemporaryDir m_out;
    QByteArray m_path;
};

TEST_F(OfficeOnPath, MakesTheDocumentInTheChosenFormat)
{
    kancelar::Balik& b = kancelar::balik();
    ASSERT_TRUE(b.nainstalovan(kancelar::Druh::Text));
    const QString doc = m_out.filePath(QStringLiteral("dopis pro \"Nováka\".docx"));
    EXPECT_EQ(b.vytvor(kancelar::Druh::Text, doc), QString());
    EXPECT_TRUE(QFile::exists(doc));
    const QString a = args();
    EXPECT_TRUE(a.contains(QStringLiteral("--headless"))) << a.toStdString();
    EXPECT_TRUE(a.contains(QStringLiteral("-env:UserInstallation=file:///"))) << a.toStdString();
    EXPECT_TRUE(a.contains(QStringLiteral("--convert-to docx"))) << a.toStdString();
    EXPECT_TRUE(a.endsWith(QStringLiteral("novy.txt"))) << a.toStdString();

    // A spreadsheet without a suffix: the default one.
    const QString sheet = m_out.filePath(QStringLiteral("tabulka"));
    EXPECT_EQ(b.vytvor(kancelar::Druh::Tabulka, sheet), QString());
    EXPECT_TRUE(QFile::exists(sheet));
    EXPECT_TRUE(args().contains(QStringLiteral("--convert-to xls")));
    EXPECT_TRUE(args().endsWith(QStringLiteral("novy.csv")));

    // A failed conversion leaves no file and says so.
    const QString bad = m_out.filePath(QStringLiteral("x.bad"));
    const QString chyba = b.vytvor(kancelar::Druh::Text, bad);
    EXPECT_TRUE(chyba.contains(QStringLiteral("no export filter"))) << chyba.toStdString();
    EXPECT_FALSE(QFile::exists(bad));
}

TEST(Office, NotInstalledWithoutTheProgram)
{
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    EXPECT_FALSE(kancelar::balik().nainstalovan(kancelar::Druh::Tabulka));
    EXPECT_EQ(kancelar::balik().vytvor(kancelar::Druh::Tabulka, empty.filePath(QStringLiteral("a.xls"))),
              QStringLiteral("Není nainstalován MS Excel !"));
    qputenv("PATH", path);
}

} // namespace
