#include "ui_messagebox.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxSink::error(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text,
                          QMessageBox::Ok);
}

bool MessageBoxSink::confirm(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
