#pragma once

#include <QString>

// The office suite that makes new empty documents for the attached files:
// a text document or a spreadsheet. Replaceable, so tests need no suite.
namespace kancelar
{

enum class Druh { Text, Tabulka };

class Balik
{
public:
    virtual ~Balik() = default;
    virtual bool nainstalovan(Druh druh) const = 0;
    // Creates an empty document at `cesta` in the format its suffix names
    // (doc, docx, odt, xls, xlsx, ods, …). The text for the user on failure,
    // empty on success; on failure no file is left at `cesta`.
    virtual QString vytvor(Druh druh, const QString& cesta) = 0;
};

Balik& balik();
// nullptr restores the real suite (LibreOffice's soffice on the PATH).
void setBalik(Balik* b);

// "Není nainstalován MS Word !" or "Není nainstalován MS Excel !".
QString TextNeniNainstalovan(Druh druh);
// The default suffix of the file dialog: "doc" or "xls".
QString VychoziPripona(Druh druh);

} // namespace kancelar
