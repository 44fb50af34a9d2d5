#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The filter of one overview column: an operator and one or two values.
class TFormStringGridFilter : public QDialog
{
    Q_OBJECT

public:
    explicit TFormStringGridFilter(QWidget* parent = nullptr);

    // The process's one dialog, created on first use as a child of owner and
    // reused for every column of every overview.
    static TFormStringGridFilter* Instance(QWidget* owner);

    QGroupBox* GroupBox1;
    QRadioButton* RB0;
    QRadioButton* RB1;
    QRadioButton* RB2;
    QRadioButton* RB3;
    QRadioButton* RB4;
    QRadioButton* RB5;
    QRadioButton* RB6;
    QRadioButton* RB7;
    QRadioButton* RB8;
    QLineEdit* CB_1;
    QLineEdit* CB_2;
    QPushButton* Button_OK;
    QPushButton* Button_Cancel;

    // Presets operator and values (values are emptied for operator 0).
    void NastavFiltr(int op, const QString& hodnota1, const QString& hodnota2);
    // Code of the checked radio button; 0 when none is.
    int VratOperator() const;
    // Whether the caller applies the entered filter: showing and OK set it;
    // Cancel and the title bar's close button clear it.
    bool Prijato() const { return m_prijato; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildConditions();
    void buildValuesAndButtons();
    void layOut();
    void nastavPovoleni();

    std::array<QRadioButton*, 9> m_rb{};
    bool m_prijato = false;
};
