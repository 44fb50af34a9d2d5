#pragma once

#include <QIcon>
#include <QPixmap>

// The overview's own 16 x 16 images, drawn in code.
namespace ikony
{

QPixmap sipkaNahoru(); // column sorted ascending
QPixmap sipkaDolu();   // column sorted descending
QPixmap trychtyr();    // column has a filter

QIcon obnovit();
QIcon novyZaznam();
QIcon tisk();
QIcon zrusitFiltry();
QIcon exportCsv();
QIcon exportHtml();
QIcon nastaveniTiskarny();
QIcon pdf();
QIcon predchozi();
QIcon dalsi();

} // namespace ikony
