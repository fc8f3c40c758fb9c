#pragma once
// The preview window of a laid-out report: one page at a time, zoom, fit to
// the width or the whole page, paging, printing (Dialogs::choosePrinter) and
// saving as PDF, text, CSV or HTML (Dialogs::saveFile, by the extension).
// It holds the page it shows, reading pages from their ReportPages (a
// report's store keeps most of a long report in a temporary file).
// Report::preview() shows it modally through ModalRunner, so tests script it:
//
//   modals().expect("ReportPreview", [](QDialog* d) {
//       click(child<QAbstractButton>(d, "NextPage"));
//       EXPECT_EQ(child<QLabel>(d, "PageLabel")->text(), "Sayfa 2 / 3");
//   });
//
// Controls (object names): FirstPage, PriorPage, NextPage, LastPage,
// ZoomOut, ZoomIn, FitWidth, FitPage, PrintButton, SaveButton, CloseButton,
// PageLabel, ZoomLabel, PageView (the page itself).

#include "platform/report/ReportDocument.h"

#include <QDialog>

#include <memory>

class QLabel;
class QScrollArea;
class QToolButton;
class ReportPageView;

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(std::shared_ptr<const ReportPages> pages, QWidget* parent = nullptr);
    explicit ReportPreview(std::shared_ptr<const ReportDocument> document, QWidget* parent = nullptr);
    ~ReportPreview() override;

    const ReportPages& pages() const { return *m_pages; }
    // Every page in memory (read from the pages at the first call).
    const ReportDocument& document() const;
    int currentPage() const { return m_page; }   // 1-based; 0 when there are no pages
    const ReportPage& shownPage() const { return m_shown; }   // the page on the screen
    double zoom() const { return m_zoom; }       // 1.0 = the paper's size on the screen

    QToolButton* FirstPage;
    QToolButton* PriorPage;
    QToolButton* NextPage;
    QToolButton* LastPage;
    QToolButton* ZoomOut;
    QToolButton* ZoomIn;
    QToolButton* FitWidth;
    QToolButton* FitPage;
    QToolButton* PrintButton;
    QToolButton* SaveButton;
    QToolButton* CloseButton;
    QLabel* PageLabel;
    QLabel* ZoomLabel;

public Q_SLOTS:
    void showPage(int number);
    void setZoom(double zoom);
    void fitWidth();
    void fitPage();
    // Each returns false when cancelled or failed (after its error box).
    bool printDocument();
    bool saveDocument();

Q_SIGNALS:
    // The pages were printed or saved (not when cancelled or failed).
    void output();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    double pixelsPerMm(double zoom) const;
    void refresh();

    std::shared_ptr<const ReportPages> m_pages;
    mutable std::shared_ptr<const ReportDocument> m_document;
    ReportPage m_shown;   // the page on the screen
    QScrollArea* m_area;
    ReportPageView* m_view;
    int m_page = 0;
    double m_zoom = 1.0;
};
