#pragma once
// "Branşlara Göre SPORCU Dağılımı": the athletes of every weight category,
// men's categories first, each category on a page of its own with the
// sport's name and the category as caption and its athlete count, A4
// portrait. A person is listed under each of the up to three categories he
// holds (E53, E54, E55); a category without athletes still gets its page.
//
// The caller writes the title into QRLabel9 and today's date into
// QRLabel12, chooses FCountFilter, sets FFirstRow, opens Query2 (men's
// categories) and Query4 (women's) and previews; with both empty it shows
// "Sporcu Bulunamadı ...!" instead.

#include "reports/ReportForm.h"

class TPrintMenu1D : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu1D();

    ReportQuery Query1{"Query1"};   // athletes of one men's category
    ReportQuery Query2{"Query2"};   // men's categories
    ReportQuery Query3{"Query3"};   // athletes of one women's category
    ReportQuery Query4{"Query4"};   // women's categories

    // The participation filter on Kullanici: "=0" (not competing), ">0"
    // (competing) or ">=0" (all).
    QString FCountFilter = ">=0";

    ReportLabel* QRLabel9;          // the title
    ReportLabel* QRLabel12;         // today's date
    ReportLabel* QRLabel10;         // men's section caption
    ReportLabel* QRLabel8;          // men's "Sporcu Sayısı : n"
    ReportLabel* QRLabel30;         // women's section caption
    ReportLabel* QRLabel28;         // women's "Sporcu Sayısı : n"
    ReportLabel* QRLabel1;          // line number of a men's row
    ReportLabel* QRLabel3;          // line number of a women's row

    // The men's and women's category queries.
    static const char* const kMenCategories;
    static const char* const kWomenCategories;

private:
    void openSection(ReportQuery& categories, ReportQuery& athletes, const QString& gender, ReportLabel* caption,
                     ReportLabel* count);
};

inline TPrintMenu1D* PrintMenu1D = nullptr;
