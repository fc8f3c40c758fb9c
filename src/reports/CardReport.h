#pragma once
// A card form: the identity, licence and national-athlete cards, one report
// per print made from a design of the card table (CardDesigns.h). Its two
// bands, "FrontBand" and "BackBand", carry the front and the back of a card
// in the top-left 83.9 x 51.3 mm; the design says how they follow each
// other on the pages.
//
//   TCardReport card(*Cards::design("TPrintMenu57"));
//   card.FCardKind = 1;
//   card.FVisaYear = 2010;
//   card.setOffsets(4, 2);                  // the dialog's pixels
//   card.Query1.sql = "Select * from C_MUSTERI Order By Ad_Soyad";
//   card.Query1.open();
//   card.ReportBody1.run();
//
// Query1AfterScroll fills the card for each person row the report reaches;
// everything the launcher sets (kind, role captions, the dialog's card
// title, visa year and stamp, the hidden register number, the offsets)
// stays the same for the whole print. The card forms write nothing.

#include "reports/CardDesigns.h"
#include "reports/ReportForm.h"

#include <QHash>
#include <QImage>

#include <vector>

class TReportBarcode;

namespace Cards {
// The font a text of a card is printed in: the design's when the text fits
// `width` millimetres, else the narrow face of it, made smaller step by step
// (down to three fifths of its size) until it fits. A long name or caption
// is printed whole instead of cut at the edges of its box.
QFont fitted(const QFont& design, const QString& text, double width);
}

class TCardReport : public TReportForm {
    Q_OBJECT
public:
    explicit TCardReport(const Cards::CardDesign& design);
    ~TCardReport() override;

    const Cards::CardDesign& design() const { return m_design; }

    ReportQuery Query1{"Query1"};
    // 1 coach, 2 referee, 3 federation title, 4 identity number; 0 none.
    int FCardKind = 0;
    // The page-setup dialog: its card title, visa year and stamp answer.
    QString FCardTitle;
    int FVisaYear = 0;
    bool FStamp = false;
    // The national-athlete card: the four texts of its dialog and the class
    // letter with its colour.
    QString FCompetition[4];
    QString FClassLetter = "A";
    QColor FClassColour = Qt::red;

    // Role title and subtitle given by the launcher in place of the design's.
    void setRoleCaptions(const QString& title, const QString& subtitle);
    // The register number printed (or left off: its box and caption stay).
    void setRegisterNumberShown(bool shown);
    // The page's top and left margins in screen pixels of 1/96 inch.
    void setOffsets(double topPixels, double leftPixels);

    ReportBand* FrontBand;
    ReportBand* BackBand;
    ReportLabel* SPORCU;              // the role title, whatever the card
    ReportLabel* Subtitle;            // its English subtitle
    ReportImage* Photo;
    TReportBarcode* ReportBarcode1;
    // The front boxes' values and the back rows' values, in the design's order.
    std::vector<ReportLabel*> FBoxValues;
    std::vector<ReportLabel*> FRowValues;

    void Query1AfterScroll();
    void Query1BeforeScroll();

    // The photo file of a person: the program folder + "R" + key + ".jpg".
    static QString photoFile(const QVariant& key);

private:
    // `artwork`: the card field both sides print on (CardArtwork::cardField).
    void buildFront(const QImage& artwork);
    void buildBack(const QImage& artwork);
    void buildVisaBox(ReportBand* band);
    void buildBeltBox(ReportBand* band);
    void buildSignature(ReportBand* band, bool personalRows);
    ReportLabel* text(ReportBand* band, const QString& name, const QRectF& rect, const QString& caption, double points,
                      bool bold, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    void fixedTexts();
    void applyRole(const Record& row);
    QString valueOf(const Cards::Field& field, const Record& row) const;
    void setBarcode(const QString& number);
    // Sets a value and fits its font to its box.
    void setValue(ReportLabel* label, const QString& text);
    void loadPhoto(const Record& row);

    const Cards::CardDesign& m_design;
    QString m_roleTitle;
    QString m_roleSubtitle;
    bool m_registerShown = true;
    // The design fonts of the texts that change from card to card.
    QHash<ReportLabel*, QFont> m_designFonts;
};
