#pragma once

#include <QLineEdit>

class QToolButton;

// The date and time input: a plain text field whose maximum length comes from
// its kind, with a "*" button at its right end that opens the picker. Nothing
// typed is checked here; callers check the text when they save.
class TKTEDITDC : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int Typ READ Typ WRITE setTyp)

public:
    explicit TKTEDITDC(QWidget* parent = nullptr, int typ = 0);

    // 0 none (no button), 1 date and time, 2 date and hh:mm, 3 date, 4 time, 5 hh:mm.
    int Typ() const { return m_typ; }
    void setTyp(int typ);

    QToolButton* button() const { return m_button; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // What the button does: runs the picker modally and takes its answer.
    void SpustVyber();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeButton();

    int m_typ = 0;
    QToolButton* m_button;
};
