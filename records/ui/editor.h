#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <initializer_list>

class QCloseEvent;
class QObject;
class QWidget;
class StavEditoru;

// The widget side of the record editors' shared lifecycle.
namespace editor
{

// Every change of these controls marks the record modified: line edits,
// check boxes and other checkable buttons, combo boxes, spin boxes and text
// edits. Frames with signals of their own are connected by their editor.
void sledujZmeny(StavEditoru& stav, std::initializer_list<QObject*> ovladace);

// Gives every line edit named "Edit_<COLUMN>" under `koren` the length of its
// column as its maximum length.
void nastavDelkyPoli(QWidget* koren, const QHash<QString, int>& delky);

// For closeEvent: the window closes when the record may be left (see
// StavEditoru::MuzeOpustit); otherwise the close is ignored and the input stays.
void zavri(QCloseEvent* event, StavEditoru& stav, const std::function<bool()>& uloz);

// The save button: `uloz` stores the record and says whether the window may
// go; a refused save keeps it open with everything typed.
void ulozAZavri(QWidget* okno, StavEditoru& stav, const std::function<bool()>& uloz);

// The delete button of a stored record: when `smiSmazat` allows it (the
// right, the user's Yes), `smaz` deletes and returns the server's error text;
// a failure is shown and the window stays, a success closes it.
void smazAZavri(QWidget* okno, StavEditoru& stav, const std::function<bool()>& smiSmazat,
                const std::function<QString()>& smaz);

// Another record opened over the shown one: asks about unsaved changes
// first; false when the user keeps the shown record.
bool otevri(StavEditoru& stav, const std::function<bool()>& uloz, const std::function<void()>& nacti);

} // namespace editor
