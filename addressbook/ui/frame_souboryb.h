#pragma once

#include "addressbook/kancelar.h"
#include "addressbook/soubory.h"

#include <QList>
#include <QWidget>

class QListWidget;
class QToolButton;

// The files attached to one record: listed by description, attached from the
// file dialog or by dropping files, opened with the desktop's program,
// described and detached. New empty office documents are made and attached in
// one step. Nothing can be attached before the record is stored, nor to a
// record the user may not change.
class TFrame_SouboryB : public QWidget
{
    Q_OBJECT

public:
    explicit TFrame_SouboryB(QWidget* parent = nullptr);

    QToolButton* SB_NEW_SOUBOR;
    QToolButton* SB_Vymazat;
    QToolButton* SB_EDITACE;
    QToolButton* SB_OTEVRIT;
    QToolButton* SB_NEWWORD;
    QToolButton* SB_NEWWXCEL;
    QListWidget* ListBox1;

    // Sets the target and reloads. Id 0 (a record not stored yet) or a locked
    // frame takes no changes; the files of a stored record can still be opened.
    void NastavCil(int druh, int id, bool zamceno);
    void NactiSoubory();
    // Attaches one file; false after showing why it was refused.
    bool PridejSoubor(const QString& cesta, const QString& popis);

    // Attaches every file of the list (as dropped), each described by its path;
    // shows once what could not be attached. The number attached.
    int PridejSoubory(const QStringList& cesty);

    int Cil() const { return m_cil; }
    int CilId() const { return m_cilId; }
    bool LzeMenit() const { return m_cilId != 0 && !m_zamceno; }
    const QList<SouborRadek>& Soubory() const { return m_soubory; }

    // ---- Handlers ---------------------------------------------------------
    void SB_NEW_SOUBORClick();
    void SB_VymazatClick();
    void SB_EDITACEClick();
    void SB_OTEVRITClick();
    void SB_NEWWORDClick();
    void SB_NEWWXCELClick();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void povol();
    void novyDokument(kancelar::Druh druh);
    // The selected row, or the message and nothing.
    const SouborRadek* vybrany();
    QString popisOd(const QString& navrh);

    int m_cil = 0;
    int m_cilId = 0;
    bool m_zamceno = true;
    QList<SouborRadek> m_soubory; // parallel to the list's rows
};
