#include "registry/Seminer.h"

#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"
#include "registry/CaptionClick.h"
#include "registry/MaskEdit.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QDateEdit* picker(const QString& name, QWidget* parent)
{
    auto* p = PlacedControls::makeDatePicker(name, parent);
    p->setDate(QDate::currentDate());
    return p;
}

} // namespace

TSeminer::TSeminer()
{
    setObjectName("Seminer");
    setWindowTitle("Seminer İşleme");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    Label1 = PlacedControls::make<QLabel>("Label1", "Seminer Adı", this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(40);
    Edit1->setMinimumWidth(300);
    Label2 = PlacedControls::make<QLabel>("Label2", "Verildiği Yer", this);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setMaxLength(30);
    Label4 = PlacedControls::make<QLabel>("Label4", "Başlangıç Tarihi", this);
    MaskEdit2 = new TMaskEdit(this);
    MaskEdit2->setObjectName("MaskEdit2");
    MaskEdit2->setReadOnly(true);
    MaskEdit2->setFixedWidth(80);
    DateTimePicker2 = picker("DateTimePicker2", this);
    Label3 = PlacedControls::make<QLabel>("Label3", "Bitiş Tarihi", this);
    MaskEdit1 = new TMaskEdit(this);
    MaskEdit1->setObjectName("MaskEdit1");
    MaskEdit1->setReadOnly(true);
    MaskEdit1->setFixedWidth(80);
    DateTimePicker1 = picker("DateTimePicker1", this);
    BitBtn1 = new QPushButton("Devam", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = new QPushButton("İptal", this);
    BitBtn2->setObjectName("BitBtn2");
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 3);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1, 1, 3);  // as wide as the name
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(MaskEdit2, 2, 1);
    grid->addWidget(DateTimePicker2, 2, 2);
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(MaskEdit1, 3, 1);
    grid->addWidget(DateTimePicker1, 3, 2);
    grid->addWidget(BitBtn1, 4, 2);
    grid->addWidget(BitBtn2, 4, 3);

    // Enter in the name goes to the place; in the place it stays there.
    TurkishEntry::textField(Edit1, Edit2);
    TurkishEntry::textField(Edit2, Edit2);
    onCaptionClick(Label4, [this] { Label4Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TSeminer::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSeminer::BitBtn2Click);
    // A date chosen in a picker goes into its text, also the date the
    // picker already showed.
    PlacedControls::onDatePicked(DateTimePicker1, this, [this](const QDate&) { DateTimePicker1Change(); });
    PlacedControls::onDatePicked(DateTimePicker2, this, [this](const QDate&) { DateTimePicker2Change(); });
}

void TSeminer::FormActivate()
{
    MaskEdit1->clear();
    MaskEdit2->clear();
    FConfirmed = 0;
    Edit2->clear();
    Edit1->setFocus();
}

void TSeminer::DateTimePicker1Change()
{
    MaskEdit1->setMaskedText(Formats::dateToStr(DateTimePicker1->date()));
}

void TSeminer::DateTimePicker2Change()
{
    MaskEdit2->setMaskedText(Formats::dateToStr(DateTimePicker2->date()));
}

void TSeminer::Label4Click()
{
    MaskEdit2->clear();
}

void TSeminer::BitBtn1Click()
{
    if (Edit1->text().isEmpty()) {
        Messages::info("Lütfen " + Label1->text() + " Giriniz ...!");
        Edit1->setFocus();
        return;
    }
    if (Edit1->text().startsWith(' ')) {
        Messages::info(Label1->text() + " Hatalı Girdiniz. Lütfen Düzeltiniz ...!");
        Edit1->setFocus();
        return;
    }
    if (MaskEdit1->isBlank()) {
        Messages::info("Lütfen Bitiş Tarihini Giriniz ...!");
        MaskEdit1->setFocus();
        return;
    }
    FConfirmed = 1;
    accept();
}

void TSeminer::BitBtn2Click()
{
    FConfirmed = 0;
    reject();
}
