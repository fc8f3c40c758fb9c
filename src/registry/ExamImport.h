#pragma once
// The exam import's rules, without widgets. A club sends its belt exam as a
// package: a copy of its database ("BG" + club key + ".mdb") in which the
// examined athletes are marked (Terfi = 1, M7 = the exam date), with their
// photos ("R" + the club's person key + ".jpg") beside it. Here: reading the
// package, the belt grades, the committee checks against the federation's
// register, the match cascade that finds an athlete in the register, and
// what goes back into the package's working copy. The person editor's
// "Aktar" (MusteriGiris2Import.cpp) asks the questions, saves through the
// editor and writes the log.
//
// Every value read from the package is bound, never pasted into a
// statement, so names with an apostrophe work.

#include "platform/db/Database.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

namespace ExamImport {

// The expected belts, as the messages name them.
inline constexpr const char* kBeltList = "BEYAZ, SARI, YEŞİL, MAVİ, TURUNCU veya KAHVERENGİ";
inline constexpr const char* kWhiteBelt = "BEYAZ KUŞAK";
// The working copy of the package, in its folder, that collects the results.
inline constexpr const char* kWorkingCopy = "fed.mdb";
// A package whose database cannot be read (damaged, cut short, not a
// database, or without the tables of a club database): the club makes a new
// one; the federation's own database is not concerned.
inline constexpr const char* kUnreadablePackage =
    "Seçtiğiniz imtihan paketi bozuk ya da eksik olduğundan okunamadı ...!\n"
    "Lütfen kulüpten imtihan paketini yeniden hazırlayıp göndermesini isteyiniz.";

// A yes/no question; `raise` is how many pixels its text moves up while it
// shows. True for yes.
using Ask = std::function<bool(const QString& text, int raise)>;
// How far most questions of the import move up: those of the club, of an
// update and of a jump in grades.
inline constexpr int kQuestionRaise = 12;

// --- The package -------------------------------------------------------------

struct Committee {
    QString chairman;       // register numbers; a member may be ""
    QString members[3];
};

struct Package {
    int clubKey = 0;        // the club's key in its own database
    QString clubName;       // Durum of the club's row
    QString region;         // E1 of the club's row
    Committee committee;
    QString examDate;       // "dd.mm.yyyy" (M7 of the first marked row), "" without rows
    Records rows;           // the marked athletes in name order
};

// The club key the name of the database copy carries ("BG200.mdb" gives
// 200); 0 when the name carries none.
int clubKeyOfFile(const QString& fileName);

// Reads a package from its database. The club's row is the one with the
// club's key (when the file name gave none, the one row that is not the
// reserved row); the committee is kept on the reserved row (kNoClubKey).
// Rows are found by key, never by their order in the table.
Package read(Database& package, int clubKey);

// A date column of a package or register row as "dd.mm.yyyy" ("" when empty;
// a text that is no date stays as it is).
QString dateText(const Record& row, const QString& column);

// --- Belts -------------------------------------------------------------------

// The colour belts the exam knows, lowest first: "BEYAZ KUŞAK", "SARI
// KUŞAK", "YEŞİL KUŞAK", "MAVİ KUŞAK", "TURUNCU KUŞAK", "A.KAHVERENGİ
// KUŞAK", "K.KAHVERENGİ KUŞAK". A new station's belts table starts with
// them, so a package built at any station is read at any other.
const QStringList& colourBelts();
// A belt as a grade: the colour belts become "10.GIP" (white) to "4.GIP"
// (dark brown); any other text is returned unchanged.
QString grade(const QString& belt);
// The number of a grade text ("9.GIP" gives 9): the digits before ".GIP",
// a whole number from 1 to 10. 0 for anything else ("X.GIP", "11.GIP").
int gradeNumber(const QString& gradeText);

// Checks a row's old and new belt; returns the reasons that refuse the row,
// each to be written after the athlete's name (" --> Eski Kuşağı
// Belirtilmemiş."); empty when the row goes on. A jump of more than one
// grade asks `ask` first.
QStringList checkBelts(const QString& name, const QString& oldBelt, const QString& newBelt, const Ask& ask);

// --- The committee -----------------------------------------------------------

struct CommitteeCheck {
    bool passed = false;
    QString message;        // the refusal shown; "" when the operator said "no"
};

// Checks the chairman (one person with that register number whose coaching
// visa year is `year`; a region other than the package's asks) and each
// member given (one person whose belt is a dan).
CommitteeCheck checkCommittee(Database& federation, const Committee& committee, const QString& region, int year,
                              const Ask& ask);

// --- The match cascade -------------------------------------------------------

struct Match {
    enum Action { Skip, Update, Enter };
    Action action = Skip;
    int personKey = 0;      // Update: the person found in the register
    QString line;           // Skip: the log line, the athlete's name first
};

// Finds the package row's athlete in the federation's register: by identity
// number, register number, white belt, licence number, then name, each
// within the row's region and name.
Match findPerson(Database& federation, const Record& row, const Ask& ask);

// --- Results -----------------------------------------------------------------

// The package photo of a row: folder + "R" + package key + ".jpg".
QString packagePhoto(const QString& importFolder, int packageKey);

// Records in the working copy that the row was imported: its register
// number in the federation, its new belt as its old one, the date, the
// user stamp "FEDERASYON, dd.mm.yyyy" and Terfi = 2.
void writeBack(Database& workingCopy, int packageKey, const QString& registerNumber, const QString& newBelt,
               const QDate& today);

} // namespace ExamImport
