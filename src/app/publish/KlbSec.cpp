#include "app/publish/KlbSec.h"

#include "app/kit/PlacedControls.h"

#include <QCheckBox>
#include <QVBoxLayout>

TKlbSec::TKlbSec(Database& db, QStringList& queue, QWidget* parent) : Form(parent), m_db(db), m_queue(queue)
{
    using PlacedControls::make;
    setObjectName("KlbSec");
    setWindowTitle("Kulüp Seç");
    auto* page = new QVBoxLayout(this);
    CheckBox1 = make<QCheckBox>("CheckBox1", "Sonuç Dosyasını Gönder", this);
    CheckBox1->setChecked(true);
    CheckBox2 = make<QCheckBox>("CheckBox2", "Kulübün Sporcularını Gönder", this);
    CheckBox2->setChecked(true);
    page->addWidget(CheckBox1);
    page->addWidget(CheckBox2);
}

QString TKlbSec::chosenPdfPath() const
{
    return m_pdfPath;
}

void TKlbSec::FormActivate()
{
    FResultFileName.clear();
    m_pdfPath.clear();
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}
