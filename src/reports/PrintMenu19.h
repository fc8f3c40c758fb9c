#pragma once
// Letters: one page per addressee with the letterhead (logo and the
// federation's name), number, subject and date, the addressee's box, the
// title line and the body, the letter text the user wrote earlier as an RTF
// document; the federation's address and the date in the page footer.
// TPrintMenu19 writes to persons (C_MUSTERI), TPrintMenu19S to clubs
// (C_UYELIKSURESI, to the club's contact person).
//
// The caller fills the lines from the letter header dialog (QRLabel1
// "Sayı : " + number, QRLabel9 "Konu : " + subject, QRLabel7 the date text,
// QRLabel2 the title), today's date into QRLabel10, FLetterFile ("M" + key +
// ".rtf" in the letters folder, or "" for no body), switches the
// addressee's box (setAddressBlock), sets FFirstRow, replaces and opens
// Query1 and previews. A missing letter document or logo is no error: the
// body or the picture is left out.

#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TLetterForm : public TReportForm {
    Q_OBJECT
public:
    ReportQuery Query1{"Query1"};   // the addressees
    ReportQuery Query8{"Query8"};   // C_YAZILAR: the federation's name and address

    QString FLetterFile;            // "M" + Met_Key + ".rtf", or ""
    QString FAddress;               // the addressee's address of the current row

    ReportImage* QRImage1;          // the logo ("logo.bmp" of the current folder)
    ReportLabel* QRLabel5;          // the federation's name
    ReportLabel* QRLabel7;          // the date text (upper right)
    ReportLabel* QRLabel1;          // "Sayı : " + number
    ReportLabel* QRLabel9;          // "Konu : " + subject
    ReportShape* QRShape1;          // the addressee's box
    ReportLabel* QRLabel3;          // "Sayın :"
    ReportLabel* QRLabel31;         // "ADRES"
    ReportLabel* QRLabel8;          // the address
    ReportLabel* QRLabel2;          // the title line
    ReportRichText* QRRichText1;    // the letter body
    ReportBand* ChildBand1;         // the body's band
    ReportLabel* QRLabel4;          // the federation's address (page footer)
    ReportLabel* QRLabel10;         // the date (page footer)

    // The addressee's box on ("Mektup (Adresli)") or off.
    virtual void setAddressBlock(bool on);

    // The footer line of the federation's address: each line of it preceded
    // by a blank, joined into one line.
    static QString footerAddress(const QString& address);

protected:
    TLetterForm(const QString& name);
    // The address of the current row.
    virtual QString addressOf(const Record& row) const = 0;

    // The addressee's name fields, fitted to each row's names: a long name
    // prints whole in its box (smaller type, lines broken at blanks where
    // even that is too narrow), a short one in the design size.
    ListLayout::FittedCells m_names;

private:
    void loadBody();
    void rowMoved();
    // Sizes the addressee's box to the address of the row and places the
    // title below it and below the subject.
    void fitUpperPart();
};

class TPrintMenu19 : public TLetterForm {
    Q_OBJECT
public:
    TPrintMenu19();
    ReportDataText* QRDBText1;      // Ad_Soyad

    void setAddressBlock(bool on) override;
    // Adres, a line break, Sokak.
    static QString personAddress(const Record& person);

protected:
    QString addressOf(const Record& row) const override { return personAddress(row); }
};

class TPrintMenu19S : public TLetterForm {
    Q_OBJECT
public:
    TPrintMenu19S();
    ReportDataText* QRDBText2;      // the contact person (Ad_Soyad)
    ReportDataText* QRDBText1;      // the club (Durum)

    void setAddressBlock(bool on) override;
    // Cadde, Sokak and No1 each followed by a line break when not empty,
    // then PostaKodu, a blank, Ilce, a blank, "/  " when Ilce is not empty,
    // and Il.
    static QString clubAddress(const Record& club);

protected:
    QString addressOf(const Record& row) const override { return clubAddress(row); }
};

inline TPrintMenu19* PrintMenu19 = nullptr;
inline TPrintMenu19S* PrintMenu19S = nullptr;
