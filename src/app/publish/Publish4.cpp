#include "app/publish/Publish4.h"

#include "app/kit/PlacedControls.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"
#include "platform/ui/Messages.h"

#include <QDate>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TPublishPhotos::TPublishPhotos(Database& db, QStringList& queue, QWidget* parent)
    : Form(parent), m_db(db), m_queue(queue)
{
    using PlacedControls::make;
    setObjectName("PublishPhotos");
    setWindowTitle("Tarih Seç");

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Güncelleme Tarihi", this);
    DateTimePicker1 = PlacedControls::makeDatePicker("DateTimePicker1", this);
    MaskEdit1 = PlacedControls::readOnly(make<QLineEdit>("MaskEdit1", this));
    Label2 = make<QLabel>("Label2", ">>", this);
    DateTimePicker2 = PlacedControls::makeDatePicker("DateTimePicker2", this);
    MaskEdit2 = PlacedControls::readOnly(make<QLineEdit>("MaskEdit2", this));
    Label3 = make<QLabel>("Label3", "Arası", this);
    Label4 = make<QLabel>("Label4", "Max Dosya Büyüklüğü", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    Label5 = make<QLabel>("Label5", "Byte", this);
    BitBtn1 = make<QPushButton>("BitBtn1", "Devam", this);
    ExitButton = make<QPushButton>("ExitButton", "Kapat", this);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DateTimePicker1, 0, 1);
    grid->addWidget(Label2, 0, 2);
    grid->addWidget(DateTimePicker2, 0, 3);
    grid->addWidget(Label3, 0, 4);
    grid->addWidget(MaskEdit1, 1, 1);
    grid->addWidget(MaskEdit2, 1, 3);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(Edit1, 2, 1);
    grid->addWidget(Label5, 2, 2);
    grid->addWidget(BitBtn1, 3, 1);
    grid->addWidget(ExitButton, 3, 3);

    const QDate today = QDate::currentDate();
    DateTimePicker1->setDate(today);
    DateTimePicker2->setDate(today);
    DateTimePicker1Change();
    DateTimePicker2Change();
    Edit1->setText(QString::number(FMaxPhotoSize));

    PlacedControls::onDatePicked(DateTimePicker1, this, [this](const QDate&) { DateTimePicker1Change(); });
    PlacedControls::onDatePicked(DateTimePicker2, this, [this](const QDate&) { DateTimePicker2Change(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TPublishPhotos::BitBtn1Click);
    connect(ExitButton, &QPushButton::clicked, this, &TPublishPhotos::ExitButtonClick);
}

QString TPublishPhotos::photoPath(const QString& musteriKey)
{
    return QStringLiteral("C:\\CO\\QVX_PROG\\R") + musteriKey + QStringLiteral(".jpg");
}

void TPublishPhotos::FormActivate()
{
    FPhotosSelected = false;
    m_queue.clear();
    FDatabaseKind = m_db.isOpen() ? m_db.scalar("select DBName from C_DATABASE").toString() : QString();
}

void TPublishPhotos::DateTimePicker1Change()
{
    MaskEdit1->setText(DateTimePicker1->date().toString("dd.MM.yyyy"));
}

void TPublishPhotos::DateTimePicker2Change()
{
    MaskEdit2->setText(DateTimePicker2->date().toString("dd.MM.yyyy"));
}

void TPublishPhotos::BitBtn1Click()
{
    const QString text = Edit1->text();
    auto refuse = [this](const QString& message) {
        Messages::info(message);
        Edit1->setFocus();
    };
    if (text.isEmpty() || text == " ")
        return refuse("Dosya Büyüklüğünü Girmediniz ...!");
    bool ok = false;
    const qint64 limit = text.trimmed().toLongLong(&ok);
    if (!ok)
        return refuse("Dosya Büyüklüğünü Hatalı Girdiniz. Lütfen Düzeltiniz ...!");
    if (limit < 1000)
        return refuse("Dosya Büyüklüğünü Çok Küçük Girdiniz ...!");
    if (limit > FMaxPhotoSize)
        return refuse("Dosya Büyüklüğünü Çok Büyük Girdiniz ...!");

    // The days are bound; a change stamped with a time on the last day
    // still counts.
    const Records rows = m_db.select("select Musteri_Key, M1 from C_MUSTERI where M1 >= :first and M1 < :after "
                                     "order by M1",
                                     {{"first", DateTimePicker1->date()},
                                      {"after", DateTimePicker2->date().addDays(1)}});
    m_queue.clear();
    int count = 0;
    for (const Record& r : rows) {
        const QString path = photoPath(r.str("Musteri_Key"));
        const QString host = DriveMap::toHost(path);
        QFileInfo info(host);
        if (!info.isFile())
            continue;
        QFile::setPermissions(host, QFile::permissions(host) | QFile::WriteOwner);
        if (info.size() <= limit) {
            m_queue.append(path);
            ++count;
        }
    }
    Messages::info(QString::number(count) + " Adet Resim Seçildi ...!");
}

void TPublishPhotos::ExitButtonClick()
{
    close();
}

void TPublishPhotos::FormClose()
{
    FPhotosSelected = !m_queue.isEmpty() && !m_queue.first().isEmpty();
}
