#pragma once

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QToolButton;
class TFrameStringGrid;

// Direct SQL for the administrator: browse a table, run a statement or a
// script file, show a SELECT's result, list the tables. Every action checks
// first that the logged-in user is an administrator.
class TPagesDlgSQLMANAGER : public QDialog
{
    Q_OBJECT

public:
    explicit TPagesDlgSQLMANAGER(QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    // "Browse tabulky"
    QComboBox* CB_TABULKA;
    QPushButton* Button_BROWSE;
    QWidget* Panel_BROWSE;
    TFrameStringGrid* Frame_BROWSE;
    // "Query SQL"
    QComboBox* CB_QUERY;
    QToolButton* SB_QUERY;
    QPushButton* ButtonNACTI_SOUBOR;
    // "Select SQL"
    QComboBox* CB_SELECT;
    QToolButton* SB_SELECT;
    QTableView* StringGrid1;
    // "Struktura"
    QPushButton* Button_STRUKTURA;
    QPushButton* Button_SQL;
    QPushButton* Button_TABULKY;
    QPlainTextEdit* Memo1;

    // What the controls do; each throws ActionError when the user may not.
    void NactiTabulky();
    void Browse();
    void ProvedQuery();
    void SQLZeSouboru();
    void ProvedSelect();
    void ZobrazSeznam(int druh);

    QStandardItemModel* Vysledek() const { return m_vysledek; }
    // The name of the SELECT's first column when it is the row header.
    const QString& PrvniSloupec() const { return m_prvniSloupec; }

private:
    QWidget* stranaBrowse();
    QWidget* stranaQuery();
    QWidget* stranaSelect();
    QWidget* stranaStruktura();

    QStandardItemModel* m_vysledek;
    QString m_prvniSloupec;
};

// Opens the console modally for an administrator, created on first use as a
// child of `hlavni`; anybody else gets the refusal box and no window.
void UkazSQLKonzoli(QWidget* hlavni);
