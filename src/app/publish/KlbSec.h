#pragma once
// "Kulüp Seç": the files the publishing screen sends for one club. The
// operator picks the club, the club's result document (a PDF) with its
// period, and the club's own database file "Fed.mdb"; "Devam" copies the PDF
// under its remote name, makes the club athletes package (the club file with
// the federation's athletes of the club merged in, ClubFiles.h) and the
// marker file, and puts them into the publishing screen's queue.
//
//   QStringList queue;                  // the publishing screen's queue lines
//   TKlbSec dialog(db, queue, this);
//   dialog.showModal();
//   if (!dialog.FResultFileName.isEmpty()) ...
//
// Queue lines are host paths of the files to upload, in order: the result
// copy, the package, the marker. "İptal" empties the queue.

#include "app/kit/Form.h"
#include "app/publish/ClubFiles.h"

#include <QStringList>

#include <functional>
#include <optional>

class Database;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TKlbSec : public Form {
    Q_OBJECT
public:
    TKlbSec(Database& db, QStringList& queue, QWidget* parent = nullptr);

    QString FResultFileName;        // the result document's remote name
    QString FClubCode4;             // the club key, four digits when it has three

    QComboBox* DBLookupComboBox4;   // the clubs
    QLineEdit* Edit8;               // the chosen club's name
    QLabel* Label6;                 // its region
    QCheckBox* CheckBox1;           // "Sonuç Dosyasını Gönder"
    QLabel* Label2;                 // "Pdf Dosyası Seç"
    QLabel* Label3;                 // the chosen PDF's name
    QLabel* Label4;                 // "Dönem" (a click clears the period)
    QComboBox* ComboBox3;           // the period "1" to "3"
    QCheckBox* CheckBox2;           // "Kulübün Sporcularını Gönder"
    QLabel* Label1;                 // "Mdb Dosyası Seç"
    QLabel* Label5;                 // the chosen "Fed.mdb"'s name
    QPushButton* BitBtn3;           // "Devam"
    QPushButton* BitBtn1;           // "İptal"

    // The PDF chosen (host path), "" when none.
    QString chosenPdfPath() const { return m_pdfPath; }
    // The club file chosen (host path), "" when none.
    QString chosenClubFilePath() const { return m_clubFilePath; }
    // The marker file name of a club (its key as FClubCode4).
    QString KulupWebAdi(const QString& clubCode4);
    // What the last merge did (for the log of the caller).
    const ClubFiles::MergeResult& lastMerge() const { return m_merge; }

    // The moment written into the marker file (the clock by default).
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    // Today for the merge's dates (the clock by default).
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    static constexpr const char* kNoPdf = "Gönderilecek Pdf Dosyayı Seçmediniz...!";
    static constexpr const char* kNoClubFile = "Gönderilecek Mdb Dosyayı Seçmediniz...!";
    static constexpr const char* kNoClub = "Kulüp Seçmediniz...!";
    static constexpr const char* kNoPeriod = "Dönem Seçmediniz...!";
    static constexpr const char* kNothing = "Lütfen Sonuç Dosyası veya Kulüp Sporcu'dan birini seçiniz...!";
    static constexpr const char* kWrongPdf = "Yanlış Sonuç Dosyası Seçtiniz...!";
    static constexpr const char* kEmptyClubFile = "Boş veritabanı seçtiniz. Devam edilsin mi...?";
    static constexpr const char* kNotAClubFile =
        "Seçtiğiniz veritabanı Kulüp veritabanına uygun değildir. Devam edilemeyecek...!";
    static constexpr const char* kCopyFailed = "Dosya kopyalanamadı: ";
    static constexpr const char* kMarkerFailed = "Dosya yazılamadı: ";

public Q_SLOTS:
    void DBLookupComboBox4Click();
    void Label2Click();
    void Label1Click();
    void Label4Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void BitBtn3Click();
    void BitBtn1Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    // The club chosen in the list, or nothing.
    std::optional<ClubFiles::Club> chosenClub() const;
    // The work of "Devam" after its checks.
    void continueWith(const ClubFiles::Club& club);
    // Makes the package and the marker and queues them; false when the
    // dialog stays open.
    bool makePackage(const ClubFiles::Club& club);
    // A failure after the checks: nothing half-made is queued.
    void abandon(const QString& message);

    Database& m_db;
    QStringList& m_queue;
    Records m_clubs;
    QString m_pdfPath;
    QString m_clubFilePath;
    ClubFiles::MergeResult m_merge;
};
