#pragma once
// "Tarih Seç": chooses the athlete photos to publish. The athletes whose
// records changed between two dates (M1 of C_MUSTERI, both days included)
// and whose photo "C:\CO\QVX_PROG\R<key>.jpg" is at most the size limit
// become the publishing screen's queue, one path per line. The dialog stays
// open after "Devam" with the count; closing it tells the screen whether
// anything was chosen (FPhotosSelected).

#include "app/kit/Form.h"

#include <QStringList>

class Database;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class TPublishPhotos : public Form {
    Q_OBJECT
public:
    // `queue` is the publishing screen's queue, written straight.
    TPublishPhotos(Database& db, QStringList& queue, QWidget* parent = nullptr);

    int FMaxPhotoSize = 200000;     // the largest size limit that may be entered
    bool FPhotosSelected = false;
    QString FDatabaseKind;          // DBName of C_DATABASE

    QLabel* Label1;                 // "Güncelleme Tarihi"
    QDateEdit* DateTimePicker1;     // first update day
    QLineEdit* MaskEdit1;           // its text, "dd.mm.yyyy"
    QLabel* Label2;                 // ">>"
    QDateEdit* DateTimePicker2;     // last update day
    QLineEdit* MaskEdit2;
    QLabel* Label3;                 // "Arası"
    QLabel* Label4;                 // "Max Dosya Büyüklüğü"
    QLineEdit* Edit1;               // the size limit in bytes
    QLabel* Label5;                 // "Byte"
    QPushButton* BitBtn1;           // "Devam"
    QPushButton* ExitButton;        // "Kapat"

    // The photo file of an athlete ("C:\CO\QVX_PROG\R12.jpg").
    static QString photoPath(const QString& musteriKey);

public Q_SLOTS:
    void DateTimePicker1Change();
    void DateTimePicker2Change();
    void BitBtn1Click();
    void ExitButtonClick();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    Database& m_db;
    QStringList& m_queue;
};
