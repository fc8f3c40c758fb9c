#pragma once
// "Turnuva Seç": names a tournament's Word result file. The publishing
// screen shows the chosen file's name in Label3 and shows the dialog
// modally; "Devam" with a tournament chosen sets FTournamentFileName to its
// key + "TUR.doc", "İptal" empties it.
//
//   TDosyaSec dialog(db, this);
//   dialog.Label3->setText(QFileInfo(path).fileName());
//   dialog.showModal();
//   if (!dialog.FTournamentFileName.isEmpty()) ...

#include "app/kit/Form.h"
#include "platform/db/Database.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TDosyaSec : public Form {
    Q_OBJECT
public:
    explicit TDosyaSec(Database& db, QWidget* parent = nullptr);

    QString FTournamentFileName;    // key + "TUR.doc", "" when none was chosen

    QComboBox* DBLookupComboBox4;   // the tournaments, the latest first
    QLineEdit* Edit8;               // the chosen tournament's name
    QLabel* Label3;                 // the chosen file's name
    QPushButton* BitBtn3;           // "Devam"
    QPushButton* BitBtn1;           // "İptal"

    static constexpr const char* kNoTournament = "Lütfen Turnuva Seçiniz...!";

public Q_SLOTS:
    void DBLookupComboBox4Click();
    void BitBtn3Click();
    void BitBtn1Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    Database& m_db;
    Records m_tournaments;
};
