#pragma once

#include "data/zapiszaznam.h"
#include "records/ciselnikkategorii.h"
#include "records/staveditoru.h"

#include <QWidget>
#include <functional>

class QLineEdit;
class QSpinBox;
class QToolButton;

// A square showing a colour; a double click asks for another one.
class TColorSquare : public QWidget
{
    Q_OBJECT
public:
    explicit TColorSquare(QWidget* parent = nullptr);
    QColor barva() const { return m_barva; }
    void setBarva(const QColor& c);
    QSize sizeHint() const override { return {40, 40}; }

signals:
    void doubleClicked();
    void zmenena();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor m_barva = Qt::black;
};

// The editor of one category of a code list (KU_C_KAT, ADRESAR_C_KAT): name,
// order and colour. One instance per process and list; the main window fills
// it and shows it.
class TFormEditCiselnikKategorie : public QWidget
{
    Q_OBJECT

public:
    TFormEditCiselnikKategorie(const CiselnikKategorii& ciselnik, const QString& titulek,
                               const QString& jmeno, QWidget* parent = nullptr);

    // ---- For the main window --------------------------------------------
    // The command message: empties the fields and, for an id other than 0,
    // reads the category. With unsaved changes shown it asks "Chcete data
    // uložit ?" first; false when their save was refused and the shown
    // category stays.
    bool Napln(int id);
    // Called after a save or delete with the list's kind: the main window
    // reloads its category bar, even when it shows that kind already.
    void setNactiKategorie(std::function<void(const QString& druh)> f) { m_nactiKategorie = std::move(f); }

    // ---- Handlers ---------------------------------------------------------
    void SB_SaveClick();
    void SB_DeleteClick();
    void JvColorSquare_BARVADblClick();

    int ZaznamID() const { return m_stav.id(); }
    bool Zmeneno() const { return m_stav.zmeneno(); }
    // Writes the shown category; shows what went wrong itself.
    bool Uloz_zaznam();

    QToolButton* SB_Save;
    QToolButton* SB_Delete;
    QLineEdit* Edit_NAZEV;
    QSpinBox* JvIntegerEdit_PORADI;
    TColorSquare* JvColorSquare_BARVA;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void nactiKategorie();

    const CiselnikKategorii& m_ciselnik;
    StavEditoru m_stav;
    std::function<void(const QString&)> m_nactiKategorie;
};
