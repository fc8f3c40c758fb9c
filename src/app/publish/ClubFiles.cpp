#include "app/publish/ClubFiles.h"

#include "app/kit/Formats.h"
#include "platform/text/Turkish.h"
#include "registry/PersonChecks.h"
#include "registry/PersonFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>

namespace ClubFiles {

namespace {

// Builds the seed of the web name: five-character codes interleave the
// region code after the second and third characters, shorter ones after the
// first and second.
QString clubFilesSeed(const QString& e2, const QString& t)
{
    if (e2.size() == 5)
        return QString() + e2[0] + e2[1] + t[0] + e2[2] + t[1] + e2[3] + e2[4];
    return QString() + e2[0] + t[0] + e2[1] + t[1] + e2[2] + e2[3];
}

QString clubFilesWebChar(QChar c)
{
    if (c == QLatin1Char(' '))
        return "_";
    if (c == QLatin1Char('.'))
        return "X1";
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
        return QString(c);
    switch (c.unicode()) {
    case 0x00C7: return "C1";   // Ç
    case 0x011E: return "G1";   // Ğ
    case 0x00D6: return "O1";   // Ö
    case 0x00DC: return "U1";   // Ü
    case 0x0130: return "I1";   // İ
    case 0x015E: return "S1";   // Ş
    default: return "W1";
    }
}

QString clubFilesUser(const QDate& today)
{
    return "FEDERASYON, " + Formats::dateToStr(today);
}

bool clubFilesValidIdentity(const QString& id)
{
    return !id.isEmpty() && TCKimlikDogrula(id);
}

// What the merge does with one federation athlete.
struct ClubFilesStep {
    Record athlete;
    enum Kind { Skip, Update, Add } kind = Skip;
    int rowKey = 0;         // Update: Musteri_Key of the package row
    int mark = 0;           // Update: kRefreshed, kByName or kByIdentity
};

} // namespace

std::optional<Club> club(Database& db, int key)
{
    const auto row = db.first("select Durum_Key, Durum, E1 from C_UYELIKSURESI where Durum_Key = :k", {{"k", key}});
    if (!row)
        return std::nullopt;
    return Club{row->toInt("Durum_Key"), row->str("Durum"), row->str("E1")};
}

QString clubCode4(int key)
{
    const QString digits = QString::number(key);
    return digits.size() == 3 ? "0" + digits : digits;
}

QString resultFileName(const Club& club, int period)
{
    return club.name + clubCode4(club.key) + QString::number(period) + "--" + club.region + ".pdf";
}

QString packagePath(const QString& folder, const QString& clubCode4)
{
    return QDir(folder).filePath("Fed" + clubCode4 + ".zip");
}

QString clubFilePath(const QString& folder)
{
    return QDir(folder).filePath("Fed.mdb");
}

QString webName(const QString& name, const QString& region, const QString& e2, const QString& tip2)
{
    if (e2.size() < 4 || tip2.size() < 2)
        return QString();
    const QString seed = clubFilesSeed(e2, tip2);
    QString reversed;
    for (qsizetype i = seed.size() - 1; i >= 0; --i)
        reversed += seed[i];
    const QString n = Turkish::asciiUpper(name + region);
    // The last characters of the name take one seed character each; a name
    // shorter than the seed leaves the first seed characters alone.
    const qsizetype kept = n.size() - reversed.size();
    QString plain = n.left(std::max<qsizetype>(kept, 0));
    for (qsizetype i = 0; i < reversed.size(); ++i) {
        const qsizetype at = kept + i;
        if (at >= 0)
            plain += n[at];
        plain += reversed[i];
    }
    QString out;
    for (QChar c : plain)
        out += clubFilesWebChar(c);
    return out;
}

QString KulupWebAdi(Database& db, const QString& clubCode4)
{
    const auto c = db.first("select Durum, E1, E2 from C_UYELIKSURESI where Durum_Key = :k",
                            {{"k", clubCode4.toInt()}});
    if (!c)
        return QString();
    const QString tip2 = db.scalar("select Tip2 from C_UYELIKTURU where Durum = :r", {{"r", c->str("E1")}}).toString();
    return webName(c->str("Durum"), c->str("E1"), c->str("E2"), tip2);
}

QByteArray markerText(const QString& clubCode4, qint64 packageSize, const QDateTime& at)
{
    const QString title = "<title>KODX" + at.toString("ddMMyyyyHHmmss") + clubCode4 + QString::number(packageSize)
        + "</title>";
    return ("<head>\r\n" + title + "\r\n</head>\r\n").toUtf8();
}

bool writeMarker(const QString& hostPath, const QByteArray& text)
{
    QSaveFile file(hostPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool copyFile(const QString& source, const QString& target)
{
    return PersonFiles::replace(source, target);
}

ClubRow clubRowOf(Database& package, const Club& club)
{
    const Records rows = package.select("select * from C_UYELIKSURESI where Durum_Key = 200");
    ClubRow r;
    if (rows.isEmpty())
        return r;
    if (rows.size() > 1) {
        r.state = ClubRow::Several;
        return r;
    }
    r.name = rows[0].str("Durum");
    r.region = rows[0].str("E1");
    r.state = (r.name == club.name && r.region == club.region) ? ClubRow::Same : ClubRow::Other;
    return r;
}

MergeResult mergeAthletes(Database& federation, Database& package, const Club& club, const QDate& today,
                          bool addClubRow)
{
    // The club's athletes in the federation, one per Ad_Soyad (the latest
    // changed first).
    const Records all = federation.select(
        "select * from C_MUSTERI where E50<>'' and Tip<>0 and Vergi_Dairesi = :r and E16 = :c "
        "order by Ad_Soyad, M2 desc",
        {{"r", club.region}, {"c", club.name}});
    Records athletes;
    for (const Record& r : all)
        if (athletes.isEmpty() || athletes.last().str("Ad_Soyad") != r.str("Ad_Soyad"))
            athletes.append(r);

    MergeResult result;
    Transaction tx(package);
    if (addClubRow)
        package.insert("C_UYELIKSURESI", {{"Durum_Key", 200}, {"Durum", club.name}, {"E1", club.region}});

    // First decide for every athlete against the package as it is, so that
    // a package row two athletes would change can be left alone.
    QList<ClubFilesStep> steps;
    QHash<int, int> claims;
    for (const Record& r : athletes) {
        ClubFilesStep step;
        step.athlete = r;
        const QString id = r.str("E42").trimmed();
        const bool hasId = clubFilesValidIdentity(id);
        const Records byName = package.select(
            "select Musteri_Key, Terfi, Vergi_Numarasi, E42 from C_MUSTERI where trim(Adi) = :a and trim(Soyadi) = :s",
            {{"a", r.str("Adi").trimmed()}, {"s", r.str("Soyadi").trimmed()}});
        const Records byId = hasId
            ? package.select("select Musteri_Key, Terfi, Vergi_Numarasi, E42 from C_MUSTERI where trim(E42) = :id",
                             {{"id", id}})
            : Records();
        auto refreshOr = [&](const Record& c, int otherwise) {
            return c.toInt("Terfi") == 2 && c.str("Vergi_Numarasi") == r.str("Vergi_Numarasi") ? int(kRefreshed)
                                                                                              : otherwise;
        };
        if (byId.size() > 1) {
            step.kind = ClubFilesStep::Skip;
        } else if (byId.size() == 1) {
            const Record& c = byId[0];
            const bool sameName = byName.size() == 1 && byName[0].toInt("Musteri_Key") == c.toInt("Musteri_Key");
            step.kind = ClubFilesStep::Update;
            step.rowKey = c.toInt("Musteri_Key");
            step.mark = refreshOr(c, sameName ? kByName : kByIdentity);
        } else if (byName.size() > 1) {
            step.kind = ClubFilesStep::Skip;
        } else if (byName.size() == 1) {
            const Record& c = byName[0];
            const QString theirs = c.str("E42").trimmed();
            if (hasId && clubFilesValidIdentity(theirs) && theirs != id) {
                step.kind = ClubFilesStep::Add;     // a namesake: another person
            } else {
                step.kind = ClubFilesStep::Update;
                step.rowKey = c.toInt("Musteri_Key");
                step.mark = refreshOr(c, kByName);
            }
        } else {
            step.kind = ClubFilesStep::Add;
        }
        if (step.kind == ClubFilesStep::Update)
            ++claims[step.rowKey];
        steps.append(step);
    }

    // Columns of the package's persons by upper-cased name.
    QHash<QString, QString> columns;
    for (const QString& c : package.columns("C_MUSTERI"))
        columns.insert(c.toUpper(), c);

    qint64 nextKey = std::max<qint64>(kFirstPackageKey,
                                      package.scalar("select max(Musteri_Key) from C_MUSTERI").toLongLong());
    const QString user = clubFilesUser(today);
    for (const ClubFilesStep& step : steps) {
        const Record& r = step.athlete;
        if (step.kind == ClubFilesStep::Skip || (step.kind == ClubFilesStep::Update && claims.value(step.rowKey) > 1)) {
            ++result.skipped;
            continue;
        }
        if (step.kind == ClubFilesStep::Update) {
            QVariantMap fields{{"E25", r.value("E25")}, {"E75", r.value("E25")}, {"M1", today},
                               {"User", user}, {"Terfi", step.mark}};
            if (step.mark != kRefreshed)
                fields.insert("Vergi_Numarasi", r.value("Vergi_Numarasi"));
            package.update("C_MUSTERI", fields, "Musteri_Key = :w_k", {{"w_k", step.rowKey}});
            if (step.mark == kRefreshed)
                ++result.refreshed;
            else if (step.mark == kByName)
                ++result.byName;
            else
                ++result.byIdentity;
            continue;
        }
        ++nextKey;
        QVariantMap fields;
        const QStringList names = r.fieldNames();
        for (int i = 0; i < names.size(); ++i) {
            const auto own = columns.constFind(names[i].toUpper());
            if (own != columns.constEnd())
                fields.insert(own.value(), r.value(i));
        }
        const QVariantMap fixed{{"Musteri_Key", nextKey}, {"Client_Key", 200}, {"Klup_Yetkilisi", "o"},
                                {"Terfi", int(kAdded)}, {"Vergi_Dairesi", club.region}, {"E50", "SPORCU"},
                                {"Tip", 1}, {"M1", today}, {"M2", today}, {"User", user}, {"Kullanici", 0},
                                {"E53", "-"}, {"E75", r.value("E25")}};
        for (auto it = fixed.constBegin(); it != fixed.constEnd(); ++it) {
            const auto own = columns.constFind(it.key().toUpper());
            if (own != columns.constEnd())
                fields.insert(own.value(), it.value());
        }
        // Emptied: the club's own titles, duties and competition data.
        for (const char* emptied : {"E43", "E51", "E57", "E52", "E56", "E74", "E48", "E54", "E55", "E71", "E73"}) {
            const auto own = columns.constFind(QString(emptied).toUpper());
            if (own != columns.constEnd())
                fields.insert(own.value(), QString(""));
        }
        for (const char* cleared : {"M6", "M5", "M9", "M8", "E68", "E69"}) {
            const auto own = columns.constFind(QString(cleared).toUpper());
            if (own != columns.constEnd())
                fields.insert(own.value(), QVariant());
        }
        package.insert("C_MUSTERI", fields);
        ++result.added;
        result.addedKeys.append(int(nextKey));
    }
    tx.commit();
    return result;
}

}
