#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class TBrowsePanel;
class TEditadresar;
class TFormEditCiselnikAdresarKategorie;
class TFormEditCiselnikKalendarKategorie;
class TFrameStringGrid;
class TFrameZadavaniJizd;
class TForm_DialogKJTisk;
class TForm_MesicniVykaz;
class TFrame_MontView;
class Teditudalost;
class Tedit_KJ_AUTO;
class Tedit_KJ_TANKOVANI;
class Tedit_UZIVATEL_ZAKL;
class Teditukol;
class Tedit_UZIVATEL;
class Tedit_UZIVSKUPINA;
class Tmainform;

// The views and editors of a logged-in session, connected to the main
// window's command messages. Owned by the main window (its QObject parent).
class TPohledy : public QObject
{
    Q_OBJECT

public:
    explicit TPohledy(Tmainform& w);

    // Editors are created on first use and then reused.
    Teditudalost* editorUdalosti();
    Teditukol* editorUkolu();
    TFormEditCiselnikKalendarKategorie* editorKategorii();
    Tedit_UZIVATEL_ZAKL* editorAdresy();
    TEditadresar* editorSpecAdresy();
    TFormEditCiselnikAdresarKategorie* editorKategoriiAdres();
    Tedit_UZIVATEL* editorUzivatele();
    Tedit_UZIVSKUPINA* editorSkupiny();
    Tedit_KJ_AUTO* editorAuta();
    Tedit_KJ_TANKOVANI* editorTankovani();

private:
    template <typename E> void otevira(int zprava, E* (TPohledy::*editor)());
    void registrujPohledy();
    void registrujEditory();
    void importujPolozku();
    TForm_DialogKJTisk* dialogKJ();
    bool definujJizdyAuta();
    void tiskniKnihuJizd();
    void mesicniVykaz();
    void sazbyNahrad();

    Tmainform& m_w;
    TFrame_MontView* m_month;
    TBrowsePanel* m_browse;
    TFrameStringGrid* m_grid;
    TFrameZadavaniJizd* m_jizdy;
    QString m_nazevPrehledu;
    QPointer<Teditudalost> m_udalost;
    QPointer<Teditukol> m_ukol;
    QPointer<TFormEditCiselnikKalendarKategorie> m_kategorie;
    QPointer<Tedit_UZIVATEL_ZAKL> m_adresa;
    QPointer<TEditadresar> m_specAdresa;
    QPointer<TFormEditCiselnikAdresarKategorie> m_kategorieAdres;
    QPointer<Tedit_UZIVATEL> m_uzivatel;
    QPointer<Tedit_UZIVSKUPINA> m_skupina;
    QPointer<Tedit_KJ_AUTO> m_auto;
    QPointer<Tedit_KJ_TANKOVANI> m_tankovani;
    QPointer<TForm_DialogKJTisk> m_dialogKJ;
    QPointer<TForm_MesicniVykaz> m_vykaz;
};

// Creates the session's views and editors under the main window.
void PripojPohledy(Tmainform& w);
