#include "common/ui/messageboxsink.h"

#include "common/chybyserveru.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

void MessageBoxSink::error(const QString& text)
{
    const QString veta = chybyserveru::veta(text);
    if (veta.isEmpty())
        errorWithDetails(text, QString());
    else
        errorWithDetails(veta, text);
}

void MessageBoxSink::errorWithDetails(const QString& text, const QString& details)
{
    std::fprintf(stderr, "Orvan: %s\n", qUtf8Printable(details.isEmpty() ? text : text + u'\n' + details));
    std::fflush(stderr);
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    if (!details.isEmpty()) box.setDetailedText(details);
    box.exec();
}

bool MessageBoxSink::confirm(const QString& text, messages::Default d)
{
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 d == messages::Default::Yes ? QMessageBox::Yes : QMessageBox::No) ==
           QMessageBox::Yes;
}

int MessageBoxSink::choose(const QString& text, const QStringList& tlacitka, int vychozi, int zpet)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ChoiceBox"));
    QList<QAbstractButton*> b;
    for (const QString& t : tlacitka)
        b << box.addButton(t, QMessageBox::ActionRole);
    if (vychozi >= 0 && vychozi < b.size()) box.setDefaultButton(static_cast<QPushButton*>(b[vychozi]));
    if (zpet >= 0 && zpet < b.size()) box.setEscapeButton(b[zpet]);
    box.exec();
    const int i = int(b.indexOf(box.clickedButton()));
    return i >= 0 ? i : zpet;
}

void MessageBoxSink::info(const QString& text, const QString& details)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("InfoBox"));
    if (!details.isEmpty()) box.setDetailedText(details);
    box.exec();
}
