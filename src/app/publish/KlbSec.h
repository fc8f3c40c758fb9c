#pragma once
// "Kulüp Seç": chooses the club whose files "Kulüp Sonuç" publishes (its
// result document and its athletes package) and fills the publishing
// screen's queue with them.
//
// This is the dialog's outline only: it shows nothing to choose from and
// closes at once without a choice, so "Kulüp Sonuç" publishes nothing yet.

#include "app/kit/Form.h"

#include <QStringList>

class Database;
class QCheckBox;

class TKlbSec : public Form {
    Q_OBJECT
public:
    // `queue` is the publishing screen's queue; the dialog empties and fills it.
    TKlbSec(Database& db, QStringList& queue, QWidget* parent = nullptr);

    QString FResultFileName;    // remote name of the result document
    QString FClubCode4;         // the club key, four digits when it has three
    QCheckBox* CheckBox1;       // "Sonuç Dosyasını Gönder"
    QCheckBox* CheckBox2;       // "Kulübün Sporcularını Gönder"

    // The result document chosen by the user (host path).
    QString chosenPdfPath() const;

protected:
    void FormActivate() override;

private:
    Database& m_db;
    QStringList& m_queue;
    QString m_pdfPath;
};
