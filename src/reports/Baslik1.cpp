#include "reports/Baslik1.h"

#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TBaslik1::TBaslik1() : TBaslik1("Baslik1", true) {}

TBaslik1::TBaslik1(const QString& name, bool upperCase)
{
    using PlacedControls::make;
    setObjectName(name);
    setWindowTitle("Rapor Başlığı Girişi");

    Label15 = make<QLabel>("Label15", "Başlık", this);
    PlacedControls::bold(Label15);
    Label15->setGeometry(12, 16, 60, 21);
    Edit8 = make<QLineEdit>("Edit8", this);
    Edit8->setGeometry(72, 14, 420, 24);
    BitBtn4 = make<QPushButton>("BitBtn4", "Tamam", this);
    PlacedControls::bold(BitBtn4);
    BitBtn4->setGeometry(412, 52, 80, 30);
    PlacedControls::defaultWhenFocused(BitBtn4);

    PlacedControls::onClick(Label15, [this] { Label15Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, &TBaslik1::BitBtn4Click);
    if (upperCase)
        TurkishEntry::textField(Edit8, BitBtn4);
    else
        TurkishEntry::enterOnly(Edit8, BitBtn4);
    setFixedSize(506, kTitleHeight);
}

void TBaslik1::FormActivate()
{
    Edit8->setFocus();
}

void TBaslik1::Label15Click()
{
    Edit8->clear();
}

void TBaslik1::BitBtn4Click()
{
    accept();
}
