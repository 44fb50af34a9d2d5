#pragma once

#include "addressbook/adresa.h"

#include "records/ui/editorzaznamu.h"

#include <QList>
#include <QPair>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QToolButton;
class TFRAME_JvxCheckListBox_KUC;
class TFrame_Prava;
class TFrame_Richedit;
class TFrame_SouboryB;

// The editor of one address book entry (a row of ADRESAR_ZAKL with its
// category links, rights, note and attached files). One instance per process,
// created by the main window on first use; closing hides it.
class Tedit_UZIVATEL_ZAKL : public TEditorZaznamu
{
    Q_OBJECT

public:
    explicit Tedit_UZIVATEL_ZAKL(QWidget* parent = nullptr);

    // For the ride entry: a new entry in a modal window. Returns the id of
    // the entry stored from it, 0 when none was stored.
    int NovaAdresaModalne();

    // The fields as shown.
    AdresaPole pole() const;

    // ---- Handlers ---------------------------------------------------------
    void SB_SENDMAIL1Click();
    void SB_SENDMAIL2Click();
    void SB_WWW1Click();
    void SB_WWW2Click();

    // ---- Controls ---------------------------------------------------------
    QGroupBox* GroupBox_JMENO;
    QLineEdit* Edit_NAZEV;
    QLineEdit* Edit_NAZEV2;
    QComboBox* CB_TITUL;
    QLineEdit* Edit_JMENO;
    QLineEdit* Edit_PRIJMENI;
    QComboBox* CB_ZA_PRIJMENIM;
    QLabel* Label_NAZEV_ZKRACENY;
    QLineEdit* Edit_NAZEV_ZKRACENY;
    QGroupBox* GroupBox_ADRESA;
    QLineEdit* Edit_ULICE;
    QLineEdit* Edit_PSC;
    QLineEdit* Edit_MESTO;
    QComboBox* CB_STAT;
    QGroupBox* GroupBox_KONTAKTY;
    QLineEdit* Edit_EMAIL1;
    QLineEdit* Edit_EMAIL2;
    QToolButton* SB_SENDMAIL1;
    QToolButton* SB_SENDMAIL2;
    QLineEdit* Edit_TELEFON1;
    QLineEdit* Edit_TELEFON2;
    QLineEdit* Edit_MOBIL1;
    QLineEdit* Edit_MOBIL2;
    QLineEdit* Edit_WWW1;
    QLineEdit* Edit_WWW2;
    QToolButton* SB_WWW1;
    QToolButton* SB_WWW2;
    QLineEdit* Edit_FAX1;
    QGroupBox* GroupBox_FAKTURACE;
    QLineEdit* Edit_ICO;
    QLineEdit* Edit_DIC;
    QLineEdit* Edit_BU_UCET;
    QLineEdit* Edit_BU_BANKA;
    TFrame_Prava* Frame_Prava1;
    TFrame_SouboryB* Frame_SouboryB1;
    TFRAME_JvxCheckListBox_KUC* FRAME_JvxCheckListBox_KUC1;
    TFrame_Richedit* Frame_Richedit1;

private:
    QWidget* sestavHorniCast();
    void sestavJmeno(QWidget* rodic);
    void sestavAdresu(QWidget* rodic);
    void sestavKontakty(QWidget* rodic);
    void sestavFakturaci(QWidget* rodic);
    void propoj();
    void nastavDelky();
    void posliMail(const QLineEdit* e);
    void otevriWeb(const QLineEdit* e);

    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    // The delete button goes with the fields: an entry shown read-only offers neither.
    void zamkniPole(bool jenCteni) override;
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;
    // Remembers the stored id for NovaAdresaModalne.
    void poUlozeni() override;

    // Every text field with its column.
    QList<QPair<QString, QWidget*>> m_pole;
    int m_ulozeneId = 0; // the last entry stored from this window
};
