#pragma once
// "Müsabaka Kartı": the A6 accreditation card worn at an event, one page per
// person: the event title, a role band, the photo, name and details, the
// register-number barcode and, for athletes, three day boxes to tick.
//
//   TAkreditasyon card;
//   card.QRLabelTitle->caption = title;
//   card.QRLabelRole->caption = "SPORCU";
//   card.FCardKind = 1;                      // 1 to 7, see below
//   card.FFirstRow = 1;
//   card.Query1.sql = "Select * from C_MUSTERI where Musteri_Key = 12";
//   card.Query1.open();
//   ...preview or print...
//   Akreditasyon::saveLog(card);             // asks, then appends Memo1
//
// Kinds: 1 athlete from the weigh-in (category FCategoryText or E53),
// 2 athlete, 3 referee (E51), 4 a typed title in large letters with the name
// only, 5 a typed name and title without a person row, 6 coach (E52),
// 7 referee and coach (E51, and E52 below it without caption).
//
// Memo1 collects one print-log line per card in print order. Only a print
// that went to a printer or into a file is logged: FOutputDone tells.

#include "reports/ReportForm.h"

#include <QDateTime>

class TReportBarcode;

class TAkreditasyon : public TReportForm {
    Q_OBJECT
public:
    TAkreditasyon();
    ~TAkreditasyon() override;

    ReportQuery Query1{"Query1"};
    int FCardKind = 2;
    QString FCategoryText;
    // The lines of this print for the log file, each ending with CR LF.
    QStringList Memo1;
    // The pages went to a printer or into a file at least once.
    bool FOutputDone = false;

    ReportBand* DetailBand1;
    ReportLabel* QRLabelRole;      // role band (design "XX")
    ReportLabel* QRLabelTitle;     // event title (design "RAPOR BAŞLIĞI")
    ReportLabel* QRLabelCaption;   // the large caption of kinds 4 and 5
    ReportImage* Photo;
    ReportLabel* QRLabelName;      // name value
    ReportLabel* QRLabelRegion;
    ReportLabel* QRLabelBirth;
    ReportLabel* QRLabelCategory;
    ReportLabel* QRLabelClub;
    ReportLabel* QRLabelRegister;  // "Sicil No:" + register number
    TReportBarcode* ReportBarcode1;

    // The log file, Windows form: "C:\CO\Musabaka_Karti.txt".
    static QString logFile();
    // The time of the log lines (tests fix it).
    static void setClock(std::function<QDateTime()> clock);
    static QDateTime now();

    void Query1AfterScroll();
    void Query1BeforeScroll();

private:
    void fillCard(bool hasRow);
    void captionFor(const QString& name, ReportLabel* value);
};

namespace Akreditasyon {
// The question after a print: "Müsabaka kartı yazdırılan kişiler kaydedilsin mi?".
QString logQuestion();
// After a launch: when the cards went to a printer or a file and there is
// something to log, asks the question and on "Evet" appends Memo1 to the
// log file (created when missing). A cancelled or preview-only print logs
// nothing and asks nothing. False when the file could not be written (the
// error box told why).
bool saveLog(TAkreditasyon& card);
// Appends lines to the log file in code page 1254; false with the reason.
bool appendLog(const QStringList& lines, QString* error = nullptr);
}
