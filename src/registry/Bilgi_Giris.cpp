#include "registry/Bilgi_Giris.h"

#include "app/kit/Formats.h"
#include "app/kit/PickLists.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"
#include "registry/MaskEdit.h"
#include "registry/PersonChecks.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* edit(const QString& name, QWidget* parent, int maxLength = 0)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

} // namespace

TBilgi_Giris::TBilgi_Giris()
{
    setObjectName("Bilgi_Giris");
    setWindowTitle("Giriş");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* grid = new QGridLayout(this);
    Label1 = PlacedControls::make<QLabel>("Label1", "", this);
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    // Room for a title's prompt of up to three lines.
    Label1->setMinimumHeight(Label1->fontMetrics().lineSpacing() * 3 + 4);

    Label7 = PlacedControls::make<QLabel>("Label7", "Kuşak", this);
    Edit82 = edit("Edit82", this, 30);
    Edit82->setReadOnly(true);
    DBLookupComboBox1 = PickLists::make("DBLookupComboBox1", this);
    Label2 = PlacedControls::make<QLabel>("Label2", "Verildiği Yer", this);
    Edit1 = edit("Edit1", this, 30);
    Label3 = PlacedControls::make<QLabel>("Label3", "Tarih", this);
    MaskEdit1 = new TMaskEdit(this);
    MaskEdit1->setObjectName("MaskEdit1");
    MaskEdit1->setFixedWidth(80);
    Label4 = PlacedControls::make<QLabel>("Label4", "No", this);
    Edit2 = edit("Edit2", this, 20);
    Label5 = PlacedControls::make<QLabel>("Label5", "Dip. Tarih ve No", this);
    Label5->setCursor(Qt::PointingHandCursor);
    Edit4 = edit("Edit4", this, 30);
    Label6 = PlacedControls::make<QLabel>("Label6", "Vize Yılı", this);
    Edit3 = edit("Edit3", this, 30);
    DBLookupComboBox14 = PickLists::make("DBLookupComboBox14", this);
    DBLookupComboBox14->hide();
    BitBtn1 = new QPushButton("Tamam", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = new QPushButton("İptal", this);
    BitBtn2->setObjectName("BitBtn2");
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto pair = [this](QWidget* a, QWidget* b) {
        auto* w = new QWidget(this);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(2);
        h->addWidget(a, 1);
        h->addWidget(b);
        return w;
    };
    int r = 0;
    grid->addWidget(Label1, r++, 0, 1, 3);
    grid->addWidget(Label7, r, 0);
    grid->addWidget(pair(Edit82, DBLookupComboBox1), r++, 1, 1, 2);
    grid->addWidget(Label2, r, 0);
    grid->addWidget(Edit1, r++, 1, 1, 2);
    grid->addWidget(Label3, r, 0);
    grid->addWidget(MaskEdit1, r++, 1);
    grid->addWidget(Label4, r, 0);
    grid->addWidget(Edit2, r++, 1, 1, 2);
    grid->addWidget(Label5, r, 0);
    grid->addWidget(Edit4, r++, 1, 1, 2);
    grid->addWidget(Label6, r, 0);
    grid->addWidget(pair(Edit3, DBLookupComboBox14), r++, 1, 1, 2);
    grid->addWidget(BitBtn1, r, 1);
    grid->addWidget(BitBtn2, r, 2);
    setBeltPickShown(false);

    // Enter goes down the fields to "Tamam"; a hidden field is passed over.
    TurkishEntry::textField(Edit82, Edit1);
    TurkishEntry::textField(Edit1, MaskEdit1);
    TurkishEntry::enterOnly(MaskEdit1, nullptr)->setNextChooser([this]() -> QWidget* {
        return !Edit2->isHidden() ? static_cast<QWidget*>(Edit2) : Edit3;
    });
    TurkishEntry::textField(Edit2, nullptr)->setNextChooser([this]() -> QWidget* {
        return !Edit4->isHidden() ? static_cast<QWidget*>(Edit4) : BitBtn1;
    });
    TurkishEntry::textField(Edit4, nullptr)->setNextChooser([this]() -> QWidget* {
        return !Edit3->isHidden() ? static_cast<QWidget*>(Edit3) : BitBtn1;
    });
    TurkishEntry::textField(Edit3, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &TBilgi_Giris::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TBilgi_Giris::BitBtn2Click);
    connect(DBLookupComboBox1, &QComboBox::activated, this, &TBilgi_Giris::DBLookupComboBox1Click);
    connect(DBLookupComboBox14, &QComboBox::activated, this, &TBilgi_Giris::DBLookupComboBox14Click);
    setFixedWidth(420);
}

void TBilgi_Giris::setBeltPickShown(bool shown)
{
    for (QWidget* w : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(Edit82),
                       static_cast<QWidget*>(DBLookupComboBox1)})
        w->setVisible(shown);
}

bool TBilgi_Giris::beltPickShown() const
{
    return !Edit82->isHidden();
}

void TBilgi_Giris::FormActivate()
{
    Edit82->clear();
    MaskEdit1->clear();
    FCancelled = 1;
    if (beltPickShown()) {
        Edit82->setFocus();
        DBLookupComboBox1->clear();
        for (const Record& r :
             session().db.select("select * from KUSAK where Kusak_Key>=0 order by Kusak_Key"))
            DBLookupComboBox1->addItem(r.str("Kusak_Adi"), r.value("Kusak_Key"));
        DBLookupComboBox1->setCurrentIndex(-1);
    } else {
        Edit1->setFocus();
    }
}

void TBilgi_Giris::FormClose()
{
    DBLookupComboBox1->clear();
}

void TBilgi_Giris::BitBtn1Click()
{
    bool passed = true;
    QDate date;
    const bool dated = !MaskEdit1->isBlank();
    if (dated) {
        if (!Formats::tryStrToDate(MaskEdit1->maskedText(), date)) {
            Messages::error("Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!");
            passed = false;
        } else if (date < kTitleEntryDateFrom || date > kTitleEntryDateTo) {
            Messages::info("Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!");
            passed = false;
        }
    }
    if (passed && beltPickShown() && Edit82->text().isEmpty()) {
        Messages::info("Lütfen Kuşak Seçiniz ...!");
        passed = false;
    }
    if (passed && beltPickShown() && Edit3->text().isEmpty()) {
        Messages::info("Lütfen Stil Seçiniz ...!");
        passed = false;
    }
    // The visa year is checked whatever came before, by the rule the
    // editor's save applies to the visa-year field it goes into.
    if (Label6->text() == "Vize Yılı" && !Edit3->isHidden() && !Edit3->text().isEmpty() &&
        !isVisaYear(Edit3->text())) {
        Messages::info("Vize Yılını hatalı girdiniz ...!");
        passed = false;
    }
    if (!passed)
        return;
    if (dated)
        MaskEdit1->setMaskedText(Formats::dateToStr(date));
    FCancelled = 0;
    accept();
}

void TBilgi_Giris::BitBtn2Click()
{
    FCancelled = 1;
    reject();
}

void TBilgi_Giris::DBLookupComboBox1Click()
{
    const int i = DBLookupComboBox1->currentIndex();
    if (i < 0)
        return;
    Edit82->setText(DBLookupComboBox1->itemText(i));
    Edit82->setFocus();
}

void TBilgi_Giris::DBLookupComboBox14Click()
{
    const int i = DBLookupComboBox14->currentIndex();
    if (i < 0)
        return;
    Edit3->setText(DBLookupComboBox14->itemText(i));
    Edit3->setFocus();
}
