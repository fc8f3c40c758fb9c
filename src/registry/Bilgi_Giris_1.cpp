#include "registry/Bilgi_Giris_1.h"

#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"
#include "registry/CaptionClick.h"
#include "registry/MaskEdit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

TMaskEdit* dateField(const QString& name, QWidget* parent)
{
    auto* m = new TMaskEdit(parent);
    m->setObjectName(name);
    m->setFixedWidth(80);
    return m;
}

// The licence dates lie from 01.01.1950 to 01.01.2050, both included.
const QDate kFrom(1950, 1, 1);
const QDate kTo(2050, 1, 1);

} // namespace

TBilgi_Giris_1::TBilgi_Giris_1()
{
    setObjectName("Bilgi_Giris_1");
    setWindowTitle("Sporcu Lisans Bilgileri");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* grid = new QGridLayout(this);
    Label1 = PlacedControls::make<QLabel>(
        "Label1",
        "Lisans veya Transfer işlemi yapmak istiyorsanız. Lütfen aşağıdaki bilgileri dikkatlice doldurup "
        "\"Tamam\" düğmesine basınız.",
        this);
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label8 = PlacedControls::make<QLabel>("Label8", "Kulüp Adı :", this);
    Label6 = PlacedControls::make<QLabel>("Label6", "", this);
    Label9 = PlacedControls::make<QLabel>("Label9", "Bölge :", this);
    Label7 = PlacedControls::make<QLabel>("Label7", "", this);
    for (QLabel* l : {Label6, Label7}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(p);
    }
    Label2 = PlacedControls::make<QLabel>("Label2", "Lisans Numarası", this);
    Label2->setCursor(Qt::PointingHandCursor);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(20);
    Label3 = PlacedControls::make<QLabel>("Label3", "Lisans Tarihi", this);
    MaskEdit1 = dateField("MaskEdit1", this);
    Label4 = PlacedControls::make<QLabel>("Label4", "Vize Tarihi", this);
    MaskEdit2 = dateField("MaskEdit2", this);
    Label5 = PlacedControls::make<QLabel>("Label5", "Transfer Tarihi", this);
    MaskEdit3 = dateField("MaskEdit3", this);
    Label10 = PlacedControls::make<QLabel>("Label10", "Kategori", this);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setMaxLength(30);
    Label11 = PlacedControls::make<QLabel>("Label11", "Açıklama", this);
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName("Edit3");
    Edit3->setMaxLength(40);
    BitBtn1 = new QPushButton("Tamam", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = new QPushButton("İptal", this);
    BitBtn2->setObjectName("BitBtn2");
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    int r = 0;
    grid->addWidget(Label1, r++, 0, 1, 3);
    grid->addWidget(Label8, r, 0);
    grid->addWidget(Label6, r++, 1, 1, 2);
    grid->addWidget(Label9, r, 0);
    grid->addWidget(Label7, r++, 1, 1, 2);
    grid->addWidget(Label2, r, 0);
    grid->addWidget(Edit1, r++, 1, 1, 2);
    grid->addWidget(Label3, r, 0);
    grid->addWidget(MaskEdit1, r++, 1);
    grid->addWidget(Label4, r, 0);
    grid->addWidget(MaskEdit2, r++, 1);
    grid->addWidget(Label5, r, 0);
    grid->addWidget(MaskEdit3, r++, 1);
    grid->addWidget(Label10, r, 0);
    grid->addWidget(Edit2, r++, 1, 1, 2);
    grid->addWidget(Label11, r, 0);
    grid->addWidget(Edit3, r++, 1, 1, 2);
    grid->addWidget(BitBtn1, r, 1);
    grid->addWidget(BitBtn2, r, 2);

    TurkishEntry::enterOnly(Edit1, MaskEdit1);
    TurkishEntry::enterOnly(MaskEdit1, MaskEdit2);
    TurkishEntry::enterOnly(MaskEdit2, MaskEdit3);
    TurkishEntry::enterOnly(MaskEdit3, Edit2);
    TurkishEntry::textField(Edit2, Edit3);
    TurkishEntry::textField(Edit3, BitBtn1);

    onCaptionClick(Label3, [this] { Label3Click(); });
    onCaptionClick(Label4, [this] { Label4Click(); });
    onCaptionClick(Label5, [this] { Label5Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TBilgi_Giris_1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TBilgi_Giris_1::BitBtn2Click);
    setFixedWidth(460);
}

void TBilgi_Giris_1::FormActivate()
{
    Edit2->clear();
    Edit3->clear();
    MaskEdit2->clear();
    MaskEdit3->clear();
    Edit1->setFocus();
    FCancelled = 1;

    // The club by its key, and the region by the person's region name; each
    // found exactly or not at all.
    Database& db = session().db;
    const auto club = db.first("select * from C_UYELIKSURESI where Durum_Key = :k", {{"k", FPickedClubKey}});
    Label6->setText(club ? club->str("Durum") : QString());
    FClubKey = club ? club->str("Durum_Key") : QString();
    Label7->clear();
    FRegionKey.clear();
    for (const Record& r : db.select("select * from C_UYELIKTURU")) {
        if (r.str("Durum") == FRegionName) {
            Label7->setText(r.str("Durum"));
            FRegionKey = r.str("Durum_Key");
            break;
        }
    }
}

void TBilgi_Giris_1::BitBtn1Click()
{
    if (Edit1->text().isEmpty()) {
        Messages::error("Lisans Numarası Girmediniz ...!");
        Edit1->setFocus();
        return;
    }
    if (Edit1->text().startsWith(' ')) {
        Messages::info("Hatalı Lisans Numarası Girdiniz ...");
        Edit1->setFocus();
        return;
    }
    QDate licence;
    if (!Formats::tryStrToDate(MaskEdit1->maskedText(), licence)) {
        Messages::error("Boş veya Hatalı " + Label3->text() + ". Lütfen Düzeltiniz ...!");
        MaskEdit1->setFocus();
        return;
    }
    if (licence < kFrom || licence > kTo) {
        Messages::info(Label3->text() + "ni çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!");
        MaskEdit1->setFocus();
        return;
    }
    struct Optional {
        TMaskEdit* field;
        const char* notADate;
        const char* outOfRange;
        QDate date;
    };
    Optional optional[] = {
        {MaskEdit2, "Vize Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
         "Vize Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", {}},
        {MaskEdit3, "Transfer Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
         "Transfer Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", {}},
    };
    for (Optional& o : optional) {
        if (o.field->isBlank())
            continue;
        if (!Formats::tryStrToDate(o.field->maskedText(), o.date)) {
            Messages::error(o.notADate);
            o.field->setFocus();
            return;
        }
        if (o.date < kFrom || o.date > kTo) {
            Messages::info(o.outOfRange);
            o.field->setFocus();
            return;
        }
    }
    MaskEdit1->setMaskedText(Formats::dateToStr(licence));
    for (const Optional& o : optional)
        if (o.date.isValid())
            o.field->setMaskedText(Formats::dateToStr(o.date));
    FCancelled = 0;
    accept();
}

void TBilgi_Giris_1::BitBtn2Click()
{
    FCancelled = 1;
    reject();
}

void TBilgi_Giris_1::Label3Click()
{
    MaskEdit1->setMaskedText(Formats::dateToStr(FToday()));
}

void TBilgi_Giris_1::Label4Click()
{
    MaskEdit2->setMaskedText(Formats::dateToStr(FToday()));
}

void TBilgi_Giris_1::Label5Click()
{
    MaskEdit3->setMaskedText(Formats::dateToStr(FToday()));
}
