#include "scoring/BracketChartData.h"

#include "competition/MatchState.h"
#include "reports/PrintMenu2D.h"
#include "reports/PrintMenu2D_1.h"
#include "reports/PrintMenuR.h"
#include "reports/ReportForm.h"
#include "scoring/Placings.h"
#include "scoring/SlotTable.h"

#include <algorithm>

namespace {

// The region a back number's weigh-in row prints: BolgeK, else Bolge.
QString chartRegionOf(const Database& db, const QString& branch, const QString& backNumber)
{
    bool ok = false;
    const int number = backNumber.trimmed().toInt(&ok);
    if (!ok)
        return QString();
    const auto row = db.first("select Sira, Bolge, BolgeK from C_LISTE where Sira = :s and Brans = :b",
                              {{"s", number}, {"b", branch}});
    if (!row)
        return QString();
    const QString shortName = row->str("BolgeK");
    return shortName.isEmpty() ? row->str("Bolge") : shortName;
}

// The points of the winner (back number `winner`) in his next bout after
// position `from` of `bouts`; "" when he has none.
QString chartNextPoints(const Records& bouts, int from, const QString& winner)
{
    if (winner.trimmed().isEmpty())
        return QString();
    for (int i = from + 1; i < bouts.size(); ++i) {
        const Record& b = bouts.at(i);
        if (!b.isNull("Sira1") && b.str("Sira1") == winner.trimmed())
            return b.str("Puan1");
        if (!b.isNull("Sira2") && b.str("Sira2") == winner.trimmed())
            return b.str("Puan2");
    }
    return QString();
}

QString chartSlotName(MatchState& s, int slot)
{
    const QString name = s.FSlotName().text(slot);
    return name == SlotTable::Pending ? QString() : name;
}

// Two rows per slot of slots first..last: a normal slot puts its entry on
// the first row, an athlete without an opponent (odd slot, empty partner)
// on the second, and the empty partner gives two empty rows.
QStringList chartSideRows(MatchState& s, int first, int last, const std::function<QString(int)>& entry)
{
    QStringList rows;
    bool bye = false;
    for (int i = first; i <= last; ++i) {
        const QString name = chartSlotName(s, i);
        const bool odd = (i - first) % 2 == 0;
        if (odd && !name.isEmpty() && chartSlotName(s, i + 1).isEmpty()) {
            rows << QString() << entry(i);
            bye = true;
        } else if (!odd && bye) {
            rows << QString() << QString();
            bye = false;
        } else {
            rows << (name.isEmpty() ? QString() : entry(i)) << QString();
            bye = false;
        }
    }
    return rows;
}

int chartRoundCount(const BracketChart::BoutTable& t)
{
    return int(t.scores.size());
}

} // namespace

QString BracketChartData::tooLargeText(int slotCount, int maxSlots)
{
    return QString("Bu kategorinin kurası çizelgeye sığmıyor: %1 sıra var, çizelge en fazla %2 sıra gösterebilir ...!")
        .arg(slotCount)
        .arg(maxSlots);
}

QString BracketChartData::tooManyRoundsText(int rounds)
{
    return QString("Bu kategorinin kurası çizelgeye sığmıyor: %1 tur var, çizelge en fazla %2 tur gösterebilir ...!")
        .arg(rounds)
        .arg(BracketChart::kMaxRounds);
}

QString BracketChartData::tooManyRepechageText(const QString& pool, int bouts)
{
    return QString("Röpresaj çizelgesine sığmıyor: %1 grubunda %2 maç var, çizelge bir grupta en fazla %3 maç "
                   "gösterebilir ...!")
        .arg(pool)
        .arg(bouts)
        .arg(BracketChart::kRepechageMaxBouts);
}

BracketChart::BoutTable BracketChartData::boutTable(const Database& db, const QString& branch, const QString& gender,
                                                    const BracketChart::Options& o, bool landscape)
{
    const Records bouts =
        db.select("select * from C_KURA where Brans = :b and Tur <> :third and Cinsiyet = :g order by Kura_Key",
                  {{"b", branch}, {"third", Rounds::ThirdPlace}, {"g", gender}});
    BracketChart::BoutTable t;
    QString previous;
    for (int i = 0; i < bouts.size(); ++i) {
        const Record& b = bouts.at(i);
        const QString tur = b.str("Tur");
        if (i == 0 || tur != previous) {
            t.scores << QStringList();
            t.winners << QStringList();
        }
        previous = tur;
        const QString galip = b.str("Galip").trimmed();
        QString winner = o.drawNumbers ? galip : b.str("Salon");
        if (landscape && o.region && !galip.isEmpty() && !winner.isEmpty())
            winner += " (" + chartRegionOf(db, branch, galip) + ")";
        if (landscape && o.points && !winner.isEmpty()) {
            const QString points = chartNextPoints(bouts, i, galip);
            if (!points.isNull() && !galip.isEmpty())
                winner += "/" + points;
        }
        t.scores.last() << b.str("Skor").left(50);
        t.winners.last() << winner;
    }
    return t;
}

QStringList BracketChartData::portraitLines(MatchState& s, const BracketChart::Options& o)
{
    auto entry = [&](int i) {
        const QString region = s.FSlotRegion().text(i);
        const QString club = s.FSlotClub().text(i);
        QString detail = o.region ? " " + region : QString();
        if (o.club && !club.isEmpty())
            detail += detail.isEmpty() ? " " + club : ", " + club;
        const QString name = chartSlotName(s, i);
        return o.drawNumbers ? s.FSlotDrawNo().text(i) + ", " + name + "\r" + detail : name + "\r" + detail;
    };
    return chartSideRows(s, 1, s.FSlotCount, entry);
}

QStringList BracketChartData::landscapeLines(const Database& db, MatchState& s, const BracketChart::Options& o, bool* marked)
{
    const int c = s.FSlotCount;
    bool anyMark = false;
    QHash<QString, QString> regionShort;
    auto regionText = [&](const QString& region) {
        if (!regionShort.contains(region)) {
            const auto r = db.first("select BolgeK from C_UYELIKTURU where Durum = :d", {{"d", region}});
            const QString k = r ? r->str("BolgeK") : QString();
            regionShort.insert(region, k.isEmpty() ? region : k);
        }
        return regionShort.value(region);
    };
    auto text = [&](int i) {
        const QString name = chartSlotName(s, i);
        const QString r = regionText(s.FSlotRegion().text(i));
        QString place;
        if (o.international ? (name == Bye::Name || o.region) : (o.region && r != Bye::Region))
            place = "(" + r + ")";
        const QString club = s.FSlotClub().text(i);
        if (o.club && !club.isEmpty())
            place = place.isEmpty() ? club : place + ", " + club;
        const QString points = o.points && name != Bye::Name ? "/" + s.FSlotPoints().text(i) : QString();
        // The name and the place apart: the chart prints them on one line
        // where they fit, else the place under the athlete's line.
        return (o.drawNumbers ? s.FSlotDrawNo().text(i) + ", " : QString()) + name + "\n" + place + points;
    };
    auto leftEntry = [&](int i) {
        if (s.FSlotOut().integer(i) == 1) {
            anyMark = true;
            return "(X) " + text(i);
        }
        return text(i);
    };
    auto rightEntry = [&](int i) {
        if (s.FSlotOut().integer(i) == 1) {
            anyMark = true;
            return text(i) + " (X)";
        }
        return text(i);
    };

    QStringList rows;
    const int side = BracketChart::landscapeSideSlots(c);
    if (side > 0) {
        const int groups = c <= 3 ? 1 : (c + 2 * side - 1) / (2 * side);
        for (int g = 0; g < groups; ++g) {
            const int leftFirst = g * 2 * side + 1;
            const QStringList left = chartSideRows(s, leftFirst, leftFirst + side - 1, leftEntry);
            const QStringList right = c <= 3 ? QStringList()
                                             : chartSideRows(s, leftFirst + side, leftFirst + 2 * side - 1, rightEntry);
            for (int i = 0; i < left.size(); ++i)
                rows << left.at(i) + "\r" + (i < right.size() ? right.at(i) : QString());
        }
    }
    if (marked)
        *marked = anyMark;
    return rows;
}

BracketChart::Repechage BracketChartData::repechage(const Database& db, const QString& branch, const QString& gender,
                                                    const BracketChart::Options& o)
{
    BracketChart::Repechage out;
    for (const QString& pool : {QStringLiteral("A"), QStringLiteral("B")}) {
        const Records bouts = db.select("select * from C_KURA where Brans = :b and Grup = :p and Ad1 <> :none and "
                                        "Tur = :third and Cinsiyet = :g order by Kura_Key",
                                        {{"b", branch}, {"p", pool}, {"none", "-"}, {"third", Rounds::ThirdPlace},
                                         {"g", gender}});
        const int before = out.lines.size();
        QStringList winners;
        if (bouts.isEmpty()) {
            out.lines << QString() << QString();
        } else {
            const Record& first = bouts.first();
            QString text;
            if (o.region && !first.isNull("Sira1") && !first.str("Sira1").isEmpty())
                text = " (" + chartRegionOf(db, branch, first.str("Sira1")) + ")";
            if (o.points)
                text += "/" + first.str("Puan1");
            out.lines << first.str("Ad1") + text << QString();
        }
        for (int b = 0; b < bouts.size(); ++b) {
            const Record& bout = bouts.at(b);
            QString winner = bout.str("Salon");
            QString text;
            if (o.region && !bout.isNull("Sira2") && !bout.str("Sira2").isEmpty()) {
                if (!winner.isEmpty())
                    winner += " (" + chartRegionOf(db, branch, bout.str("Galip")) + ")";
                text = " (" + chartRegionOf(db, branch, bout.str("Sira2")) + ")";
            }
            if (o.points) {
                const QString points = chartNextPoints(bouts, b, bout.str("Galip"));
                if (!winner.isEmpty() && !points.isNull() && !bout.str("Galip").trimmed().isEmpty())
                    winner += "/" + points;
                text += "/" + bout.str("Puan2");
            }
            out.lines << bout.str("Ad2") + text;
            if (b + 1 < bouts.size())
                out.lines << QString();
            winners << winner;
        }
        if (pool == "A") {
            out.boutsA = int(bouts.size());
            out.linesA = int(out.lines.size());
            out.winnersA = winners;
            out.lines << "-";
        } else {
            out.boutsB = int(bouts.size());
            out.linesB = int(out.lines.size()) - before;
            out.winnersB = winners;
        }
    }
    return out;
}

QStringList BracketChartData::resultBox(const Database& db, const QString& branch, const QString& gender,
                                        bool international)
{
    const QString head = international ? "RESULT" : "SONUÇ";
    QHash<int, int> places;
    for (const Placings::Placing& p : Placings::ranking(db, {branch, true}))
        if (p.brans == branch && p.cinsiyet == gender && p.place >= 1 && p.place <= 4)
            places.insert(p.listeKey, p.place);
    struct Entry {
        int place;
        QString line;
    };
    QList<Entry> entries;
    for (const Record& r : db.select("select Liste_Key, Ad, BolgeK from C_LISTE where Brans = :b and Cinsiyet = :g "
                                     "order by Ad",
                                     {{"b", branch}, {"g", gender}})) {
        const int place = places.value(r.toInt("Liste_Key"), 0);
        if (place == 0)
            continue;
        // A region without a short name prints no empty "()".
        const QString region = r.str("BolgeK");
        entries.push_back({place, QString::number(place == 4 ? 3 : place) + ". " + r.str("Ad") +
                                      (region.trimmed().isEmpty() ? QString() : " (" + region + ")")});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.place < b.place; });
    if (entries.isEmpty() || entries.first().place != 1)
        return {head, "1.", "2.", "3.", "3."};
    QStringList lines{head};
    for (const Entry& e : entries)
        lines << e.line;
    return lines;
}

QString BracketChartData::internationalCategory(const QString& category)
{
    static const std::pair<const char*, const char*> words[] = {
        {"ERKEK", "MALE"},          {"BAYAN", "FEMALE"},     {"KİLO", "KG"},         {"BÜYÜKLER", "SENIORS"},
        {"GENÇLER", "JUNIORS"},     {"YILDIZLAR", "CHILDREN"}, {"21 YAŞ ALTI", "U21"}, {"ÜMİTLER", "CADETS"},
        {"VETERANLAR", "VETERANS"}, {"ÜMİT GENÇ", "CADET & JUNIORS"}, {"TAKIM", "TEAM"}};
    QString text = category;
    for (const auto& [turkish, english] : words)
        text.replace(QString::fromUtf8(turkish), QString::fromUtf8(english));
    return text;
}

QString BracketChartData::fillPortrait(const Database& db, MatchState& s, const QString& branch, const QString& gender,
                                       const BracketChart::Options& o, const QString& titleLine, TPrintMenu2D& chart)
{
    SlotTable::build(db, s, branch, gender);
    if (s.FSlotCount > BracketChart::kPortraitMaxSlots)
        return tooLargeText(s.FSlotCount, BracketChart::kPortraitMaxSlots);
    BracketChart::BoutTable bouts = boutTable(db, branch, gender, o, false);
    if (chartRoundCount(bouts) > BracketChart::kMaxRounds)
        return tooManyRoundsText(chartRoundCount(bouts));

    chart.FSlotLines = portraitLines(s, o);
    chart.FSlotCount = s.FSlotCount;
    chart.FBouts = std::move(bouts);
    for (size_t j = 0; j < chart.RoundCaptions.size(); ++j)
        chart.RoundCaptions[j]->caption = int(j) < s.FRoundNames.size() ? s.FRoundNames.at(int(j)) : QString();
    if (chart.RoundCaptions[0]->caption == Rounds::Preliminary || s.FSlotCount == 1)
        chart.RoundCaptions[0]->caption.clear();
    chart.QRLabel10->caption =
        Reports::sportName() + " " + branch + " KURA LİSTESİ (" + QString::number(s.FAthleteCount) + ")";
    chart.QRLabel55->caption = titleLine;
    return QString();
}

QString BracketChartData::fillLandscape(const Database& db, MatchState& s, const QString& branch,
                                        const QString& gender, const BracketChart::Options& o, const QString& activityTitle,
                                        TPrintMenu2D_1& chart)
{
    SlotTable::build(db, s, branch, gender, true);
    if (s.FSlotCount > BracketChart::kLandscapeMaxSlots)
        return tooLargeText(s.FSlotCount, BracketChart::kLandscapeMaxSlots);
    BracketChart::BoutTable bouts = boutTable(db, branch, gender, o, true);
    if (chartRoundCount(bouts) > BracketChart::kMaxRounds)
        return tooManyRoundsText(chartRoundCount(bouts));

    bool marked = false;
    chart.FSlotLines = landscapeLines(db, s, o, &marked);
    chart.FSlotCount = s.FSlotCount;
    chart.FBouts = std::move(bouts);
    chart.setShape(s.FSlotCount);
    chart.QRLabel34->caption = QString::number(BracketChart::landscapePageGroups(s.FSlotCount));
    chart.QRLabel50->enabled = marked;
    chart.QRMemo1->lines = resultBox(db, branch, gender, o.international);

    const QString n = QString::number(s.FAthleteCount);
    const QString blanks(12, ' ');
    if (o.international) {
        const QString category = internationalCategory(branch);
        chart.QRLabel29->caption = "Referee" + blanks + "Referee" + blanks + "Referee" + blanks + "Tatami Chef" + blanks;
        chart.QRLabel55->caption = category + " DRAWING LIST";
        chart.QRLabel44->caption = "Sp.Count: " + n;
    } else {
        chart.QRLabel29->caption = "Hakem" + blanks + "Hakem" + blanks + "Hakem" + blanks + "Müs.Kom.Bşk." + blanks;
        chart.QRLabel55->caption = branch + " KURA LİSTESİ";
        chart.QRLabel44->caption = "Sp.Sayısı: " + n;
    }
    chart.QRLabel10->caption = activityTitle;
    return QString();
}

QString BracketChartData::fillRepechage(const Database& db, const QString& branch, const QString& gender,
                                        const BracketChart::Options& o, const QString& activityTitle, TPrintMenuR& chart)
{
    BracketChart::Repechage input = repechage(db, branch, gender, o);
    if (input.boutsA > BracketChart::kRepechageMaxBouts)
        return tooManyRepechageText("A", input.boutsA);
    if (input.boutsB > BracketChart::kRepechageMaxBouts)
        return tooManyRepechageText("B", input.boutsB);
    chart.FInput = std::move(input);
    chart.QRLabel55->caption =
        o.international ? internationalCategory(branch) + " ROPRESAJ LIST" : branch + " RÖPRESAJ LİSTESİ";
    chart.QRLabel10->caption = activityTitle;
    return QString();
}
