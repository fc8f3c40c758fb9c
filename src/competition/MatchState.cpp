#include "competition/MatchState.h"

#include <stdexcept>

// ---------------------------------------------------------------------------
// CellArea

CellArea::CellArea(int size) : m_cells(size_t(size)) {}

const CellArea::Cell& CellArea::at(int index) const
{
    if (index < 0 || index >= size())
        throw std::out_of_range("cell index " + std::to_string(index) + " outside the work area");
    return m_cells[size_t(index)];
}

CellArea::Cell& CellArea::at(int index)
{
    if (index < 0 || index >= size())
        throw std::out_of_range("cell index " + std::to_string(index) + " outside the work area");
    return m_cells[size_t(index)];
}

bool CellArea::isEmpty(int index) const
{
    return std::holds_alternative<std::monostate>(at(index));
}

bool CellArea::isText(int index) const
{
    return std::holds_alternative<QString>(at(index));
}

int CellArea::integer(int index) const
{
    const Cell& c = at(index);
    if (const int* v = std::get_if<int>(&c))
        return *v;
    if (const QString* t = std::get_if<QString>(&c))
        return t->trimmed().toInt();
    return 0;
}

QString CellArea::text(int index) const
{
    const Cell& c = at(index);
    if (const QString* t = std::get_if<QString>(&c))
        return *t;
    if (const int* v = std::get_if<int>(&c))
        return QString::number(*v);
    return QString();
}

void CellArea::set(int index, int value)
{
    at(index) = value;
}

void CellArea::set(int index, const QString& value)
{
    at(index) = value;
}

void CellArea::clear(int index)
{
    at(index) = std::monostate();
}

void CellArea::clear(int first, int last)
{
    if (first > last)
        return;
    at(first);
    at(last);
    // Most cells of a section are empty already: only the others are touched.
    for (auto it = m_cells.begin() + first, end = m_cells.begin() + last + 1; it != end; ++it)
        if (!std::holds_alternative<std::monostate>(*it))
            *it = std::monostate();
}

int CellSection::cell(int i) const
{
    if (i < 1 || i > m_count)
        throw std::out_of_range("entry " + std::to_string(i) + " outside its work-area section");
    return m_base + i;
}

// ---------------------------------------------------------------------------
// MatchState

MatchState::MatchState() : FDrawWork(60005), FLineStore(40035)
{
    setMinusPoints(1);
}

void MatchState::takeDrawOptions(const QString& menTime, const QString& womenTime, const QString& finalMenTime,
                                 const QString& finalWomenTime, int roundCount)
{
    FMatchTimeMen = "00:" + menTime;
    FMatchTimeWomen = "00:" + womenTime;
    FFinalTimeMen = "00:" + finalMenTime;
    FFinalTimeWomen = "00:" + finalWomenTime;
    FRoundCount = roundCount;
}

namespace {

// Row maps come from the database with the columns spelled as stored; the
// reset finds and writes them without regard to case.
QString keyOf(const QVariantMap& row, const QString& column)
{
    if (row.contains(column))
        return column;
    for (auto it = row.constBegin(); it != row.constEnd(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.key();
    return column;
}

QVariant get(const QVariantMap& row, const QString& column)
{
    return row.value(keyOf(row, column));
}

void put(QVariantMap& row, const QString& column, const QVariant& value)
{
    row.insert(keyOf(row, column), value);
}

} // namespace

void MatchState::DBSifirla1(QVariantMap& row)
{
    put(row, "Tar_Saat", QString());
    put(row, "Skor", QString());
    FScoreResetting = 0;
    DBSifirla2(row);
}

void MatchState::DBSifirla2(QVariantMap& row)
{
    for (const char* c : {"Hakem", "H1", "H2", "H3", "R1", "R2", "R3", "R4", "Karar"})
        put(row, c, QString());
    for (const char* c : {"Foul1", "Foul2", "Puan1", "Puan2", "H1K", "H2K", "H3K", "H1M", "H2M", "H3M", "C1K", "C2K",
                          "C3K", "C1M", "C2M", "C3M"})
        put(row, c, 0);
    put(row, "Raunt", 1);
    if (FScoringStation == 1) {
        for (const char* c : {"Salon", "Galip", "Tar_Saat", "Skor"})
            put(row, c, QString());
    }
    if (FScoreResetting) {
        put(row, "n_time", get(row, "d_time"));
        return;
    }
    put(row, "Raunt_Say", FRoundCount);
    const QString gender = get(row, "Cinsiyet").toString();
    const bool final = get(row, "Tur").toString() == Rounds::Final;
    QString boutTime;
    QString extraTime;
    if (gender == "ERKEK") {
        boutTime = final ? FFinalTimeMen : FMatchTimeMen;
        extraTime = FExtraTimeMen;
    } else if (gender == "BAYAN") {
        boutTime = final ? FFinalTimeWomen : FMatchTimeWomen;
        extraTime = FExtraTimeWomen;
    } else {
        return;
    }
    put(row, "n_time", boutTime);
    put(row, "d_time", boutTime);
    put(row, "ex_time", extraTime);
}

QString MatchState::turMac(const QString& tur, const QString& sira)
{
    if (tur == Rounds::Final || tur == Rounds::ThirdPlace)
        return tur;
    return tur + " " + sira + ".MAÇ";
}
