#pragma once
// "Turnuva Seç": names a tournament's Word result file by the tournament it
// belongs to (FTournamentFileName, "<key>TUR.doc").
//
// This is the dialog's outline only: it closes at once without a choice.

#include "app/kit/Form.h"

class Database;
class QLabel;

class TDosyaSec : public Form {
    Q_OBJECT
public:
    TDosyaSec(Database& db, QWidget* parent = nullptr);

    QLabel* Label3;                 // the chosen file's name
    QString FTournamentFileName;

protected:
    void FormActivate() override;

private:
    Database& m_db;
};
