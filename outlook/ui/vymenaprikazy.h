#pragma once

class QWidget;

// The main window's exchange commands; each runs as one user action and
// reports its outcome in a box.
namespace vymena
{

// "Import adres ze souboru typu CSV".
void ImportCSVAdres(QWidget* okno);
// "Import z Outlooku": the import window, created on first use.
void ImportKalendareAAdres(QWidget* okno);
// "Export kalendáře do Outlooku": every readable event into one .ics file.
void ExportKalendare(QWidget* okno);
// "Výmaz kalendáře v Outlooku": a file that cancels those events in the receiving program.
void VymazKalendare(QWidget* okno);
// The address book into one .vcf file.
void ExportAdresare(QWidget* okno);

} // namespace vymena
