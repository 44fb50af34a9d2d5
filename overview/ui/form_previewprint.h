#pragma once

#include "overview/ktpreviewprint.h"

#include <QDialog>
#include <memory>

class GridText;
class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QToolButton;
class TPageView;

// The print preview: shows the pages of its document one at a time at a zoom,
// prints them on the default printer and saves them as a PDF file.
class TForm_PreviewPrint : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_PreviewPrint(QWidget* parent = nullptr);
    ~TForm_PreviewPrint() override;

    // The process's one preview window, created on first use as a child of
    // owner (the main window) and kept until the owner goes.
    static TForm_PreviewPrint* Instance(QWidget* owner = nullptr);

    // The pages the window shows; layouts draw into it.
    TPreviewDocument& Dokument() { return m_doc; }

    QToolButton* SB_PRINT_SETUP;
    QToolButton* SpeedButton1;
    QToolButton* SB_PDF;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QLabel* Label3;
    QToolButton* SB_Prev;
    QToolButton* SB_Next;
    QScrollArea* ScrollBox1;

    // Pixels per page unit of the page view.
    double Meritko() const { return m_scale; }

    // Each throws ActionError with the reason when it cannot be done.
    void NastaveniTiskarny();
    void TiskniVse();
    void UlozPdf();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildPageArea();
    void layOut();
    void wire();
    void nastavZoom();
    void aktualizuj();
    QPrinter* tiskarna();

    TPreviewDocument m_doc;
    TPageView* m_view;
    std::unique_ptr<QPrinter> m_printer;
    double m_scale = 0.25;
};

// The overview print: lays out the grid on the preview's pages and shows the
// preview without waiting. See RozvrhniMrizku for the arguments.
void TiskMrizky(QWidget* owner, const GridText& grid, const std::vector<int>& sirkySloupcu, int sirkaNuly,
                const QString& titulek, const QString& maska);
