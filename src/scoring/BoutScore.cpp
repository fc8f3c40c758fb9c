#include "scoring/BoutScore.h"

#include <QTime>

#include <algorithm>

// ---------------------------------------------------------------------------
// RoundRecord

QString RoundRecord::compose(const BoutCards& c, bool semiContact)
{
    QStringList v;
    for (int j = 0; j < 3; ++j)
        v << QString::number(c.judgeBlue[size_t(j)]) << QString::number(c.judgeRed[size_t(j)]);
    v << QString::number(semiContact ? c.puan1 : c.blue[Minus]) << QString::number(c.blue[Foul])
      << QString::number(c.blue[Exit]);
    v << QString::number(semiContact ? c.puan2 : c.red[Minus]) << QString::number(c.red[Foul])
      << QString::number(c.red[Exit]);
    return v.join(';');
}

QString RoundRecord::column(int round)
{
    return round >= 1 && round <= 4 ? "R" + QString::number(round) : QString();
}

QStringList RoundRecord::Analiz(const QString& record)
{
    if (record.isEmpty())
        return QStringList(12, "0");
    QStringList fields(12);
    int i = 0;
    for (const QChar ch : record) {
        if (i >= 12)
            break;
        if (ch == ';') {
            if (fields[i].isEmpty())
                fields[i] = "0";
            ++i;
        } else {
            fields[i] += ch;
        }
    }
    return fields;
}

std::array<int, 12> RoundRecord::values(const QStringList& fields)
{
    std::array<int, 12> v{};
    for (int i = 0; i < 12 && i < fields.size(); ++i)
        v[size_t(i)] = fields[i].trimmed().toInt();
    return v;
}

std::array<int, 12> RoundRecord::lastRound(const QStringList& records)
{
    int last = -1;
    for (int i = 0; i < records.size(); ++i)
        if (!records[i].isEmpty())
            last = i;
    std::array<int, 12> diff{};
    if (last < 0)
        return diff;
    const auto now = values(Analiz(records[last]));
    const auto before = last > 0 ? values(Analiz(records[last - 1])) : std::array<int, 12>{};
    for (size_t i = 0; i < 12; ++i)
        diff[i] = now[i] - before[i];
    return diff;
}

// ---------------------------------------------------------------------------
// Judging

void Judging::countVotes(BoutCards& c)
{
    c.puan1 = 0;
    c.puan2 = 0;
    for (int j = 1; j <= 3; ++j) {
        if (c.lead(j) > 0)
            ++c.puan1;
        else if (c.lead(j) < 0)
            ++c.puan2;
    }
}

Judging::Evaluation Judging::evaluate(const BoutCards& cards, const std::array<int, 12>& lastRound)
{
    Evaluation e;
    for (int j = 1; j <= 3; ++j) {
        if (cards.lead(j) != 0)
            continue;
        const int blue = lastRound[size_t(2 * (j - 1))];
        const int red = lastRound[size_t(2 * (j - 1) + 1)];
        if (blue > red)
            e.lastRoundWinners[size_t(j - 1)] = 1;
        else if (blue < red)
            e.lastRoundWinners[size_t(j - 1)] = 2;
    }
    for (int j = 1; j <= 3; ++j) {
        if (cards.lead(j) == 0 && e.lastRoundWinners[size_t(j - 1)] == 0) {
            e.askJudge = j;
            return e;
        }
    }
    // The judges who have a side ahead vote for it.
    BoutCards counted = cards;
    countVotes(counted);
    e.puan1 = counted.puan1;
    e.puan2 = counted.puan2;
    for (int j = 1; j <= 3; ++j) {
        if (cards.lead(j) != 0 || e.puan1 + e.puan2 >= 3)
            continue;
        if (e.lastRoundWinners[size_t(j - 1)] == 1)
            ++e.puan1;
        else
            ++e.puan2;
    }
    e.winnerSide = e.puan1 > e.puan2 ? 1 : e.puan1 < e.puan2 ? 2 : 0;
    return e;
}

// ---------------------------------------------------------------------------
// ClockText

QString ClockText::format(int seconds)
{
    seconds = std::max(0, seconds);
    return QString("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QChar('0'))
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

std::optional<int> ClockText::parse(const QString& text)
{
    QString t = text.trimmed();
    // A date-time value keeps its time after the blank.
    if (const int blank = t.lastIndexOf(' '); blank >= 0)
        t = t.mid(blank + 1);
    if (const int dot = t.indexOf('.'); dot >= 0)
        t = t.left(dot);
    const QTime time = QTime::fromString(t, "H:m:s");
    if (!time.isValid())
        return std::nullopt;
    return time.msecsSinceStartOfDay() / 1000;
}

// ---------------------------------------------------------------------------
// RingMatch

QString RingMatch::compose(int ring, int match)
{
    return QString::number(ring) + QString("%1").arg(match, 3, 10, QChar('0'));
}

std::optional<RingMatch::Code> RingMatch::split(const QString& skor)
{
    if (skor.size() < 4)
        return std::nullopt;
    return Code{skor.left(skor.size() - 3), skor.right(3)};
}

namespace {
bool allDigits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; });
}
}

RingMatch::Code RingMatch::propose(const QStringList& codes, int defaultRing)
{
    QString ring;
    if (!codes.isEmpty())
        if (const auto last = split(codes.last()))
            ring = last->ring;
    int best = -1;
    for (const QString& code : codes) {
        if (ring.isEmpty() || !allDigits(code))
            continue;
        const auto c = split(code);
        if (c && c->ring == ring)
            best = std::max(best, c->match.toInt());
    }
    if (best < 0)
        return {QString::number(defaultRing), "001"};
    return {ring, QString("%1").arg(best + 1, 3, 10, QChar('0'))};
}
