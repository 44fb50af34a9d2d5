#pragma once

#include "users/ui/editorspravy.h"
#include "users/uzivatele.h"

class QGroupBox;
class QLineEdit;

// The editor of one user group (a row of UZIVSKUPINA) and its members. One
// instance per process, created by the main window on first use; closing
// hides it. WM_EDIT_USER_GROUP opens a group with OtevriZpravou (0 = a new one).
class Tedit_UZIVSKUPINA : public TEditorSpravy
{
    Q_OBJECT

public:
    explicit Tedit_UZIVSKUPINA(QWidget* parent = nullptr);

    QGroupBox* GroupBox_SKUPINA;
    QLineEdit* Edit_POPIS;
    QGroupBox* GroupBox_UZIVATELE;
    TFrameCheckBox* FrameCheckBox1;

private:
    SkupinaPole pole() const;

    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    QString chybaPoli() override;
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;
    QString chybaSmazani() override;
};
