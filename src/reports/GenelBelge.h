#pragma once
// The exam result document ("Genel Rapor"): the place and date of a belt
// exam, one numbered row per examined person with the old and the new belt,
// the exam committee's and its chairman's signature blocks, the provincial
// representative's, the federation's confirmation ("TASDİK OLUNUR"), an
// optional payment line and an optional note. A4 portrait. The heading and
// the confirmation name the federation as its identity row (FirmaAdi of
// C_YAZILAR) has it.
//
// The exam package screen fills the texts (setTexts), switches the
// committee, payment and note bands, replaces the text of Query1 (persons
// with Musteri_Key, Vergi_Numarasi, Ad_Soyad, E75, E25, E26), sets
// FFirstRow := 1 and FRowNo := 0 and prints or previews; the first
// need-data event opens Query1.

#include "reports/ReportForm.h"

// The texts the exam package screen gives the document.
struct ExamMember {
    QString name, registerNo, danDegree;
};
struct ExamDocumentTexts {
    QString province;           // "İli"
    QString place;              // "İmtihan Yeri/Adresi"
    QString date;               // "İmtihan Tarihi"
    ExamMember members[3];      // "Sınav Komisyonu Üyesi -1" .. "-3"
    ExamMember chairman;        // "Sınav Komisyonu Başkanı"
    QString chairmanCoachNo;    // "Ant.Bel.No"
    QString representative;     // "İl Temsilcisi"
    QString paymentMethod;      // "Ücret Gönderim Şekli :"
    QString receiptDate;        // "Dekont Tarihi :"
    QString explanation;        // "Açıklama :"
    QStringList note;           // "Açk;"
};

class TGenelBelge : public TReportForm {
    Q_OBJECT
public:
    TGenelBelge();

    void setTexts(const ExamDocumentTexts& texts);

    ReportQuery Query1{"Query1"};
    ReportQuery Query2{"Query2"};   // the federation's identity row
    ReportLabel* QRLabel1;          // the federation's name (heading)
    ReportLabel* QRLabel30;         // the line number
    ReportBand* QRSubDetail2;       // committee band
    ReportBand* QRSubDetail3;       // chairman band
    ReportBand* QRSubDetail4;       // payment band (off unless used)
    ReportBand* QRSubDetail5;       // note band
    ReportLabel* QRLabel60;         // the federation's name over "TASDİK OLUNUR"
    ReportMemo* QRMemo1;            // the note lines

    // The launcher's texts, by place.
    ReportLabel* Province;
    ReportLabel* Place;
    ReportLabel* ExamDate;
    ReportLabel* MemberName[3];
    ReportLabel* MemberRegisterNo[3];
    ReportLabel* MemberDan[3];
    ReportLabel* ChairmanName;
    ReportLabel* ChairmanRegisterNo;
    ReportLabel* ChairmanDan;
    ReportLabel* ChairmanCoachNo;
    ReportLabel* RepresentativeName;
    ReportLabel* PaymentMethod;
    ReportLabel* ReceiptDate;
    ReportLabel* Explanation;

private:
    void readFederation();
};

inline TGenelBelge* GenelBelge = nullptr;
