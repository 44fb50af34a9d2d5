#pragma once

#include <QWidget>

class QTextEdit;
class QToolButton;

// The rich-text note of the record editors: print, font and web addresses
// that open on a click. The owner loads and stores the document.
class TFrame_Richedit : public QWidget
{
    Q_OBJECT

public:
    explicit TFrame_Richedit(QWidget* parent = nullptr);

    QToolButton* SB_PRINT;
    QToolButton* SpeedButton1;
    QTextEdit* JvxRichEdit1;

    void SB_PRINTClick();
    // Applies the chosen font to the selection, or to the whole text when
    // nothing is selected (as the button's tooltip promises).
    void SpeedButton1Click();

    // The web address at a position of the text, empty when there is none.
    QString OdkazNaPozici(int position) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
