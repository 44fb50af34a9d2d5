#pragma once

#include "records/ciselnikkategorii.h"
#include "records/ui/editorzaznamu.h"

#include <QWidget>
#include <functional>

class QLineEdit;
class QSpinBox;

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
class TFormEditCiselnikKategorie : public TEditorZaznamu
{
    Q_OBJECT

public:
    TFormEditCiselnikKategorie(const CiselnikKategorii& ciselnik, const QString& titulek,
                               const QString& jmeno, QWidget* parent = nullptr);

    // ---- For the main window --------------------------------------------
    // The command message: OtevriZpravou under its name in this window.
    bool Napln(int id) { return OtevriZpravou(id); }
    // Called after a save or delete with the list's kind: the main window
    // reloads its category bar, even when it shows that kind already.
    void setNactiKategorie(std::function<void(const QString& druh)> f) { m_nactiKategorie = std::move(f); }

    void JvColorSquare_BARVADblClick();

    QLineEdit* Edit_NAZEV;
    QSpinBox* JvIntegerEdit_PORADI;
    TColorSquare* JvColorSquare_BARVA;

private:
    // Categories carry no rights: the defaults let everyone change and
    // delete them, after the question.
    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    void zamkniPole(bool) override {}
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;
    // The category bar shows the list: it is read again.
    void poUlozeni() override { nactiKategorie(); }
    void poSmazani() override { nactiKategorie(); }

    void nactiKategorie();

    const CiselnikKategorii& m_ciselnik;
    std::function<void(const QString&)> m_nactiKategorie;
};
