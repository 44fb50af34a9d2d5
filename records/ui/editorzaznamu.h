#pragma once

#include "data/zapiszaznam.h"
#include "records/pravazaznamu.h"
#include "records/staveditoru.h"

#include <QHash>
#include <QString>
#include <QStyle>
#include <QWidget>
#include <any>
#include <functional>
#include <initializer_list>
#include <optional>

class QGroupBox;
class QLineEdit;
class QTextEdit;
class QToolButton;
class QVBoxLayout;
class TFRAME_JvxCheckListBox_KUC;
class TFrame_Prava;
class TFrame_Richedit;
class TKTEDITDC;
class TSkupinaAlarmu;
class TSkupinaOpakovani;

extern const QString TextZaznamNenalezen; // "Záznam %1 nebyl nalezen."

// The window of one record editor: the tool bar (save, delete, reload), the
// shown record's id, its modified state and read-only rule, and the one
// sequence of opening, loading, saving, deleting and closing that every
// editor follows. An editor adds its fields, reads and writes them through
// the virtual functions below and names what it does differently; the
// shared frames (rights, categories, note) are loaded, locked and tracked
// here once it hands them over.
//
// Keys: Esc closes (asking first when modified), and in "Chcete data uložit ?"
// Enter means Yes; Tab follows the layout, top to bottom and left to right.
class TEditorZaznamu : public QWidget
{
    Q_OBJECT

public:
    // What a save came to; the message, if any, has been shown.
    enum class Ulozeni {
        Ulozeno,      // written
        JenCteni,     // the user may not change the record: nothing written, the record may be left
        Odmitnuto,    // the fields were refused before any statement (missing, malformed, a rule)
        ChybaServeru, // the server refused the statements
    };

    // The tool bar's buttons: object names (a null reload name: no reload
    // button) and whether the save and delete buttons carry their captions.
    struct Lista {
        const char* ulozit = "SB_SAVE";
        const char* smazat = "SB_delete";
        const char* znovu = "SpeedButton1";
        bool popisky = true;
    };

    int ZaznamID() const { return m_stav.id(); }
    bool JenCteni() const { return m_pravidlo.JenCteni; }
    bool Zmeneno() const { return m_stav.zmeneno(); }

    // The command message: another record (0 = a new one). Unsaved changes of
    // the shown one are offered for saving first. False when the shown record
    // stays (its save was refused) or the record no longer exists.
    bool OtevriZpravou(int id);
    // Fills the window for the stored record id, or empties it for a new one
    // (0). A record that no longer exists leaves the window empty for a new
    // record with "Záznam %1 nebyl nalezen."; a failed read leaves it empty
    // too. Either way the window is never bound to an id it could not read.
    bool Nacti_zaznam(int id);
    // Checks and writes the shown record; shows what went wrong itself and
    // keeps everything typed unless it was written.
    Ulozeni Uloz_zaznam();

    QToolButton* SB_SAVE;
    QToolButton* SB_delete;
    QToolButton* SB_ZnovuNacist = nullptr;

signals:
    // The window was closed (hidden by the program, not minimised).
    void skryto();

protected:
    TEditorZaznamu(QWidget* parent, const QString& jmeno, const QString& titulek, const Lista& lista);

    // ---- What every editor provides -----------------------------------------
    // Empties the fields for a new record.
    virtual void vyprazdni() = 0;
    // Reads the stored record into the fields; false when there is no such
    // row. A record with rights calls nastavPravaZaznamu.
    virtual bool nactiZaznam(int id) = 0;
    // Enables or locks the editor's own fields by the read-only rule (the
    // shared frames and the save button are handled here).
    virtual void zamkniPole(bool jenCteni) = 0;
    // Why the fields may not be written, empty when they may.
    virtual QString chybaPoli() { return QString(); }
    // Asked after the fields passed, before the write: false keeps the
    // editor as it is without a message (the user went back).
    virtual bool predUlozenim() { return true; }
    // Writes the fields for the shown id (0: a new record).
    virtual VysledekZapisu zapis() = 0;
    // Deletes the shown record.
    virtual VysledekZapisu smaz() = 0;

    // ---- Named differences; the defaults hold for records with rights ------
    // The rule before a stored record's rights are read, and of a new record.
    virtual PravidloEditoru pravidloNovehoZaznamu() const { return PravidloNovehoZaznamu(); }
    // May the shown record be written? Without the right, "Nemáte právo
    // měnit záznam !" is shown here.
    virtual bool smiMenit() { return !m_pravidlo.JenCteni; }
    // The rule's check and the question before a delete.
    virtual bool smiSmazat() { return OverSmazani(m_pravidlo); }
    // After a save or a delete that others must see in this window's owner.
    virtual void poUlozeni() {}
    virtual void poSmazani() {}
    // The save button of a read-only record is disabled, unless the editor
    // wants the user to hear why nothing can be stored.
    virtual bool ulozeniVzdyPovoleno() const { return false; }

    // ---- Tools for the editors ------------------------------------------------
    // The window's layout below the tool bar.
    QVBoxLayout* obsah() const { return m_obsah; }
    // One more tool bar button after the standard ones.
    QToolButton* pridejTlacitko(const char* jmeno, QStyle::StandardPixmap ikona, const QString& text,
                                const QString& tip);
    // Every change of these controls marks the record modified: line edits,
    // check boxes and other checkable buttons, combo boxes, spin boxes and
    // text edits. Frames with signals of their own are connected by their editor.
    void sledujZmeny(std::initializer_list<QObject*> ovladace);
    void oznacZmenu() { m_stav.oznacZmenu(); }
    // Asks about unsaved changes of the shown record, then runs `nacti`;
    // false when the shown record stays.
    bool otevri(const std::function<void()>& nacti);

    // The rule of a stored record's rights: read-only, delete, rights locked.
    void nastavPravaZaznamu(const PravaZaznamu& prava);
    void nastavPravidlo(const PravidloEditoru& pravidlo) { m_pravidlo = pravidlo; }
    const PravidloEditoru& pravidlo() const { return m_pravidlo; }

    // The shared frames. Rights: a new record gets the user's default group
    // for every right. Categories: `druhSeznamu` names the category list,
    // `druhOdkazu` the record's links. Note: `sqlPoznamky` reads it ("%d" = id).
    void pouzijPrava(TFrame_Prava* prava, bool sAlarmem = true);
    void pouzijKategorie(TFRAME_JvxCheckListBox_KUC* kategorie, const QString& druhSeznamu,
                         const QString& druhOdkazu);
    // Puts `horni` above the note ("Frame_Richedit1") in a vertical splitter
    // ("Splitter1") that fills the window.
    TFrame_Richedit* pridejPoznamku(QWidget* horni, int vyskaPoznamky, const QString& sqlPoznamky);
    // A group box "Práva" ("GroupBox_PRAVA") around the rights frame ("Frame_Prava1").
    QWidget* sestavPrava(QWidget* rodic, TFrame_Prava*& prava, bool sAlarmem = true);
    // The upper part of an event's or a task's editor, in `horni`: the date
    // box and the rights ("Frame_Prava1") side by side, the name
    // ("Edit_NAZEV") in a box of its own and the alarm group below, the
    // category list ("FRAME_JvxCheckListBox_KUC1") at the right. A switched-on
    // alarm takes its defaults from `datum` and `cas`.
    struct CastiPolozky {
        TFrame_Prava* prava;
        QGroupBox* nazevBox;
        QLineEdit* nazev;
        TSkupinaAlarmu* alarm;
        TFRAME_JvxCheckListBox_KUC* kategorie;
        TSkupinaOpakovani* opakovani;
    };
    CastiPolozky sestavPolozku(QWidget* horni, QGroupBox* datumBox, const QString& titulekNazvu,
                               const char* jmenoNazvu, TKTEDITDC* datum, TKTEDITDC* cas);
    // The note's bytes for the write.
    QByteArray poznamka() const;
    // The note's bytes when the save must write them: a new record's, or a
    // note the user changed (an unchanged note keeps what others stored).
    std::optional<QByteArray> zmenenaPoznamka() const;

    // nactiZaznam hands over the record as it read it, with its revision.
    template <typename Pole> void zapamatujPrecteny(const Pole& pole, int revize)
    {
        m_precteny = pole;
        m_revize = revize;
    }
    // What the save of the shown stored record names and compares with;
    // nothing for a new record.
    std::optional<int> prectenaRevize() const
    {
        if (ZaznamID() == 0 || !m_precteny.has_value()) return std::nullopt;
        return m_revize;
    }
    template <typename Pole> std::optional<PrectenyZaznam<Pole>> precteny() const
    {
        const Pole* p = std::any_cast<Pole>(&m_precteny);
        if (ZaznamID() == 0 || !p) return std::nullopt;
        return PrectenyZaznam<Pole>{*p, m_revize};
    }
    const TFRAME_JvxCheckListBox_KUC* kategorie() const { return m_kategorie; }

    // The record id and modified flag, for what an editor does beyond the
    // sequence (an item file read over a new record counts as a change).
    StavEditoru& stav() { return m_stav; }

    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Esc that no control took (as a dialog's) closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SB_SAVEClick();
    void SB_deleteClick();
    void SB_ZnovuNacistClick();
    // Save, or nothing to save: may the record be left?
    bool ulozenoNeboNelze();
    Ulozeni ulozZaznam();
    void vyprazdniVse();
    void zamkni();
    void usporadejTabulator();
    // A save that found the record changed or deleted meanwhile: the user
    // decides; the next write, or nothing.
    std::optional<VysledekZapisu> poKonfliktu(const VysledekZapisu& v);

    StavEditoru m_stav;
    PravidloEditoru m_pravidlo;
    QVBoxLayout* m_obsah = nullptr;
    QWidget* m_lista = nullptr;
    TFrame_Prava* m_prava = nullptr;
    bool m_pravaSAlarmem = true;
    TFRAME_JvxCheckListBox_KUC* m_kategorie = nullptr;
    QString m_druhOdkazu;
    QTextEdit* m_poznamka = nullptr;
    QString m_sqlPoznamky;
    bool m_tabulatorUsporadan = false;
    std::any m_precteny;
    int m_revize = 0;
};

extern const QString TextZmenenoMezitim; // "Záznam mezitím změnil %1." ...
extern const QString TextSmazanoMezitim;

namespace editor
{

// Gives every line edit named "Edit_<COLUMN>" under `koren` the length of its
// column as its maximum length.
void nastavDelkyPoli(QWidget* koren, const QHash<QString, int>& delky);

// The focusable controls under `koren` in the order of its layouts: boxes in
// their order, grids and forms row by row and left to right, splitters top
// to bottom; a control outside every layout comes after its parent's.
QList<QWidget*> poradiVRozvrzeni(QWidget* koren);

} // namespace editor
