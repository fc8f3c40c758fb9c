#include "registry/ExamImport.h"

#include "app/kit/Formats.h"
#include "app/kit/ReservedRows.h"
#include "registry/PersonChecks.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace ExamImport {

namespace {

// The new-entry question sits 8 pixels higher (the others kQuestionRaise).
constexpr int kExamNewEntryRaise = 8;

const QString kExamNotDone = QStringLiteral("\nİşlem Tamamlanmadı ...!");

// The texts of one step of the cascade.
struct ExamStepTexts {
    const char* words;      // the same belt: "Aynı " + words + " (...) Kayıt Sistemde Bulunmaktadır."
    const char* matched;    // the question for another belt
    const char* declined;   // the line when the operator keeps the register's belt
    const char* duplicate;  // the line when several persons match
};

const ExamStepTexts kExamByIdentity{
    "TC Kimlik No, Bölge, Ad Soyadlı ve Kuşaklı",
    "TC Kimlik No, Adı Soyadı ve Bölgesi Uyuşmaktadır.",
    "TC Kimlik No, Adı Soyadı ve Bölgesi Uyuşmaktadır. Ancak Kuşağı Sistemdekinden Farklıdır.",
    " --> Aynı TC Kimlik No, Bölge, Ad Soyadlı ve Kuşaklı Kayıt Sistemde Birden Fazla Bulunmaktadır."};
const ExamStepTexts kExamByRegister{
    "Sicil Numarası, Bölge, Ad Soyadlı ve Kuşaklı",
    "Sicil Numarası, Adı Soyadı ve Bölgesi Uyuşmaktadır.",
    "Sicil Numarası, Adı Soyadı ve Bölgesi Uyuşmaktadır. Ancak Kuşağı Sistemdekinden Farklıdır.",
    " --> Aynı Sicil Numarası, Bölge, Ad Soyadlı ve Kuşaklı Kayıt Sistemde Birden Fazla Bulunmaktadır."};
const ExamStepTexts kExamByLicence{
    "Lisans Numarası, Bölge, Ad Soyadlı ve Kuşaklı",
    "Lisans Numarası, Adı Soyadı ve Bölgesi Uyuşmaktadır.",
    "Lisans Numarası, Adı Soyadı ve Bölgesi Uyuşmaktadır. Ancak Kuşağı Sistemdekinden Farklıdır.",
    " --> Aynı Lisans Numarası, Bölge ve Ad Soyadlı Kayıt Sistemde Birden Fazla Bulunmaktadır."};
const ExamStepTexts kExamByName{
    "Ad Soyad, Bölge ve Kuşaklı",
    "Adı Soyadı ve Bölgesi Uyuşmaktadır.",
    "Adı Soyadı ve Bölgesi Uyuşmaktadır, Ancak Kuşağı Sistemdekinden Farklıdır.",
    " --> Aynı Ad Soyad, Bölge ve Kuşaklı Kayıt Sistemde Birden Fazla Bulunmaktadır."};

// Persons of the register matching a condition on bound values.
Records examLookup(Database& db, const QString& where, const QVariantMap& params)
{
    return db.select("select Musteri_Key, Ad_Soyad, E25, M7, E16, E42 from C_MUSTERI where " + where +
                         " order by Musteri_Key",
                     params);
}

// "belt,date,club" of a person of the register, as the log shows him.
QString examInSystem(const Record& m)
{
    return m.str("E25") + "," + dateText(m, "M7") + "," + m.str("E16");
}

// One person found by a step: the same belt is only logged, the old belt
// is updated, another belt asks.
Match examOneFound(const Record& m, const Record& row, const ExamStepTexts& t, const Ask& ask)
{
    const QString name = row.str("Ad_Soyad");
    Match r;
    if (m.str("E25") == row.str("E25")) {
        r.line = name + " --> Aynı " + t.words + " (" + examInSystem(m) + ") Kayıt Sistemde Bulunmaktadır.";
        return r;
    }
    if (m.str("E25") == row.str("E75") ||
        ask(name + " (Sistemde: " + examInSystem(m) + ")\n" + t.matched +
                "\nAncak Kuşağı Sistemdekinden Farklıdır. Güncellensin mi?",
            kQuestionRaise)) {
        r.action = Match::Update;
        r.personKey = m.toInt("Musteri_Key");
        return r;
    }
    r.line = name + " (Sistemde: " + m.str("E25") + ") --> " + t.declined;
    return r;
}

// The outcome of a step that found one or more persons.
Match examFound(const Records& found, const Record& row, const ExamStepTexts& t, const Ask& ask)
{
    if (found.size() == 1)
        return examOneFound(found.first(), row, t, ask);
    Match r;
    r.line = row.str("Ad_Soyad") + t.duplicate;
    return r;
}

} // namespace

int clubKeyOfFile(const QString& fileName)
{
    static const QRegularExpression pattern("^BG(\\d+)\\.mdb$", QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(QFileInfo(fileName).fileName());
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString dateText(const Record& row, const QString& column)
{
    if (row.str(column).isEmpty())
        return QString();
    const QDate d = row.date(column);
    return d.isValid() ? Formats::dateToStr(d) : row.str(column);
}

Package read(Database& package, int clubKey)
{
    Package p;
    const Records rows = package.select("select * from C_UYELIKSURESI order by Durum_Key");
    const Record* club = nullptr;
    const Record* committee = nullptr;
    QList<const Record*> others;
    for (const Record& r : rows) {
        const int key = r.toInt("Durum_Key");
        if (key == kNoClubKey)
            committee = &r;
        else
            others << &r;
        if (clubKey != 0 && key == clubKey && key != kNoClubKey)
            club = &r;
    }
    // A copy renamed since it was made: its one club row.
    if (!club && others.size() == 1)
        club = others.first();
    if (club) {
        p.clubKey = club->toInt("Durum_Key");
        p.clubName = club->str("Durum");
        p.region = club->str("E1");
    }
    if (committee) {
        p.committee.chairman = committee->str("Sokak");
        p.committee.members[0] = committee->str("Cadde");
        p.committee.members[1] = committee->str("No1");
        p.committee.members[2] = committee->str("Ilce");
    }
    p.rows = package.select("select * from C_MUSTERI where Terfi = 1 order by Ad_Soyad");
    if (!p.rows.isEmpty())
        p.examDate = dateText(p.rows.first(), "M7");
    return p;
}

const QStringList& colourBelts()
{
    static const QStringList belts{"BEYAZ KUŞAK",   "SARI KUŞAK",         "YEŞİL KUŞAK",       "MAVİ KUŞAK",
                                   "TURUNCU KUŞAK", "A.KAHVERENGİ KUŞAK", "K.KAHVERENGİ KUŞAK"};
    return belts;
}

QString grade(const QString& belt)
{
    // White is grade 10, each colour belt after it one grade higher.
    const qsizetype at = colourBelts().indexOf(belt);
    return at < 0 ? belt : QString::number(10 - at) + ".GIP";
}

int gradeNumber(const QString& gradeText)
{
    static const QRegularExpression pattern("^(10|[1-9])\\.GIP$");
    const QRegularExpressionMatch m = pattern.match(gradeText);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QStringList checkBelts(const QString& name, const QString& oldBelt, const QString& newBelt, const Ask& ask)
{
    const QString oldGrade = grade(oldBelt);
    const QString newGrade = grade(newBelt);
    QStringList refusals;
    auto shape = [&](const QString& g, const char* missing, const char* odd, const QString& notGrade) {
        if (g.isEmpty())
            refusals << missing;
        else if (g.size() < 5)
            refusals << odd;
        else if (!g.endsWith("GIP"))
            refusals << notGrade;
    };
    shape(oldGrade, " --> Eski Kuşağı Belirtilmemiş.", " --> Eski Kuşağı Uyumsuz.",
          QString(" --> Eski Kuşak Derecesinin ") + kBeltList + " Olması Gerekmektedir.");
    shape(newGrade, " --> Yeni Kuşağı Belirtilmemiş.", " --> Yeni Kuşağı Uyumsuz.",
          QString(" --> Yeni Kuşak Derecesinin ") + kBeltList + " Olması Gerekmektedir.");
    if (!refusals.isEmpty())
        return refusals;

    const int oldNumber = gradeNumber(oldGrade);
    const int newNumber = gradeNumber(newGrade);
    if (oldNumber == 0 || newNumber == 0)
        refusals << " --> Hatalı Kuşak Numarası.";
    else if (newNumber >= oldNumber)
        refusals << " --> Eski Kuşak Derecesi Yeni Kuşak Derecesinden Büyük veya Eşit.";
    else if (oldNumber - newNumber > 1 &&
             !ask(name + " --> Yeni Kuşak Derecesi (" + newBelt + ")\nEski Kuşak Derecesine (" + oldBelt +
                      ") Göre Çok Büyük Gönderilmiş.\nDevam Edilsin mi?",
                  kQuestionRaise))
        refusals << " --> Yeni Kuşak Derecesi Eski Kuşak Derecesine Göre Çok Büyük.";
    return refusals;
}

CommitteeCheck checkCommittee(Database& federation, const Committee& committee, const QString& region, int year,
                              const Ask& ask)
{
    CommitteeCheck c;
    auto byNumber = [&](const QString& number) {
        return federation.select(
            "select Musteri_Key, Ad_Soyad, E25, E69, Vergi_Dairesi from C_MUSTERI where Vergi_Numarasi = :n",
            {{"n", number}});
    };

    const QString chairman = committee.chairman;
    const Records heads = byNumber(chairman);
    if (heads.isEmpty()) {
        c.message = "Sistemde Komisyon Başkanının Sicil Numarasında (" + chairman + ") Kayıta Rastlanmamıştır ...!" +
                    kExamNotDone;
        return c;
    }
    if (heads.size() > 1) {
        c.message = "Sistemde Komisyon Başkanının Sicil Numarasında (" + chairman +
                    ") Birden Çok Kayıta Rastlanmıştır ...!" + kExamNotDone;
        return c;
    }
    const Record& head = heads.first();
    if (head.str("E69") != QString::number(year)) {
        const QString visa = head.str("E69").isEmpty() ? QString("BOŞ") : head.str("E69");
        c.message = "Sistemde Komisyon Başkanının (" + head.str("Ad_Soyad") + ") Antrenörlük Vize Yılının " + visa +
                    " Olduğu Tespit Edilmiştir ...!" + kExamNotDone;
        return c;
    }
    if (head.str("Vergi_Dairesi") != region &&
        !ask("Sistemde Komisyon Başkanının Bölgesinin " + head.str("Vergi_Dairesi") +
                 " Olduğu Tespit Edilmiştir ...!\nDevam Edilsin mi?",
             kQuestionRaise))
        return c;

    for (int i = 0; i < 3; ++i) {
        const QString number = committee.members[i];
        if (number.isEmpty())
            continue;
        const QString who = "Sistemde " + QString::number(i + 1) + ".Komisyon Üyesinin ";
        const Records found = byNumber(number);
        if (found.isEmpty()) {
            c.message = who + "Sicil Numarasında (" + number + ") Kayıta Rastlanmamıştır ...!" + kExamNotDone;
            return c;
        }
        if (found.size() > 1) {
            c.message = who + "Sicil Numarasında (" + number + ") Birden Çok Kayıta Rastlanmıştır ...!" + kExamNotDone;
            return c;
        }
        const QString name = found.first().str("Ad_Soyad");
        const QString belt = found.first().str("E25");
        QString state;
        if (belt.isEmpty())
            state = "BOŞ Olduğu";
        else if (belt.size() < 4)
            state = "UYUMSUZ Olduğu";
        else if (!belt.endsWith("DAN"))
            state = "DAN Olmadığı";
        if (!state.isEmpty()) {
            c.message = who + "(" + name + ") Kuşak Durumunun " + state + " Tespit Edilmiştir ...!" + kExamNotDone;
            return c;
        }
    }
    c.passed = true;
    return c;
}

Match findPerson(Database& federation, const Record& row, const Ask& ask)
{
    const QString name = row.str("Ad_Soyad");
    const QString region = row.str("Vergi_Dairesi");
    const QString identity = row.str("E42");
    const QVariantMap within{{"n", name}, {"r", region}};
    auto with = [&](const QString& key, const QString& value) {
        QVariantMap p = within;
        p.insert(key, value);
        return p;
    };

    // 1. Identity number.
    if (TCKimlikDogrula(identity)) {
        const Records found =
            examLookup(federation, "E42 = :t and Vergi_Dairesi = :r and Ad_Soyad = :n", with("t", identity));
        if (!found.isEmpty())
            return examFound(found, row, kExamByIdentity, ask);
    }
    // 2. Register number; one that matches nobody is forgotten.
    const QString number = row.str("Vergi_Numarasi");
    if (!number.isEmpty()) {
        const Records found = examLookup(
            federation, "Vergi_Numarasi = :s and Vergi_Dairesi = :r and Ad_Soyad = :n", with("s", number));
        if (!found.isEmpty())
            return examFound(found, row, kExamByRegister, ask);
    }
    // 3. A white belt: a new athlete unless a namesake may be the same one.
    if (row.str("E75") == kWhiteBelt) {
        const Records found = examLookup(federation, "Ad_Soyad = :n and Vergi_Dairesi = :r and E75 = :b",
                                         with("b", kWhiteBelt));
        Match r;
        bool distinct = true;
        for (const Record& m : found) {
            const QString theirs = m.str("E42");
            if (!TCKimlikDogrula(theirs) || (!identity.isEmpty() && theirs == identity))
                distinct = false;
        }
        if (distinct) {
            r.action = Match::Enter;
            return r;
        }
        r.line = name + " --> Aynı Ad Soyad, Bölge ve Yeni Kuşaklı (" + examInSystem(found.last()) +
                 ") Kayıt Sistemde Bulunmaktadır.";
        return r;
    }
    // 4. Licence number.
    const QString licence = row.str("E26");
    if (!licence.isEmpty()) {
        const Records found =
            examLookup(federation, "E26 = :l and Ad_Soyad = :n and Vergi_Dairesi = :r", with("l", licence));
        if (!found.isEmpty())
            return examFound(found, row, kExamByLicence, ask);
    }
    // 5. Name and region.
    const Records found = examLookup(federation, "Ad_Soyad = :n and Vergi_Dairesi = :r", within);
    if (!found.isEmpty())
        return examFound(found, row, kExamByName, ask);
    Match r;
    if (ask(name + " (Lisans No:" + licence +
                ")\nAd Soyad ve Bölgesi Uyuşan Kayıt Bulunamamıştır. Yeni Kayıt Olarak Girilsin mi ?",
            kExamNewEntryRaise))
        r.action = Match::Enter;
    else
        r.line = name + " --> Ad Soyad ve Bölgesi Uyuşan Kayıt Sistemde Bulunmamaktadır.";
    return r;
}

QString packagePhoto(const QString& importFolder, int packageKey)
{
    return importFolder + "R" + QString::number(packageKey) + ".jpg";
}

void writeBack(Database& workingCopy, int packageKey, const QString& registerNumber, const QString& newBelt,
               const QDate& today)
{
    workingCopy.update("C_MUSTERI",
                       {{"Vergi_Numarasi", registerNumber},
                        {"E75", newBelt},
                        {"M1", today},
                        {"User", "FEDERASYON, " + Formats::dateToStr(today)},
                        {"Terfi", 2}},
                       "Musteri_Key = :w_k", {{"w_k", packageKey}});
}

} // namespace ExamImport
