#pragma once
// The SMS export: the mobile numbers of listed persons or clubs into the
// recipient group "LİSTE" of the outside SMS program's database, without
// widgets. The outside database is the SQLite file named by the value "DBQ"
// of HKCU "\Software\ODBC\ODBC.INI\smssend"; its tables are t_grup
// (grup_id, grup_adi), t_kisi (kisi_id, adsoyad, gsm) and t_kisi_grubu
// (grup_id, kisi_id), the keys given by that database.
//
//   const SmsExport::Outcome o = SmsExport::exportPersons(session().db, selection);
//   SmsExport::showOutcome(o, this, &FInPreview, true);      // SmsExportLog.h
//
// A run empties the group and fills it again in one transaction: a failure
// half-way leaves the group as it was. A recipient that another group also
// uses is only taken out of "LİSTE", never deleted. When at least one number
// was added the SMS program is started.

#include "platform/db/Database.h"
#include "reports/RegistryReports.h"
#include "reports/ReportLaunch.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace SmsExport {

inline constexpr const char* kGroupName = "LİSTE";
inline constexpr const char* kDataSourceKey = "\\Software\\ODBC\\ODBC.INI\\smssend";
inline constexpr const char* kProgram = "C:\\Program Files\\Velisto\\velistoc.exe";
inline constexpr const char* kProgramX86 = "C:\\Program Files (x86)\\Velisto\\velistoc.exe";
inline constexpr const char* kNoProgram = "SMS Gönderi arayüzü bulunamamıştır. Lütfen yükleyiniz ...!";
inline constexpr const char* kNoDataSource =
    "<smssend> VERİTABANI BAĞLANTISI KURULAMADI\nLÜTFEN GEREKLİ AYARLAMALARI YAPIP PROGRAMI ÇALIŞTIRINIZ ...!";
inline constexpr const char* kNothingAdded = "SMS Gönderiecek Kayıt Bulunamadı ...!";
inline constexpr const char* kLogHeading = "*** CEP TELEFONU HATALI OLAN KAYITLAR LİSTESİ ***";
inline constexpr const char* kRejectedFile = "C:\\CO\\HATALILAR.rtf";
inline constexpr const char* kListFile = "C:\\CO\\Liste.csv";

// A mobile number in its normal form: blanks removed, one leading "0"
// dropped from a number longer than ten characters, then exactly ten
// digits (0-9, checked one by one) beginning with "5". Empty when the
// number is not usable.
QString normalMobile(const QString& stored);

// One row to export: the name stored with the number, the mobile column
// and the telephone column (used when the mobile column is empty).
struct SmsRow {
    QString name;
    QString mobile;
    QString phone;
};

struct LogLine {
    QString text;
    QColor colour;
};

struct Outcome {
    enum Status {
        Done,           // the group was filled (perhaps with nobody)
        NoProgram,      // the SMS program is not installed
        NoDataSource,   // "DBQ" of the data source is missing
        Failed          // the outside database refused; the group is as it was
    };
    Status status = Done;
    QString message;            // the error of a failed run
    QList<LogLine> log;         // the status log: heading, refused numbers, shared numbers
    QStringList csvLines;       // name + ";" + number per recipient added
    int added = 0;
    bool programStarted = false;
    QString program;            // the program found
};

// Where the parts are found (the persons' export also looks under
// "Program Files (x86)").
QString findProgram(bool alsoX86);
QString dataSourcePath();

// Runs the export of the rows (in their order). `duplicateTail` ends the
// line of a number already in the group under another name:
// " --> Aynı Numara)" for persons, " --> Aynı Numara.)" for clubs.
Outcome exportRows(const QList<SmsRow>& rows, bool alsoX86, const QString& duplicateTail);

// The listed persons (the selected ones when there are any) of the person
// search, in the list's order: E62, else Telefonlar, stored under Ad_Soyad.
Outcome exportPersons(Database& db, const ReportLaunch::RegistrySelection& s);

// The clubs of the clubs list: its statement, bound values, selection
// (Durum_Key values) and order. Mobile E3, else Telefonlar, stored under the
// contact person Ad_Soyad, or the club's name Durum when there is none.
Outcome exportClubs(Database& db, const Reports::ClubSelection& s);
// The same for clubs given by their Durum_Key values, in the order of the
// clubs' names.
Outcome exportClubs(Database& db, const QList<int>& clubKeys);

}
