#include "reports/GenelBelge.h"

#include "reports/ListLayout.h"

using ListLayout::font;

namespace {

QFont underlined(int size)
{
    QFont f = font(size, true);
    f.setUnderline(true);
    return f;
}

// "label" ":" text on one line of a band.
ReportLabel* labelled(ReportBand* band, const QString& name, double x, double y, double labelWidth, double width,
                      const QString& label, int size = 8, bool bold = false)
{
    band->addLabel(name + "Caption", {x, y, labelWidth, 4.5}, label)->font = font(size, bold);
    band->addLabel(name + "Colon", {x + labelWidth, y, 2, 4.5}, ":")->font = font(size, bold);
    ReportLabel* text = band->addLabel(name, {x + labelWidth + 2.5, y, width - labelWidth - 2.5, 4.5});
    text->font = font(size, bold);
    return text;
}

const char* const kDateLine = "......./......./20......";

} // namespace

TGenelBelge::TGenelBelge() : TReportForm("GenelBelge")
{
    addDataSet(Query1);
    addDataSet(Query2);
    Query2.sql = "select FirmaAdi from C_YAZILAR";
    Query1.sql = "select Musteri_Key,Vergi_Numarasi,Ad_Soyad,E75,E25,E26 from C_MUSTERI";
    ReportBody1.title = "Genel Rapor";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    ReportBody1.page.leftMargin = 12;
    ReportBody1.page.rightMargin = 10;
    ReportBody1.page.topMargin = 10;
    ReportBody1.page.bottomMargin = 10;
    const double w = ReportBody1.page.printableWidth();

    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", 42);
    QRLabel1 = head->addLabel("QRLabel1", {0, 1, w, 7});
    QRLabel1->font = font(14, true);
    QRLabel1->alignment = Qt::AlignHCenter | Qt::AlignTop;
    QRLabel1->wordWrap = true;
    ReportLabel* title = head->addLabel("QRLabel2", {0, 9, w, 6}, "Sonuç Listesi");
    title->font = font(11, true);
    title->alignment = Qt::AlignHCenter | Qt::AlignTop;
    Province = labelled(head, "QRLabel3", 0, 17, 35, w, "İli", 9, true);
    Place = labelled(head, "QRLabel4", 0, 22, 35, w, "İmtihan Yeri/Adresi", 9, true);
    ExamDate = labelled(head, "QRLabel5", 0, 27, 35, w, "İmtihan Tarihi", 9, true);

    ReportBand* rows = ReportBody1.addSubDetail("QRSubDetail1", 5.5, &Query1);
    rows->frame.bottom = true;
    QRLabel30 = ListLayout::addLineNumber(rows, "QRLabel30", {0, 0.7, 8, 4}, 8);
    numberRows(Query1, QRLabel30);
    ListLayout::addColumns(head, 34, rows, &Query1,
                           {
                               {"QRLabel10", "Sicil No", "QRDBText1", "Vergi_Numarasi", 25},
                               {"QRLabel11", "Adı Soyadı", "QRDBText2", "Ad_Soyad", 60},
                               {"QRLabel12", "Eski Kuşağı", "QRDBText3", "E75", 32},
                               {"QRLabel13", "Yeni Kuşağı", "QRDBText4", "E25", 32},
                               {"QRLabel14", "Lisans No", "QRDBText5", "E26", w - 159},
                           },
                           8, 10, 0.7);
    ReportLabel* no = head->addLabel("QRLabel9", {0, 34, 8.5, 4}, "S.No");
    no->font = font(8, true);
    no->alignment = Qt::AlignRight | Qt::AlignTop;
    head->addShape("QRShape1", {0, 39, w, 0.5}, ReportShape::HorLine);

    // Committee: three members side by side.
    QRSubDetail2 = ReportBody1.addSubDetail("QRSubDetail2", 24, nullptr);
    const double third = w / 3;
    for (int i = 0; i < 3; ++i) {
        const double x = i * third;
        const QString n = QString::number(i + 1);
        QRSubDetail2->addLabel("QRMemberTitle" + n, {x, 5, third - 2, 5}, "Sınav Komisyonu Üyesi -" + n)->font =
            underlined(8);
        MemberName[i] = QRSubDetail2->addLabel("QRMemberName" + n, {x, 10, third - 2, 4.5});
        MemberName[i]->font = font(8);
        MemberRegisterNo[i] = labelled(QRSubDetail2, "QRMemberNo" + n, x, 14.5, 16, third - 2, "Sicil No");
        MemberDan[i] = labelled(QRSubDetail2, "QRMemberDan" + n, x, 19, 16, third - 2, "Dan Der.");
    }

    // Chairman, provincial representative, the federation's confirmation.
    QRSubDetail3 = ReportBody1.addSubDetail("QRSubDetail3", 33, nullptr);
    QRSubDetail3->addLabel("QRLabel50", {0, 5, third - 2, 5}, "Sınav Komisyonu Başkanı")->font = underlined(8);
    ChairmanName = QRSubDetail3->addLabel("QRLabel51", {0, 10, third - 2, 4.5});
    ChairmanName->font = font(8);
    ChairmanRegisterNo = labelled(QRSubDetail3, "QRLabel52", 0, 14.5, 18, third - 2, "Sicil No");
    ChairmanDan = labelled(QRSubDetail3, "QRLabel53", 0, 19, 18, third - 2, "Dan Der.");
    ChairmanCoachNo = labelled(QRSubDetail3, "QRLabel54", 0, 23.5, 18, third - 2, "Ant.Bel.No");
    QRSubDetail3->addLabel("QRLabel55", {third, 5, third - 2, 5}, "İl Temsilcisi")->font = underlined(8);
    RepresentativeName = QRSubDetail3->addLabel("QRLabel56", {third, 10, third - 2, 4.5});
    RepresentativeName->font = font(8);
    QRSubDetail3->addLabel("QRLabel57", {third, 19, third - 2, 4.5}, kDateLine)->font = font(8);
    QRLabel60 = QRSubDetail3->addLabel("QRLabel60", {2 * third, 5, third, 5});
    QRLabel60->font = underlined(8);
    QRLabel60->wordWrap = true;
    QRSubDetail3->addLabel("QRLabel61", {2 * third, 14.5, third, 4.5}, "TASDİK OLUNUR")->font = font(8);
    QRSubDetail3->addLabel("QRLabel62", {2 * third, 19, third, 4.5}, kDateLine)->font = font(8);

    // Payment, switched on by the launcher when used.
    QRSubDetail4 = ReportBody1.addSubDetail("QRSubDetail4", 16, nullptr);
    QRSubDetail4->enabled = false;
    auto payment = [this, w](const char* name, double y, const char* caption) {
        QRSubDetail4->addLabel(QString(name) + "Caption", {0, y, 40, 4.5}, caption)->font = font(8, true);
        ReportLabel* text = QRSubDetail4->addLabel(name, {40, y, w - 40, 4.5});
        text->font = font(8);
        return text;
    };
    PaymentMethod = payment("QRLabel70", 1, "Ücret Gönderim Şekli :");
    ReceiptDate = payment("QRLabel71", 5.5, "Dekont Tarihi :");
    Explanation = payment("QRLabel72", 10, "Açıklama :");

    QRSubDetail5 = ReportBody1.addSubDetail("QRSubDetail5", 8, nullptr);
    QRSubDetail5->addLabel("QRLabel80", {0, 2, 10, 4.5}, "Açk;")->font = font(8, true);
    QRMemo1 = QRSubDetail5->addMemo("QRMemo1", {11, 2, w - 11, 4.5});
    QRMemo1->font = font(8);
    QRMemo1->autoStretch = true;

    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", 7);
    ReportSysData* page = foot->addSysData("QRSysData1", {0, 2, w, 4.5}, ReportSysData::PageNumber);
    page->font = font(8);
    page->alignment = Qt::AlignHCenter | Qt::AlignTop;

    ReportBody1.beforePrint = [this](Report&) { readFederation(); };
    loadOnNeedData([this] { Query1.open(); });
}

void TGenelBelge::readFederation()
{
    Query2.open();
    const QString name = Query2.str("FirmaAdi");
    Query2.close();
    QRLabel1->caption = name;
    QRLabel60->caption = name;
}

void TGenelBelge::setTexts(const ExamDocumentTexts& t)
{
    Province->caption = t.province;
    Place->caption = t.place;
    ExamDate->caption = t.date;
    for (int i = 0; i < 3; ++i) {
        MemberName[i]->caption = t.members[i].name;
        MemberRegisterNo[i]->caption = t.members[i].registerNo;
        MemberDan[i]->caption = t.members[i].danDegree;
    }
    ChairmanName->caption = t.chairman.name;
    ChairmanRegisterNo->caption = t.chairman.registerNo;
    ChairmanDan->caption = t.chairman.danDegree;
    ChairmanCoachNo->caption = t.chairmanCoachNo;
    RepresentativeName->caption = t.representative;
    PaymentMethod->caption = t.paymentMethod;
    ReceiptDate->caption = t.receiptDate;
    Explanation->caption = t.explanation;
    QRMemo1->lines = t.note;
}
