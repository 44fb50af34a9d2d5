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

} // namespace editor
