#include "registry/Vizeler.h"

#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TVizeler::TVizeler()
{
    setObjectName("Vizeler");
    setWindowTitle("Vize Yılı İşleme");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    Label1 = PlacedControls::make<QLabel>("Label1", "Lisans Vize Yılı", this);
    Edit1 = PlacedControls::make<QLineEdit>("Edit1", this);
    Edit1->setMaxLength(4);
    Edit1->setFixedWidth(60);
    GroupBox1 = PlacedControls::make<QGroupBox>("GroupBox1", "  Aktivite Türü ", this);
    auto* radios = new QVBoxLayout(GroupBox1);
    RadioButton1 = PlacedControls::make<QRadioButton>("RadioButton1", "HAKEM", GroupBox1);
    RadioButton2 = PlacedControls::make<QRadioButton>("RadioButton2", "ANTRENÖR", GroupBox1);
    RadioButton3 = PlacedControls::make<QRadioButton>("RadioButton3", "BÖLGE HAKEM", GroupBox1);
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3}) {
        radios->addWidget(r);
        connect(r, &QRadioButton::toggled, this, &TVizeler::RadioButtonClick);
    }
    BitBtn1 = PlacedControls::makeButton("BitBtn1", "Devam", this);
    BitBtn2 = PlacedControls::makeButton("BitBtn2", "İptal", this);
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(GroupBox1, 1, 0, 1, 3);
    grid->addWidget(BitBtn1, 2, 1);
    grid->addWidget(BitBtn2, 2, 2);
    TurkishEntry::enterOnly(Edit1, BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TVizeler::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TVizeler::BitBtn2Click);
}

PersonBatch::VisaKind TVizeler::kind() const
{
    if (RadioButton2->isChecked())
        return PersonBatch::VisaKind::Coach;
    if (RadioButton3->isChecked())
        return PersonBatch::VisaKind::RegionalReferee;
    return PersonBatch::VisaKind::Referee;
}

QString TVizeler::chosenCaption() const
{
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
        if (r->isChecked())
            return r->text();
    return QString();
}

void TVizeler::FormActivate()
{
    FConfirmed = 0;
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3}) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
    RadioButtonClick();
}

void TVizeler::RadioButtonClick()
{
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
        r->setStyleSheet(r->isChecked() ? "color: rgb(255, 0, 0);" : "color: rgb(0, 0, 0);");
}

void TVizeler::BitBtn1Click()
{
    if (chosenCaption().isEmpty()) {
        Messages::error("Lütfen Lisans Vize Yılının Kimlere İşleneceğini Seçiniz ...!");
        return;
    }
    bool ok = false;
    const int year = Edit1->text().trimmed().toInt(&ok);
    if (!ok) {
        Messages::error("Hatalı Vize Yılı Girdiniz. Lütfen Düzeltiniz ...!");
        Edit1->setFocus();
        return;
    }
    if (year < 1900 || year > 2100) {
        Messages::info("Hatalı Vize Yılı Girdiniz. Lütfen Yılı 4 Haneli Giriniz ...!");
        Edit1->setFocus();
        return;
    }
    FConfirmed = 1;
    close();
}

void TVizeler::BitBtn2Click()
{
    close();
}
