#include "app/StationMaintenance.h"

#include "app/StationUpkeep.h"
#include "app/dialogs/Form5.h"
#include "app/dialogs/SifreCheck.h"
#include "app/kit/Session.h"
#include "platform/db/DatabaseBackup.h"
#include "platform/paths/DriveMap.h"
#include "platform/ui/Messages.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool upkeepPasswordOk()
{
    SifreCheck->showModal();
    return SifreCheck->FPasswordOk == 1;
}

// The station copy the operator chooses, read whole; nullopt when none was
// chosen or it could not be read (the operator was told).
std::optional<StationCopy> chosenStationCopy()
{
    const QString file = Dialogs::openFile(StationUpkeep::kCopyTitle, StationUpkeep::kCopyFilter, "C:");
    if (file.isEmpty())
        return std::nullopt;
    try {
        return StationUpkeep::readCopy(file);
    } catch (const DbError& e) {
        Messages::error(e.message());
        return std::nullopt;
    }
}

// A folder in the comparable form "X:\...\" upper-cased, or its clean host
// path when it lies on no drive.
QString upkeepFolderKey(const QString& folder)
{
    QString f = folder;
    if (!(f.size() >= 2 && f[1] == ':')) {
        const QFileInfo info(f);
        const QString canonical = info.canonicalFilePath();
        f = DriveMap::toWindows(canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical);
    }
    f.replace('/', '\\');
    if (!f.endsWith('\\'))
        f += '\\';
    return f.toUpper();
}

template <class Work>
void upkeepRun(Work work)
{
    try {
        work();
    } catch (const DbError& e) {
        Messages::error(e.message());
    }
}

// The two gathers from a station copy: password, question, the copy, the
// messages of rows this station lacks, the counts.
void gatherFromCopy(const QString& what, GatherOutcome (*gather)(Database&, const StationCopy&),
                    QString (*outcomeText)(const GatherOutcome&))
{
    if (!upkeepPasswordOk())
        return;
    if (!Form5->confirm(what + "\n" + "Devam etmeden önce yedek almayı unutmayınız. Devam Edilsinmi ?", true))
        return;
    const std::optional<StationCopy> copy = chosenStationCopy();
    if (!copy)
        return;
    upkeepRun([&] {
        const GatherOutcome out = gather(session().db, *copy);
        for (const QString& m : out.missing)
            Messages::error(m);
        Messages::info(outcomeText(out));
    });
}

} // namespace

namespace StationMaintenance {

void clearWeighInLists()
{
    if (!upkeepPasswordOk())
        return;
    upkeepRun([] {
        Database& db = session().db;
        const QString period = StationUpkeep::weighInPeriod(db);
        if (period.isEmpty()) {
            Messages::info("Tartı Listelerinde Herhangi bir Sporcu Bulunmamaktadır ...!");
            return;
        }
        if (!Form5->confirm(StationUpkeep::clearListsQuestion(period), true, TForm5::DefaultNo))
            return;
        StationUpkeep::ListTemizle(db);
        Messages::info("Önceki Tartı Listeleri Silme İşlemi Tamamlandı ...!");
    });
}

void resetParticipation()
{
    if (!upkeepPasswordOk())
        return;
    upkeepRun([] {
        Database& db = session().db;
        if (StationUpkeep::athletesWithCounts(db) == 0) {
            Messages::info("Sporcuların Müsabakalara Katılacağı Branş Sayıları Sıfırlanmış Bulunmaktadır ...!");
            return;
        }
        if (!Form5->confirm("Tüm Sporcuların Müsabakalara Katılacağı Branş Sayıları Sıfırlanacaktır. Eminmisiniz ...?"))
            return;
        StationUpkeep::resetCounts(db);
        Messages::info(kDone);
    });
}

void clearBouts()
{
    if (!upkeepPasswordOk())
        return;
    upkeepRun([] {
        Database& db = session().db;
        if (db.scalar("select count(*) from C_KURA").toInt() == 0) {
            Messages::info("Müsabaka Listelerinde Herhangi bir Sporcu Bulunmamaktadır ...!");
            return;
        }
        if (!Form5->confirm("TÜM MÜSABAKA LİSTELERİ SİLİNECEKTİR. EMİN MİSİNİZ ...?", false, TForm5::DefaultNo))
            return;
        StationUpkeep::KuraTemizle(db);
        Messages::info("Önceki Müsabaka Listeleri Silme İşlemi Tamamlandı ...!");
    });
}

void replaceListsAndBouts()
{
    if (!upkeepPasswordOk())
        return;
    if (!Form5->confirm(QString("Önceki Tartı ve Kura Listeleri Silinecek ve Yeni Listeler Sisteme Aktarılacaktır.")
                            + "\n" + "Devam Edilsinmi ?",
                        true, TForm5::DefaultNo))
        return;
    const std::optional<StationCopy> copy = chosenStationCopy();
    if (!copy)
        return;
    upkeepRun([&] {
        StationUpkeep::replaceFromCopy(session().db, *copy);
        Messages::info(kDone);
    });
}

void gatherWeighIns()
{
    gatherFromCopy("Seçilecek dosyadaki Tartılar sisteme aktarılacaktır.", StationUpkeep::gatherWeighIns,
                   StationUpkeep::weighInsOutcomeText);
}

void gatherResults()
{
    gatherFromCopy("Seçilecek dosyadaki Müsabaka Sonuçları Kura listelerine aktarılacaktır.",
                   StationUpkeep::gatherResults, StationUpkeep::resultsOutcomeText);
}

bool backupRefused(const QString& folder, const QString& databaseHostPath)
{
    const QString key = upkeepFolderKey(folder);
    if (key == "C:\\CO\\QVX_PROG\\")
        return true;
    return !databaseHostPath.isEmpty() && key == upkeepFolderKey(QFileInfo(databaseHostPath).absolutePath());
}

void backup()
{
    const QString folder = Dialogs::chooseFolder("Select a folder for saving:");
    if (folder.isEmpty())
        return;
    Database& db = session().db;
    if (backupRefused(folder, db.hostPath())) {
        if (upkeepFolderKey(folder) == "C:\\CO\\QVX_PROG\\")
            Messages::info(kBackupRefused);
        else
            Messages::info("Backup is disabled to " + DriveMap::toWindows(folder) + " Directory ...!");
        return;
    }
    const QString host = DriveMap::toHost(folder);
    upkeepRun([&] {
        DatabaseBackup::copyTo(db, QDir(host).filePath("Fdr.mdb"));
        Messages::info(kBackupDone);
    });
}

}
