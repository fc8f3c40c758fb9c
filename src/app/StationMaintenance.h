#pragma once
// The main window's maintenance commands: each asks the administrator
// password (all but the backup) and its question, does its work through
// StationUpkeep and tells the operator how it went.
//
//   {"TartlarnToplanmas1", "  Tartıların Toplanması", "TARTI1", "",
//    [](TMain&) { StationMaintenance::gatherWeighIns(); }},
//
// They work on the session's database; a station copy is chosen in the
// file dialog and read whole before anything changes here.

#include <QString>

namespace StationMaintenance {

// The refusal of a backup into the program's own folder.
inline constexpr const char* kBackupRefused = "Backup is disabled to C:\\CO\\QVX_PROG\\ Directory ...!";
inline constexpr const char* kBackupDone = "Bilgilerin Yedeklenmesi Tamamlandı ...!";
inline constexpr const char* kDone = "İşlem Tamamlandı ...!";

// "  Önceki Tartı Listelerin Silinmesi"
void clearWeighInLists();
// "  Sporcuların Müsabakalara Katılmarının Sıfırlanması"
void resetParticipation();
// "  Önceki Müsabakaların Silinmesi  "
void clearBouts();
// "  Tartı ve Kuraların Sisteme Aktarılması"
void replaceListsAndBouts();
// "  Tartıların Toplanması"
void gatherWeighIns();
// "  Sonuçlarının Toplanması"
void gatherResults();
// "  Bilgilerin Yedeklenmesi    "
void backup();

// Whether a chosen folder (host path or Windows form) is one the backup
// refuses: the program's folder "C:\CO\QVX_PROG\" in any case, or the
// folder of the database in use (the backup would replace it).
bool backupRefused(const QString& folder, const QString& databaseHostPath);

}
