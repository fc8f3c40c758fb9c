#pragma once
// "İmtihan Listesi ve Aktarım Ekranı": a club's belt exam. Lists the
// athletes chosen in the person search with their old and new belts and
// photos, takes the exam date and the committee, checks everything, shows
// the exam result document, then builds the exam package (ExamPackage.h)
// on a chosen drive or in the work folder for the upload to the
// federation's web form (ExamUpload.h), whose answer shows in
// "Web Durum Penceresi".
//
// Opened by the person search's (hidden) command "GIP İmtihan Listesi
// Oluştur", which sets FSelectionWhere (with FSelectionParams), FOrderBy,
// shows the screen modally and reads FChanged afterwards.
//
// The drive box lists the drive letters of the station's drive map (the
// removable drives are mounted folders mapped to a letter in station.ini).

#include "app/kit/Form.h"
#include "exchange/ExamChecks.h"
#include "platform/web/FormUpload.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;
class QToolButton;
class QWidget;
class TDBGrid;
class TMaskEdit;

class TBilgiAktar : public Form {
    Q_OBJECT
public:
    TBilgiAktar();
    ~TBilgiAktar() override;

    // --- State ---------------------------------------------------------------
    QString FSelectionWhere;        // "" or " where ..." of the person search
    QVariantMap FSelectionParams;   // the values it binds
    QString FOrderBy = "Ad_Soyad";
    bool FChanged = false;          // a row of the list was stored
    QString FProgramFolder;
    QString FClubKey;
    QString FTargetFolder = ":\\";  // after the drive letter
    bool FWebMode = false;
    bool FSent = false;             // an upload was made (or is running)
    bool FPackageWritten = false;
    bool FWarnOnClose = true;
    bool FInGrid = false;
    QStringList FAttachmentNames;   // five slots
    QStringList FAttachmentPaths;
    QList<QLabel*> FAttachmentLabels;

    // --- Controls ------------------------------------------------------------
    QLineEdit* Edit12;              // region (read-only)
    QLineEdit* Edit14;              // club (read-only)
    QLabel* Label18;                // "İmtihan Tarihi / Dönemi" (double click: today)
    TMaskEdit* MaskEdit1;           // the exam date
    QLabel* Label15;                // "Sporcu Sayısı : n"
    QLineEdit* Edit1;               // chairman: name
    QLineEdit* Edit2;               //   register number
    QLineEdit* Edit15;              //   "Dan Derecesi"
    QLineEdit* Edit16;              //   "Antrenörlük Belge No"
    QLineEdit* Edit13;              // "İl Temsilcisi"
    QLineEdit* Edit3;               // member 1: name, register number, grade
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;               // member 2
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLineEdit* Edit9;               // member 3
    QLineEdit* Edit10;
    QLineEdit* Edit11;
    QPlainTextEdit* Memo2;          // "Açıklama"
    QComboBox* DriveComboBox1;      // "Sürücü :"
    QPushButton* BitBtn3;           // " Web'den Aktar"
    QPushButton* BitBtn1;           // " Listele / Aktar"
    QPushButton* BitBtn2;           // "Kapat"
    QToolButton* SpeedButton1;      // "Tarihi Güncelle" (hidden)
    QToolButton* SpeedButton2;      // "Sicil Numarası Güncelle" (hidden)
    QLabel* Label2;                 // status (red)
    QLabel* Label1;                 // status (black)
    QLabel* Memo1;                  // the wait text
    QLabel* Animate1;               // shown while a package is written or sent
    TDBGrid* DBGrid1;               // the athletes
    QMenu* PopupMenu1;
    QAction* ResimEkle1;            // "Fotoğraf Ekle"
    QAction* FotorafGsret1;         // "Fotoğrafı Göster"
    QAction* Sil1;                  // "Fotoğrafı Sil"
    QTextBrowser* WebBrowser1;      // "Web Durum Penceresi"
    QWidget* Panel2;                // attachments (hidden)
    QLabel* Label21;                // "Dosya Ekle"
    QLabel* Label23;                // "Kaldır"

    // The archive's path (Windows form) of the last build.
    QString archivePath() const { return m_archive; }
    // The upload in progress (tests wait on it).
    FormUpload* upload() const { return m_upload; }

public Q_SLOTS:
    void BitBtn1Click();            // build on the chosen drive
    void BitBtn3Click();            // build for the upload
    void BitBtn2Click();            // close
    void ResimEkle1Click();
    void FotorafGsret1Click();
    void Sil1Click();
    void DBGrid1DblClick();
    void Label18DblClick();
    void Label21Click();            // add an attachment
    void Label23Click();            // remove the attachments
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void FormActivate() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    bool checkAll(QDate& date);
    void showDocument();
    void fillDrives();
    void openList(int keepKey = -1);
    void closeList();
    QString photoPath(const QString& personKey) const;
    bool hasPhoto(const Record& row) const;
    ExamChecks::Committee committeeInput() const;
    QWidget* committeeField(ExamChecks::Field field) const;
    void setStatus(const QString& red, const QString& black, const QColor& redColour);
    void setAnimation(bool on);
    void startUpload();
    void uploadFinished(const FormUpload::Result& r);
    QChar chosenDrive() const;

    QStringList m_belts;
    QString m_archive;
    FormUpload* m_upload = nullptr;
    int m_previewFlag = 0;
    bool m_listOpen = false;
};

inline TBilgiAktar* BilgiAktar = nullptr;
