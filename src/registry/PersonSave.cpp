#include "registry/PersonSave.h"

#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "registry/PersonChecks.h"

#include <QDate>

namespace PersonWriter {

QString OtoSicilVer(const QString& lastGiven, bool* ok)
{
    qint64 last = 0;
    bool numeric = true;
    if (!lastGiven.isEmpty())
        last = lastGiven.toLongLong(&numeric);
    if (ok)
        *ok = numeric;
    if (!numeric)
        return QString();
    return QString("%1").arg(last + 1, 7, 10, QChar('0'));
}

QString stylesSummary(Database& db, int personKey)
{
    const Records rows = db.select(
        "Select F_KUSAK.Musteri_Key, F_KUSAK.Kusak_Key, F_KUSAK.Stil, KUSAK.Kusak_Adi from F_KUSAK INNER JOIN KUSAK "
        "ON KUSAK.Kusak_Key = F_KUSAK.Kusak_Key where F_KUSAK.Musteri_Key = :k and F_KUSAK.Stil <> '' "
        "order by F_KUSAK.Stil, F_KUSAK.Kusak_Key desc",
        {{"k", personKey}});
    QStringList entries;
    QString lastStyle;
    bool first = true;
    for (const Record& r : rows) {
        const QString style = r.str("Stil");
        if (!first && style == lastStyle)
            continue;
        first = false;
        lastStyle = style;
        entries << r.str("Kusak_Adi") + "(" + style + ")";
    }
    return entries.join(",");
}

namespace {

QVariant dateValue(const QString& text)
{
    QDate d;
    if (isBlankDate(text) || !Formats::tryStrToDate(text, d))
        return QVariant(QMetaType(QMetaType::QDate));
    return d;
}

QVariant intValue(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? QVariant(n) : QVariant(QMetaType(QMetaType::Int));
}

QVariant weightValue(const QString& text)
{
    double w = 0;
    if (text.isEmpty() || !readsAsWeight(text, &w))
        return QVariant(QMetaType(QMetaType::Double));
    return w;
}

// The key of the first row of a list whose name is exactly the text (the
// database compares without regard to case, the program exactly).
QVariant keyByName(const Records& rows, const QString& keyField, const QString& nameField, const QString& name)
{
    for (const Record& r : rows)
        if (r.str(nameField) == name)
            return r.value(keyField);
    return QVariant(QMetaType(QMetaType::Int));
}

int nextCareerKey(Database& db)
{
    return Counters::next(db, "Sayiu");
}

void writeFirstRows(Database& db, PersonSave& s)
{
    const PersonValues& v = s.values;
    const int key = s.personKey;
    if (!v.value("E25").isEmpty()) {
        const Records belts = db.select("select Kusak_Key, Kusak_Adi from KUSAK order by Kusak_Key");
        db.insert("F_KUSAK", {{"Kus_Key", nextCareerKey(db)},
                              {"Musteri_Key", key},
                              {"Kusak_Key", keyByName(belts, "Kusak_Key", "Kusak_Adi", v.value("E25"))},
                              {"Tarih", dateValue(v.value("M7"))},
                              {"Yer", v.value("E58")},
                              {"Stil", v.value("Stil")},
                              {"KarNo", s.pendingBelt.KarNo},
                              {"Dip_No_Tar", s.pendingBelt.Dip_No_Tar}});
    }
    struct Title {
        const char* column;
        const char* kind;
        const char* table;
        const char* keyColumn;
        const char* date;
        const char* place;
        const PendingCareerRow* pending;
    };
    const Title titles[] = {
        {"E52", "A", "F_ANT", "Ant_Key", "M5", "E56", &s.pendingCoachTitle},
        {"E51", "H", "F_HAKEM", "Hak_Key", "M6", "E57", &s.pendingRefereeTitle},
    };
    for (const Title& t : titles) {
        if (v.value(t.column).isEmpty())
            continue;
        const Records list = db.select(
            "select Durum_Key, Durum from C_UYEKULLANICI where tip2 = :k and Durum_Key > 1 order by Durum_Key",
            {{"k", t.kind}});
        db.insert(t.table, {{t.keyColumn, nextCareerKey(db)},
                            {"Musteri_Key", key},
                            {"Durum_Key", keyByName(list, "Durum_Key", "Durum", v.value(t.column))},
                            {"Tarih", dateValue(v.value(t.date))},
                            {"Yer", v.value(t.place)},
                            {"KarNo", t.pending->KarNo},
                            {"Dip_No_Tar", t.pending->Dip_No_Tar}});
    }
    const PendingLicence& l = s.pendingLicence;
    if (l.size() >= 8 && !l[0].isEmpty() && !l[1].isEmpty() && !l[2].isEmpty() && !l[3].isEmpty()) {
        db.insert("F_LNC", {{"Lnc_Key", nextCareerKey(db)},
                            {"Musteri_Key", key},
                            {"Lnc_No", l[0]},
                            {"Bolge_Key", intValue(l[1])},
                            {"Klup_Key", intValue(l[2])},
                            {"L_Tarih", dateValue(l[3])},
                            {"V_Tarih", dateValue(l[4])},
                            {"T_Tarih", dateValue(l[5])},
                            {"Kategori", l[6]},
                            {"Ack", l[7]}});
    }
    s.firstRowsWritten = true;
}

// The exam import's rows: the belt of the package, and the gym with its
// coach.
void writeBatchRows(Database& db, const PersonSave& s)
{
    const PersonValues& v = s.values;
    const QString belt = v.value("E25");
    QVariant beltKey;
    for (const Record& r : db.select("select Kusak_Key, Kusak_Adi from KUSAK order by Kusak_Key")) {
        if (r.str("Kusak_Adi").startsWith(belt)) {
            beltKey = r.value("Kusak_Key");
            break;
        }
    }
    // A belt name that no belt of the list begins with gives no belt row:
    // a row without a belt would only be refused by the belt grid later.
    if (beltKey.isValid())
        db.insert("F_KUSAK", {{"Kus_Key", nextCareerKey(db)},
                              {"Musteri_Key", s.personKey},
                              {"Kusak_Key", beltKey},
                              {"Tarih", dateValue(v.value("M7"))},
                              {"Yer", v.value("E58")},
                              {"Stil", v.value("Stil")},
                              {"KarNo", ""}});

    const QString gym = v.value("E49");
    const QString coach = v.value("E48");
    // An import row without gym and coach has nothing to record.
    if (gym.isEmpty() && coach.isEmpty())
        return;
    const Records rows = db.select("select Gor_Key, Gorev, Antrenor from F_GOR where Musteri_Key = :k order by Gor_Key",
                                   {{"k", s.personKey}});
    const Record* last = nullptr;
    for (const Record& r : rows)
        if (r.str("Gorev") == gym)
            last = &r;
    if (last) {
        if (last->str("Antrenor") != coach)
            db.update("F_GOR", {{"Antrenor", coach}}, "Gor_Key = :w_k", {{"w_k", last->value("Gor_Key")}});
        return;
    }
    db.insert("F_GOR",
              {{"Gor_Key", nextCareerKey(db)}, {"Musteri_Key", s.personKey}, {"Antrenor", coach}, {"Gorev", gym}});
}

// Gives the current belt row (same belt, place and date) the style field's
// style.
void writeBeltStyle(Database& db, const PersonSave& s)
{
    const PersonValues& v = s.values;
    const QDate beltDate = Formats::strToDate(v.value("M7"));
    const bool blank = isBlankDate(v.value("M7"));
    const Records rows = db.select(
        "select F_KUSAK.Kus_Key, F_KUSAK.Yer, F_KUSAK.Tarih, KUSAK.Kusak_Adi from F_KUSAK LEFT JOIN KUSAK ON "
        "KUSAK.Kusak_Key = F_KUSAK.Kusak_Key where F_KUSAK.Musteri_Key = :k order by F_KUSAK.Tarih, F_KUSAK.Kus_Key",
        {{"k", s.personKey}});
    for (const Record& r : rows) {
        const bool sameDate = r.isNull("Tarih") || r.str("Tarih").isEmpty() ? blank : r.date("Tarih") == beltDate;
        if (r.str("Kusak_Adi") == v.value("E25") && r.str("Yer") == v.value("E58") && sameDate) {
            db.update("F_KUSAK", {{"Stil", v.value("Stil")}}, "Kus_Key = :w_k", {{"w_k", r.value("Kus_Key")}});
            return;
        }
    }
}

} // namespace

Outcome KisiYaz(Database& db, PersonSave& s)
{
    PersonValues& v = s.values;
    Transaction tx(db);
    const bool isNew = s.personKey == 0;
    int key = s.personKey;
    if (isNew) {
        // The register number is made first: without one the person is not
        // written at all, and no counter moves.
        const QString last = db.scalar("select SonSicil from C_SAYI").toString().trimmed();
        bool ok = false;
        const QString number = OtoSicilVer(last, &ok);
        if (!ok)
            return NoRegisterNumber;
        key = Counters::next(db, "sayi_uye");
        db.exec("update C_SAYI set SonSicil = :n", {{"n", number}});
        v.set("Vergi_Numarasi", number);
    }

    // Dates in the standard form.
    for (const QString& c : kPersonDateColumns) {
        QDate d;
        if (!isBlankDate(v.value(c)) && Formats::tryStrToDate(v.value(c), d))
            v.set(c, Formats::dateToStr(d));
    }

    QVariantMap row;
    for (const QString& c : kPersonTextColumns)
        row.insert(c, v.value(c));
    for (const QString& c : kVisaYearColumns)
        row.insert(c, intValue(v.value(c)));
    row.insert("E38", weightValue(v.value("E38")));

    if (!isNew && s.styleChanged && !v.value("E25").isEmpty())
        writeBeltStyle(db, s);
    s.styleChanged = false;

    QString styles;
    if (isNew) {
        if (!v.value("E25").isEmpty() && !v.value("Stil").isEmpty())
            styles = v.value("E25") + "(" + v.value("Stil") + ")";
    } else {
        styles = stylesSummary(db, key);
    }
    v.set("Stiller", styles);
    row.insert("Stiller", styles);

    const QString today = Formats::dateToStr(s.now.date());
    v.set("M1", today);
    row.insert("M1", s.now.date());
    if (isNew || isBlankDate(v.value("M2")))
        row.insert("M2", dateValue(v.value("M2")));
    for (const QString& c : kPersonDateColumns.mid(2))
        row.insert(c, dateValue(v.value(c)));
    row.insert("Kullanici", v.participation);
    row.insert("User", s.userName + ", " + today);
    row.insert("Tip", v.inactive ? 0 : 1);
    row.insert("Ferdi", v.individual ? QVariant(1) : QVariant(QMetaType(QMetaType::Int)));
    row.insert("E82", v.flag82 ? QVariant(1) : QVariant(QMetaType(QMetaType::Int)));

    if (isNew)
        row.insert("Client_Key", 1);
    if (!v.value("E16").isEmpty()) {
        const QVariant club =
            keyByName(db.select("select Durum_Key, Durum from C_UYELIKSURESI order by Durum"), "Durum_Key", "Durum",
                      v.value("E16"));
        if (club.isValid() && !club.isNull())
            row.insert("Client_Key", club);
    }

    if (isNew) {
        row.insert("Musteri_Key", key);
        db.insert("C_MUSTERI", row);
    } else {
        db.update("C_MUSTERI", row, "Musteri_Key = :w_k", {{"w_k", key}});
    }
    const int givenKey = s.personKey;
    s.personKey = key;
    try {
        if (isNew && !s.batchMode)
            writeFirstRows(db, s);
        if (s.batchMode)
            writeBatchRows(db, s);
        tx.commit();
    } catch (...) {
        // Nothing was stored: the caller keeps the key it had.
        s.personKey = givenKey;
        s.firstRowsWritten = false;
        throw;
    }
    s.wasNew = isNew;
    return Saved;
}

} // namespace PersonWriter
