// The person record editor's import mode: "Aktar" imports a club's exam
// package. The club and the committee are checked, then every marked
// athlete of the package is checked, looked up in the register and saved
// through the editor itself (batch mode), so that every check and side
// effect of an ordinary save applies. The coloured log is the shared status
// window; the results go into the package's working copy "fed.mdb" beside
// the chosen file, which itself is never written. The rules are in
// ExamImport.h.
#include "registry/MusteriGiris2.h"

#include "app/dialogs/ImtRapor.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "platform/paths/DriveMap.h"
#include "platform/ui/Messages.h"
#include "registry/ExamImport.h"
#include "registry/KlupGiris2.h"
#include "registry/PersonFiles.h"
#include "registry/PersonPhoto.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

namespace {

// The package columns an imported row brings into the editor, for a new
// person and for a promoted one alike.
const QStringList kImportedColumns = {
    "Telefonlar", "Fax", "Sokak", "Cadde", "No1", "Semt", "Mahalle", "Adres", "E10",
    "E14", "E15", "E16", "E17", "E18", "E19", "E21", "E22", "E23", "E24",
    "E26", "E27", "E28", "E29", "E30", "E31", "E32", "E33", "E34", "E35", "E36", "E37", "E38", "E39", "E40",
    "E41", "E42", "E44", "E47", "E48", "E49",
    "E58", "E59", "E60", "E61", "E62", "E63", "E64", "E65", "E66", "E67", "E70", "E75", "E25",
};
const QStringList kImportedDates = {"M3", "M4", "M7"};
// A new person also takes these; a promoted one keeps the register's own.
// The names come first and the full name last, so the package's full name
// stands even where it is not first name and last name joined.
const QStringList kImportedForNew = {"Adi", "Soyadi", "Ad_Soyad", "Vergi_Dairesi", "E53", "E50"};

// The folder of a host file, in the program's form, with its separator.
QString importFolderOf(const QString& hostFile)
{
    QString folder = DriveMap::toWindows(QFileInfo(hostFile).absolutePath());
    const QChar separator = folder.contains('\\') ? QChar('\\') : QChar('/');
    if (!folder.endsWith(separator))
        folder += separator;
    return folder;
}

} // namespace

void TMusteriGiris2::importLine(const QColor& colour, const QString& line)
{
    ImtRapor->CurrText().setForeground(colour);
    ImtRapor->addLine(line);
}

void TMusteriGiris2::showImportMode()
{
    FFromWeighIn = 0;
    FBatchMode = 0;
    FPersonKey = 0;
    BitBtn1->hide();
    BitBtn3->hide();
    BitBtn4->show();
    showModal();
    BitBtn1->show();
    BitBtn3->show();
    BitBtn4->hide();
    FBatchMode = 0;
}

void TMusteriGiris2::BitBtn4Click()
{
    const QString chosen = Dialogs::openFile("Lütfen Veritabanı Dosyasını Seçiniz.",
                                             "Aktarılacak Veritabanı Dosyası (BG*.mdb)", "C:");
    if (chosen.isEmpty())
        return;
    Database workingCopy;
    m_importCopy = &workingCopy;
    try {
        runImport(chosen, workingCopy);
    } catch (...) {
        finishImport();
        throw;
    }
    finishImport();
}

void TMusteriGiris2::finishImport()
{
    if (m_importCopy)
        m_importCopy->close();
    m_importCopy = nullptr;
    m_importRow = Record();
    m_importMatchKey = 0;
    FImportAsNew = 0;
    // The editor is left empty.
    FBatchMode = 0;
    FKeepLoaded = 0;
    FModified = 0;
    FPersonKey = 0;
    FormActivate();
}

void TMusteriGiris2::runImport(const QString& chosenFile, Database& workingCopy)
{
    const QString chosen = DriveMap::toHost(chosenFile);
    FImportFolder = importFolderOf(chosen);
    // The results go into a copy; the chosen file is only read by the copy.
    const QString working = FImportFolder + ExamImport::kWorkingCopy;
    if (!PersonFiles::replace(chosen, working)) {
        Messages::error(PersonFiles::kCopyFailed);
        return;
    }
    ExamImport::Package package;
    try {
        workingCopy.open(working);
        package = ExamImport::read(workingCopy, ExamImport::clubKeyOfFile(QFileInfo(chosen).fileName()));
    } catch (const DbError& e) {
        // The package's own fault, not the station database's.
        workingCopy.close();
        const QString detail = e.detail().isEmpty() ? e.text() : e.detail();
        Messages::error(QString(ExamImport::kUnreadablePackage) + "\n\nAyrıntı: " + detail);
        return;
    }

    // The club must be one of the register, by name and region.
    const Records clubs = db().select("select Durum_Key,Durum,E1 from C_UYELIKSURESI where Durum = :c and E1 = :r",
                                      {{"c", package.clubName}, {"r", package.region}});
    if (clubs.size() != 1) {
        Messages::warning("KULÜP ADI : " + package.clubName + "\nBÖLGE : " + package.region +
                          "\n\nYukarıda Belirtilen Kulüp / Bölge Sistemde Kayıtlı Değildir. Aktarma İşlemine Devam "
                          "Edebilmek için Lütfen Yukarıda Belirtilen Ad ve Bölgede Kulüp Tanıtınız.\n\nNOT : Kulüp "
                          "Adı ve Bölgesi Birebir Aynı Olmalıdır ...!");
        // The next new club starts with the package's name and region.
        KlupGiris2->Edit26->setText(package.clubName);
        KlupGiris2->Edit4->setText(package.region);
        KlupGiris2->FPrefilled = 1;
        return;
    }
    const QString logFile = FImportFolder + "Rapor" + clubs.first().str("Durum_Key") + ".rtf";
    ImtRapor->SaveDialog1.FileName = logFile;
    const int count = int(package.rows.size());
    if (!askRaised("Kulüp Adı: " + package.region + " / " + package.clubName + "\nSporcu Sayısı: " +
                       QString::number(count) + "   Tarih: " + package.examDate +
                       "    Lütfen Ödeme Miktarını Kontrol Ediniz.\nDevam Edilsin mi ?",
                   ExamImport::kQuestionRaise))
        return;

    const ExamImport::Ask ask = [this](const QString& text, int raise) { return askRaised(text, raise); };
    const QDate today = FNow().date();
    const ExamImport::CommitteeCheck committee =
        ExamImport::checkCommittee(db(), package.committee, package.region, today.year(), ask);
    if (!committee.passed) {
        if (!committee.message.isEmpty())
            Messages::warning(committee.message);
        return;
    }

    FKeepLoaded = 1;
    setEnabled(false);
    ImtRapor->RichEdit1->clear();
    ImtRapor->BitBtn4->hide();
    ImtRapor->showBeside(this);
    ImtRapor->ProgressBar1->setValue(0);
    importLine(LogColour::Navy, "Kulüp : " + package.clubName);
    importLine(LogColour::Navy, "Bölge : " + package.region);
    importLine(LogColour::Navy, "Sisteme Aktarma Tarihi : " + Formats::dateToStr(today));

    for (int i = 0; i < count; ++i) {
        ImtRapor->ProgressBar1->setValue(i * 100 / count);
        const Record& row = package.rows.at(i);
        const QString name = row.str("Ad_Soyad");
        const QStringList refusals = ExamImport::checkBelts(name, row.str("E75"), row.str("E25"), ask);
        if (!refusals.isEmpty()) {
            for (const QString& r : refusals)
                importLine(LogColour::Black, name + r);
            continue;
        }
        const ExamImport::Match match = ExamImport::findPerson(db(), row, ask);
        m_importRow = row;
        m_importMatchKey = match.personKey;
        if (match.action == ExamImport::Match::Update)
            KayitGuncelle();
        else if (match.action == ExamImport::Match::Enter)
            KayitYeniGir();
        else
            importLine(LogColour::Black, match.line);
    }
    if (count > 0)
        ImtRapor->ProgressBar1->setValue(100);

    Messages::info("İşlem Tamamlandı. Hatalı Durumları Tespit Etmek için Lütfen Hatalı Listesini Alınız !");
    if (!ImtRapor->saveLog(logFile))
        Messages::error("Dosya Kaydedilemedi ...!\n" + logFile);
    // The editor stays disabled until the log is closed: the log is the
    // window to work in.
    ImtRapor->activateWindow();
}

void TMusteriGiris2::KayitGuncelle()
{
    FImportAsNew = 0;
    KayitIslemK();
}

void TMusteriGiris2::KayitYeniGir()
{
    FImportAsNew = 1;
    KayitIslemK();
}

void TMusteriGiris2::KayitIslemK()
{
    const Record row = m_importRow;
    const bool isNew = FImportAsNew != 0;
    const int packageKey = row.toInt("Musteri_Key");
    const QString name = row.str("Ad_Soyad");
    const QString programFolder = Folders::programFolder();

    // A person is not imported without a photo: the package's, or for a
    // promoted person also his own.
    const QString packagePhoto = ExamImport::packagePhoto(FImportFolder, packageKey);
    const bool hasPackagePhoto = PersonFiles::exists(packagePhoto);
    const bool hasOwnPhoto =
        !isNew && PersonFiles::exists(PersonPhoto::fileName(programFolder, m_importMatchKey));
    if (!hasPackagePhoto && !hasOwnPhoto) {
        importLine(LogColour::Black, name + " --> Sporcuya Ait Fotoğraf Dosyası Bulunamadı.");
        return;
    }

    FPersonKey = isNew ? 0 : m_importMatchKey;
    FBatchMode = 1;
    FormActivate();
    for (const QString& column : kImportedColumns) {
        if (column == "E38" && !row.str("E38").isEmpty())
            setFieldText(column, Formats::floatToStr(row.toDouble("E38")));
        else
            setFieldText(column, row.str(column));
    }
    for (const QString& column : kImportedDates)
        setFieldText(column, ExamImport::dateText(row, column));
    setFieldText("Ferdi", row.str("Ferdi"));
    if (isNew)
        for (const QString& column : kImportedForNew)
            setFieldText(column, row.str(column));

    FSaved = 0;
    Button1Click();
    const bool saved = FSaved == 1;
    // Only a saved person gets the photo, and only a saved row is marked
    // as imported in the working copy.
    if (saved && hasPackagePhoto &&
        !PersonFiles::replace(DriveMap::toHost(packagePhoto), PersonPhoto::fileName(programFolder, FPersonKey)))
        Messages::error(PersonFiles::kCopyFailed);
    FBatchMode = 0;
    if (saved)
        ExamImport::writeBack(*m_importCopy, packageKey, Edit5->text(), row.str("E25"), FNow().date());

    if (saved)
        importLine(LogColour::DarkGreen,
                   name + " (" + Edit5->text() + ") --> " + (isNew ? "Yeni Kayıt Olarak Girildi." : "Güncellendi."));
    else
        importLine(LogColour::Red,
                   name + (isNew ? " --> Kayıtta Problem Oluştu." : " --> Güncellemede Problem Oluştu."));
}
