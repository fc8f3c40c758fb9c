#include "app/publish/DosyaSec.h"

#include "app/kit/PlacedControls.h"

#include <QLabel>
#include <QVBoxLayout>

TDosyaSec::TDosyaSec(Database& db, QWidget* parent) : Form(parent), m_db(db)
{
    setObjectName("DosyaSec");
    setWindowTitle("Turnuva Seç");
    auto* page = new QVBoxLayout(this);
    Label3 = PlacedControls::make<QLabel>("Label3", this);
    page->addWidget(Label3);
}

void TDosyaSec::FormActivate()
{
    FTournamentFileName.clear();
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}
