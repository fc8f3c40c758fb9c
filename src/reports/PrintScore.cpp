#include "reports/PrintScore.h"
#include "app/kit/WeightCategories.h"

#include "reports/BoutLabels.h"

#include <QRegularExpression>

// ---------------------------------------------------------------------------
// The arithmetic

QStringList ScoreSheet::Analiz(const QString& record)
{
    if (record.isEmpty())
        return QStringList(12, "0");
    QStringList fields(12);
    int i = 0;
    for (const QChar c : record) {
        if (i >= 12)
            break;
        if (c == ';') {
            if (fields[i].isEmpty())
                fields[i] = "0";
            ++i;
            continue;
        }
        fields[i] += c;
    }
    return fields;
}

ScoreSheet::Rounds ScoreSheet::roundShares(const QStringList& records)
{
    Rounds r;
    for (auto& round : r.values)
        round.fill("0");
    // The running totals read so far, per position; unknown once a value
    // could not be read.
    std::array<std::optional<int>, 12> before;
    before.fill(0);
    for (int n = 0; n < 4; ++n) {
        const QString record = records.value(n);
        if (record.isEmpty())
            break;
        r.read = n + 1;
        const QStringList fields = Analiz(record);
        bool bad = false;
        for (int k = 0; k < 12; ++k) {
            bool ok = false;
            const int now = fields[k].trimmed().toInt(&ok);
            if (!ok) {
                bad = true;
                before[size_t(k)].reset();
                r.values[size_t(n)][size_t(k)] = "?";
                continue;
            }
            r.values[size_t(n)][size_t(k)] = before[size_t(k)] ? QString::number(now - *before[size_t(k)]) : "?";
            before[size_t(k)] = now;
        }
        if (bad)
            r.unreadable << QString("R%1").arg(n + 1);
    }
    // A judge's total adds his points of every round read.
    for (int k = 0; k < 6; ++k) {
        int sum = 0;
        bool known = true;
        for (int n = 0; n < std::max(r.read, 3); ++n) {
            bool ok = false;
            sum += r.values[size_t(n)][size_t(k)].toInt(&ok);
            known = known && ok;
        }
        r.totals[size_t(k)] = known ? QString::number(sum) : "?";
    }
    return r;
}

QString ScoreSheet::minutesSeconds(const QString& clock)
{
    static const QRegularExpression time("(\\d{1,2}):(\\d{2}):(\\d{2})");
    const QRegularExpressionMatch m = time.match(clock);
    return m.hasMatch() ? m.captured(2) + ":" + m.captured(3) : QString();
}

bool ScoreSheet::isSemiContact(const QString& brans)
{
    return WeightCategories::isSemiContact(brans);
}

// ---------------------------------------------------------------------------
// The form

namespace {

// The sheet is drawn on a grid a little finer than screen pixels, so that a
// bout's band and its result fit on one A4 page under the title.
constexpr double kUnit = 0.255;
constexpr double u(double designPixels)
{
    return designPixels * kUnit;
}
QRectF at(double x, double y, double w, double h)
{
    return {u(x), u(y), u(w), u(h)};
}

// A font given in design pixels.
QFont sheetFont(double pixels, bool bold = false)
{
    QFont f("Arial");
    f.setPointSizeF(pixels * 0.75 * kUnit / px(1));
    f.setBold(bold);
    return f;
}

const QColor kMaroon(128, 0, 0);
const QColor kGreen(0, 128, 0);
const QString kSideLetter[] = {"M", "K"};

} // namespace

TPrintScore::TPrintScore() : TReportForm("PrintScore")
{
    addDataSet(Query1);
    addDataSet(Query2);
    addDataSet(Query6);
    Query1.addCalculated("Tur_Mac", [](const ReportQuery& q) { return BoutLabels::turMac(q.str("Tur"), q.str("Sira")); });
    Query2.afterScroll = [this](ReportQuery&) { Query2AfterScroll(); };
    Query1.afterScroll = [this](ReportQuery&) { Query1AfterScroll(); };

    ReportBody1.title = "Result_Report";
    ReportBody1.page.orientation = ReportPageSetup::Portrait;
    ReportBody1.page.topMargin = 12;
    ReportBody1.page.bottomMargin = 5;
    ReportBody1.page.leftMargin = 5;
    ReportBody1.page.rightMargin = 10;
    ReportBody1.beforePrint = [this](Report&) { FUnreadBouts.clear(); };

    auto label = [](ReportBand* band, const QString& name, const QRectF& rect, const QString& text, double size,
                    bool bold = false) {
        ReportLabel* l = band->addLabel(name, rect, text);
        l->font = sheetFont(size, bold);
        return l;
    };
    auto centred = [](ReportLabel* l) {
        l->alignment = Qt::AlignHCenter | Qt::AlignTop;
        return l;
    };
    auto rule = [](ReportBand* band, const QString& name, double y) {
        return band->addShape(name, at(0, y, 701, 2), ReportShape::HorLine);
    };

    // Page header and footer.
    ReportBand* head = ReportBody1.addBand(ReportBand::PageHeader, "PageHeaderBand1", u(60));
    QRLabel9 = centred(label(head, "QRLabel9", at(0, 12, 701, 28), "MÜSABAKA SONUÇ RAPORU", 16, true));
    QRLabel9->color = kMaroon;
    ReportBand* foot = ReportBody1.addBand(ReportBand::PageFooter, "PageFooterBand1", u(40));
    label(foot, "QRLabel3", at(0, 10, 300, 18), "Ad Soyad / İmza:", 13);
    foot->addSysData("QRSysData1", at(560, 10, 141, 18), ReportSysData::PageNumber, "Sayfa ")->enabled = false;

    // The bout.
    QRSubDetail1 = ReportBody1.addSubDetail("QRSubDetail1", u(674), &Query1);
    QRSubDetail1->forceNewPage = true;
    ReportBand* b = QRSubDetail1;
    auto field = [&](const QString& name, const QRectF& rect, const QString& column, double size, bool bold = false) {
        ReportDataText* t = b->addDataText(name, rect, &Query1, column);
        t->font = sheetFont(size, bold);
        return t;
    };
    // Caption, ":" and value at (x, y).
    auto line = [&](const QString& name, double x, double y, const QString& caption, double valueWidth,
                    double captionWidth = 110) {
        label(b, name + "Caption", at(x, y, captionWidth, 18), caption, 13, true);
        label(b, name + "Colon", at(x + captionWidth + 2, y, 8, 18), ":", 13, true);
        return at(x + captionWidth + 12, y, valueWidth, 18);
    };
    rule(b, "QRShape1", 2);
    BransLabel = label(b, "BransLabel", line("Brans", 0, 12, "Branş", 228), QString(), 13);
    ReportDataText* referee = field("QRDBText2", line("Hakem", 360, 12, "Orta Hakem", 199, 130), "Hakem", 13);
    ReportDataText* ring = field("QRDBText3", line("TarSaat", 0, 32, "Tarih/Ring", 228), "Tar_Saat", 13);
    field("QRDBText4", line("RauntSay", 360, 32, "Round Sayısı", 199, 130), "Raunt_Say", 13);
    ReportDataText* order = field("QRDBText5", line("Skor", 0, 52, "Sıra", 228), "Skor", 13);
    SureLabel = label(b, "SureLabel", line("Sure", 360, 52, "Müsabaka Süresi", 199, 130), QString(), 13);
    QRLabel1 = label(b, "QRLabel1", at(0, 72, 110, 18), "Tur", 13, true);
    QRLabel2 = label(b, "QRLabel2", at(112, 72, 8, 18), ":", 13, true);
    QRDBText1 = field("QRDBText1", at(122, 72, 228, 18), "Tur_Mac", 13);
    rule(b, "QRShape2", 97);

    auto corner = [&](const QString& name, double x, const QString& text, const QColor& colour) {
        ReportLabel* l = label(b, name, at(x, 112, 321, 49), text, 21, true);
        l->color = Qt::white;
        l->background = colour;
        l->alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };
    corner("QRLabel4", 0, " Mavi (Blue)", Qt::blue);
    corner("QRLabel5", 384, " Kırmızı (Red)", Qt::red);
    QRImage1 = b->addImage("QRImage1", at(327.5, 112, 50, 50));
    QRImage1->stretch = true;
    ReportDataText* blue = field("QRDBText6", at(0, 168, 321, 22), "Ad1", 16, true);
    ReportDataText* red = field("QRDBText7", at(384, 168, 321, 22), "Ad2", 16, true);
    Bolge1Label = label(b, "Bolge1Label", at(0, 192, 321, 18), QString(), 13);
    Bolge2Label = label(b, "Bolge2Label", at(384, 192, 321, 18), QString(), 13);
    Klup1Label = label(b, "Klup1Label", at(0, 210, 321, 18), QString(), 13);
    Klup2Label = label(b, "Klup2Label", at(384, 210, 321, 18), QString(), 13);

    // The three judge blocks.
    const double blockTops[] = {242, 386, 530};
    for (int j = 1; j <= 3; ++j) {
        const double top = blockTops[j - 1];
        const QString n = QString::number(j);
        m_judgeBlocks << rule(b, "JudgeRule" + n, top + 6);
        ReportLabel* caption = centred(label(b, "JudgeCaption" + n, at(310, top, 80, 16), " Hakem ", 13, true));
        caption->background = Qt::white;
        m_judgeBlocks << caption;
        ReportDataText* name = field("QRDBTextH" + n, at(0, top + 20, 701, 18), "H" + n, 13, true);
        name->alignment = Qt::AlignHCenter | Qt::AlignTop;
        name->color = kGreen;
        m_judgeBlocks << name;
        for (int r = 1; r <= 4; ++r) {
            const double y = top + 24 + 20 * r;
            for (int s = 0; s < 2; ++s) {
                const double x = s == 0 ? 136 : 456;
                ReportLabel* c =
                    label(b, QString("R%1H%2%3Caption").arg(r).arg(j).arg(kSideLetter[s]), at(x, y, 64, 18),
                          QString("Round %1").arg(r), 13, true);
                c->color = s == 0 ? QColor(Qt::blue) : QColor(Qt::red);
                const QString vn = QString("R%1H%2%3").arg(r).arg(j).arg(kSideLetter[s]);
                ReportLabel* v = label(b, vn, at(x + 64, y, 40, 18), "0", 13);
                v->alignment = Qt::AlignRight | Qt::AlignTop;
                m_values[vn] = v;
                (r == 4 ? m_judgeRound4 : m_judgeBlocks) << c << v;
            }
        }
        m_totalTops[size_t(j - 1)] = top + 104;
        for (int s = 0; s < 2; ++s) {
            const QString tn = QString("Top%1").arg(2 * (j - 1) + s + 1);
            ReportLabel* t = label(b, tn, at(s == 0 ? 200 : 520, top + 104, 40, 18), "0", 13, true);
            t->alignment = Qt::AlignRight | Qt::AlignTop;
            t->frame.top = true;
            m_values[tn] = t;
            m_totals[size_t(2 * (j - 1) + s)] = t;
            m_judgeBlocks << t;
        }
    }

    // The result.
    ChildBand1 = ReportBody1.addChild(QRSubDetail1, "ChildBand1", u(304));
    ReportBand* c = ChildBand1;
    const char* penalty[] = {"MIN", "FO", "EX"};
    const double blueX[] = {112, 192, 264};
    const double redX[] = {400, 480, 560};
    for (int s = 0; s < 2; ++s) {
        for (int p = 0; p < 3; ++p) {
            const double x = (s == 0 ? blueX : redX)[p];
            const char* words[] = {"Minus", "Foul", "Exit"};
            PenaltyHeads[size_t(3 * s + p)] = centred(label(c, "Head" + kSideLetter[s] + penalty[p],
                                                            at(x - 8, 8, 72, 16), words[p], 13, true));
        }
    }
    rule(c, "QRShape3", 24);
    for (int r = 1; r <= 4; ++r) {
        const double y = 16 + 24 * r;
        ReportLabel* blue = label(c, r == 4 ? QString("QRLabel63") : QString("RoundM%1").arg(r), at(16, y, 64, 18),
                                  QString("Round %1").arg(r), 13, true);
        ReportLabel* red = label(c, r == 4 ? QString("QRLabel80") : QString("RoundK%1").arg(r), at(640, y, 61, 18),
                                 QString("Round %1").arg(r), 13, true);
        blue->color = Qt::blue;
        red->color = Qt::red;
        if (r == 4) {
            QRLabel63 = blue;
            QRLabel80 = red;
        }
        for (int s = 0; s < 2; ++s) {
            for (int p = 0; p < 3; ++p) {
                const QString vn = QString("R%1").arg(r) + kSideLetter[s] + penalty[p];
                ReportLabel* v = centred(label(c, vn, at((s == 0 ? blueX : redX)[p] - 8, y, 72, 18), "0", 13));
                m_values[vn] = v;
                if (r == 4)
                    m_penaltyRound4[size_t(3 * s + p)] = v;
            }
        }
    }
    rule(c, "QRShape4", 150);
    ReportLabel* result = centred(label(c, "QRLabel6", at(300, 144, 101, 16), " SONUÇ ", 13, true));
    result->background = Qt::white;
    auto score = [&](const QString& name, double x, const QString& column, const QColor& colour) {
        ReportDataText* t = c->addDataText(name, at(x, 160, 57, 52), &Query1, column);
        t->font = sheetFont(40, true);
        t->color = Qt::white;
        t->background = colour;
        t->alignment = Qt::AlignCenter;
    };
    score("QRDBTextPuan1", 259, "Puan1", Qt::blue);
    score("QRDBTextPuan2", 392, "Puan2", Qt::red);
    ReportDataText* winner = c->addDataText("QRDBTextSalon", at(0, 224, 701, 22), &Query1, "Salon");
    winner->font = sheetFont(16, true);
    winner->alignment = Qt::AlignHCenter | Qt::AlignTop;
    NoteLabel = centred(label(c, "NoteLabel", at(0, 248, 701, 18), QString(), 11, true));
    NoteLabel->color = Qt::red;
    NoteLabel->enabled = false;
    auto resultLine = [&](const QString& name, double x, const QString& caption, double captionWidth) {
        label(c, name + "Caption", at(x, 272, captionWidth, 18), caption, 13, true);
        label(c, name + "Colon", at(x + captionWidth + 2, 272, 8, 18), ":", 13, true);
        return at(x + captionWidth + 12, 272, 120, 18);
    };
    ReportDataText* karar = c->addDataText("QRDBTextKarar", resultLine("Karar", 0, "Müsabaka Kararı", 136), &Query1,
                                           "Karar");
    karar->font = sheetFont(13);
    ReportDataText* raunt = c->addDataText("QRDBTextRaunt", resultLine("Raunt", 280, "Round", 56), &Query1, "Raunt");
    raunt->font = sheetFont(13);
    KalanSureLabel = label(c, "KalanSureLabel", resultLine("Kalan", 480, "Kalan Süre", 84), QString(), 13);

    // A long class, name, region or club prints whole in its box: in smaller
    // type, never cut off or run into the other corner's text.
    m_cells.add({BransLabel, referee, ring, order, blue, red, Bolge1Label, Bolge2Label, Klup1Label, Klup2Label, karar,
                 raunt},
                ListLayout::FittedCells::BoxHolds);
    QRSubDetail1->beforePrint = [this](ReportBand&, bool&) { m_cells.fit(); };
}

ReportLabel* TPrintScore::value(const QString& name) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : it->second;
}

void TPrintScore::Analiz(const QString& record)
{
    FRoundFields = ScoreSheet::Analiz(record);
}

void TPrintScore::Query2AfterScroll()
{
    Query1.close();
    Query1.sql.clear();
    Query1.params.clear();
    if (Query2.eof())
        return;
    // Only a row with "-" on a side (the third-place row) gets no sheet; a
    // bout with a bye side ("Tur Atlar") gets its page like any other.
    switch (FScope) {
    case 1:
        Query1.sql = "select * from C_KURA where Ad1 <> '-' and Ad2 <> '-' and Cinsiyet = :Cinsiyet and "
                     "Brans = :Brans order by Kura_Key";
        Query1.params = {{"Cinsiyet", Query2.str("Cinsiyet")}, {"Brans", Query2.str("Brans")}};
        break;
    case 2:
        Query1.sql = "select * from C_KURA where Ad1 <> '-' and Ad2 <> '-' and Kura_Key = :Kura_Key";
        Query1.params = {{"Kura_Key", Query2.value("Kura_Key")}};
        break;
    default:
        Query1.sql = "select * from C_KURA where Ad1 <> '-' and Ad2 <> '-' order by Kura_Key";
        break;
    }
    Query1.open();
    // The logo prints when the file is there.
    QRImage1->enabled = QRImage1->loadFromFile("C:\\CO\\MusLogo.bmp");
}

QString TPrintScore::lookup(const QString& number, const QString& field)
{
    Query6.close();
    Query6.sql = QString("select Sira, %1 from C_LISTE where Sira = :Sira").arg(Database::identifier(field));
    Query6.params = {{"Sira", number.trimmed().toInt()}};
    Query6.open();
    const QString found = Query6.eof() ? QString() : Query6.str(field);
    Query6.close();
    return found;
}

QString TPrintScore::sideText(const QString& side, const QString& field, const QString& listField)
{
    const QString number = Query1.str("Sira" + side);
    if (number.trimmed().isEmpty())
        return QString();
    const QString own = Query1.str(field + side);
    return own.isEmpty() ? lookup(number, listField) : own;
}

void TPrintScore::Query1AfterScroll()
{
    if (Query1.eof())
        return;
    const bool semi = ScoreSheet::isSemiContact(Query1.str("Brans"));
    BransLabel->caption = Query1.str("Brans");

    // The kind of bout: a semi-contact sheet has no judge blocks, and the
    // first penalty column holds the points.
    for (int s = 0; s < 2; ++s)
        PenaltyHeads[size_t(3 * s)]->caption = semi ? "Point" : "Minus";
    QRSubDetail1->height = u(semi ? 242 : 674);
    ChildBand1->height = u(semi ? 674 : 304);

    SureLabel->caption = ScoreSheet::minutesSeconds(Query1.str("d_time"));
    KalanSureLabel->caption = ScoreSheet::minutesSeconds(Query1.str("n_time"));
    Bolge1Label->caption = sideText("1", "Bolge", "Bolge");
    Bolge2Label->caption = sideText("2", "Bolge", "Bolge");
    Klup1Label->caption = sideText("1", "Klup", "Klup");
    Klup2Label->caption = sideText("2", "Klup", "Klup");

    QStringList records;
    for (int n = 1; n <= 4; ++n)
        records << Query1.str(QString("R%1").arg(n));
    const ScoreSheet::Rounds rounds = ScoreSheet::roundShares(records);
    for (int n = 0; n < rounds.read; ++n)
        Analiz(records[n]);

    // Judges' points in positions 1 to 6, penalties in 7 to 12.
    for (int r = 1; r <= 4; ++r) {
        const auto& v = rounds.values[size_t(r - 1)];
        for (int j = 1; j <= 3; ++j)
            for (int s = 0; s < 2; ++s)
                value(QString("R%1H%2%3").arg(r).arg(j).arg(kSideLetter[s]))->caption = v[size_t(2 * (j - 1) + s)];
        const char* penalty[] = {"MIN", "FO", "EX"};
        for (int s = 0; s < 2; ++s)
            for (int p = 0; p < 3; ++p)
                value(QString("R%1").arg(r) + kSideLetter[s] + penalty[p])->caption = v[size_t(6 + 3 * s + p)];
    }
    const bool four = rounds.fourthRound();
    QRLabel63->enabled = QRLabel80->enabled = four;
    for (ReportLabel* l : m_penaltyRound4)
        l->enabled = four;
    for (ReportControl* c : std::as_const(m_judgeBlocks))
        c->enabled = !semi;
    for (ReportControl* c : std::as_const(m_judgeRound4))
        c->enabled = !semi && four;
    Topla(rounds);

    const QString bout = Query1.str("Kura_Key") + " (" + Query1.str("Ad1") + " / " + Query1.str("Ad2") + ")";
    NoteLabel->enabled = !rounds.unreadable.isEmpty();
    NoteLabel->caption = NoteLabel->enabled ? "Müsabaka " + bout + ": " + rounds.unreadable.join(", ") +
                                                  " round kaydı okunamadı; okunamayan değerler '?' ile gösterildi."
                                            : QString();
    if (NoteLabel->enabled && !FUnreadBouts.contains(bout))
        FUnreadBouts << bout;
}

void TPrintScore::Topla(const ScoreSheet::Rounds& rounds)
{
    // The totals sit one row under the last round shown.
    const double below = rounds.fourthRound() ? 20 : 0;
    for (int k = 0; k < 6; ++k) {
        ReportLabel* t = m_totals[size_t(k)];
        t->caption = rounds.totals[size_t(k)];
        t->rect.moveTop(u(m_totalTops[size_t(k / 2)] + below));
    }
}
