// What a Czech office worker sees in Qt's own boxes and in server failures.
// ORVAN_SCREENSHOT_DIR=/tmp/shots saves the boxes as pictures.
#include "app/ui/startup.h"
#include "common/chybyserveru.h"
#include "common/ui/messageboxsink.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

void saveShot(QWidget& w, const char* name)
{
    const QString out = qEnvironmentVariable("ORVAN_SCREENSHOT_DIR");
    if (out.isEmpty()) return;
    QDir().mkpath(out);
    w.grab().save(QDir(out).filePath(QString::fromLatin1(name)));
}

TEST(CzechTexts, StandardButtonsOfQtAreCzech)
{
    ASSERT_TRUE(nactiCeskePrekladyQt(*QCoreApplication::instance()))
        << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::Question, QStringLiteral("Orvan"), QStringLiteral("Chcete data uložit ?"),
                    QMessageBox::Yes | QMessageBox::No);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ano"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Ne"));
    saveShot(box, "confirm-ano-ne.png");
}

// The common server failures get a short Czech sentence; anything else keeps its text.
TEST(CzechTexts, CommonServerFailuresGetAShortSentence)
{
    const struct {
        const char* serverText;
        const char* sentenceStart;
    } cases[] = {
        {"deadlock\n-update conflicts with concurrent update\n-concurrent transaction number is 42",
         "Záznam právě mění jiná pracovní stanice."},
        {"lock conflict on no wait transaction\n-deadlock", "Záznam právě mění jiná pracovní stanice."},
        {"conversion error from string \"abc\"", "Zadaná hodnota nemá správný typ"},
        {"I/O error during \"lock\" operation for file \"/x.gdb\"\n-Database already opened with engine "
         "instance, "
         "incompatible with current",
         "Databázi právě používá jiný spuštěný program."},
        {"attempted update on read-only database", "Databáze je otevřena jen pro čtení"},
        {"Unable to complete network request to host \"server\".\n-Failed to establish a connection.",
         "Server databáze není dostupný."},
        {"Error writing data to the connection.", "Server databáze není dostupný."},
        {"Table unknown\n-XYZ", ""},
    };
    for (const auto& c : cases) {
        const QString statement = QStringLiteral("update uzivatel set prihlasen=0 where uzivatel_id=1\r\n");
        const QString sentence = chybyserveru::veta(statement + QString::fromUtf8(c.serverText));
        if (*c.sentenceStart)
            EXPECT_TRUE(sentence.startsWith(QString::fromUtf8(c.sentenceStart)))
                << c.serverText << " -> " << sentence.toStdString();
        else
            EXPECT_EQ(sentence, QString()) << c.serverText;
    }
}

// The box shows the sentence and keeps the statement and the server's text under its details.
TEST(CzechTexts, ServerFailureBoxKeepsTheDetails)
{
    const QString text =
        QStringLiteral("update uzivatel set prihlasen=0 where (zivot_timestamp<\"1.1.2024 10:00:00\")\r\n"
                       "deadlock\n-update conflicts with concurrent update");
    QString shown, details;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                shown = box->text();
                details = box->detailedText();
                saveShot(*box, "server-conflict.png");
                box->accept();
            }
    });
    answer.start(20);
    MessageBoxSink().error(text);
    EXPECT_EQ(shown, chybyserveru::veta(text));
    // The details keep the statement and the server's words (line ends as the box shows them).
    EXPECT_EQ(details.remove(u'\r'), QString(text).remove(u'\r'));
}

} // namespace
