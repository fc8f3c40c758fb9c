#pragma once
// The report control that prints a barcode: a ReportImage whose picture is
// redrawn by its own generator (Barcode.h) whenever a property that shapes
// the symbol really changes. One canvas unit is one screen pixel of 1/96 inch
// (px() millimetres); the control's size follows the rotated symbol.
//
//   auto* bc = band->add<TReportBarcode>("ReportBarcode1", {px(10), px(80), px(124), px(40)});
//   bc->setTyp(bcCodeEAN128A);
//   bc->setModul(1);
//   bc->setRatio(2.0);
//   bc->setBarcodeHeight(40);
//   bc->setText("0000000");              // a 124 x 40 unit picture
//   band->beforePrint = [bc, &q](ReportBand&, bool&) {
//       bc->setText(q.value("Vergi_Numarasi").toString());   // each card its own bars
//   };
//
// Setting BarcodeWidth scales Modul by the width of the symbol as it stands,
// so it belongs after Typ and Text (Modul 1 already gives the cards' 123).
// A text the symbology refuses throws EBarcodeError from the setter (and so
// ends the report run with its message); the picture is then empty.
// Setting CheckSumMethod, Color or ColorBar changes nothing drawn until the
// next change that rebuilds the picture.

#include "platform/report/Report.h"
#include "reports/barcode/Barcode.h"

#include <memory>

class TReportBarcode : public ReportImage {
public:
    TReportBarcode(ReportBand* band, QString name, const QRectF& rect);

    double Angle() const { return FGenerator->Angle(); }
    void setAngle(double v) { FGenerator->setAngle(v); }
    int BarcodeHeight() const { return FGenerator->Height(); }
    void setBarcodeHeight(int v) { FGenerator->setHeight(v); }
    int BarcodeWidth() const { return FGenerator->Width(); }
    void setBarcodeWidth(int v) { FGenerator->setWidth(v); }
    bool Checksum() const { return FGenerator->Checksum(); }
    void setChecksum(bool v) { FGenerator->setChecksum(v); }
    TCheckSumMethod CheckSumMethod() const { return FGenerator->CheckSumMethod; }
    void setCheckSumMethod(TCheckSumMethod v) { FGenerator->CheckSumMethod = v; }
    QColor Color() const { return FGenerator->Color; }
    void setColor(const QColor& v) { FGenerator->Color = v; }
    QColor ColorBar() const { return FGenerator->ColorBar; }
    void setColorBar(const QColor& v) { FGenerator->ColorBar = v; }
    int Modul() const { return FGenerator->Modul(); }
    void setModul(int v) { FGenerator->setModul(v); }
    double Ratio() const { return FGenerator->Ratio(); }
    void setRatio(double v) { FGenerator->setRatio(v); }
    TBarcodeOption ShowText() const { return FGenerator->ShowText(); }
    void setShowText(TBarcodeOption v) { FGenerator->setShowText(v); }
    QString Text() const { return FGenerator->Text(); }
    void setText(const QString& v) { FGenerator->setText(v); }
    TBarcodeType Typ() const { return FGenerator->Typ(); }
    void setTyp(TBarcodeType v) { FGenerator->setTyp(v); }

    // The owned generator (Height 50 at first); its OnChange is Rebuild.
    TBarcode& Generator() const { return *FGenerator; }

    // Clears the picture, fits the control to the rotated symbol and paints
    // the symbol into a new picture of that size.
    void Rebuild();
    // Fits the control's size to the rotated symbol (after the rect was
    // changed from outside).
    void Resize();

    // Picture pixels per canvas unit: the picture is painted finer than one
    // pixel per unit so that printers and PDF viewers scaling it keep the
    // bars' edges sharp; its resolution says so, and it prints at its size.
    static constexpr int kPixelsPerUnit = 4;

private:
    void FitSize();

    std::unique_ptr<TBarcode> FGenerator;
    bool FResizing = false;
    bool FRebuilding = false;
};
