#include "reports/Baslik4.h"

#include "app/kit/PlacedControls.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TBaslik4::TBaslik4() : TBaslik1("Baslik4", true)
{
    using PlacedControls::make;
    GroupBox1 = make<QGroupBox>("GroupBox1", " Sıra ", this);
    auto* column = new QVBoxLayout(GroupBox1);
    auto radio = [&](const char* name, const char* caption) {
        auto* b = make<QRadioButton>(name, caption, GroupBox1);
        column->addWidget(b);
        return b;
    };
    RadioButton1 = radio("RadioButton1", "İsim");
    RadioButton2 = radio("RadioButton2", "Sicil No");
    RadioButton6 = radio("RadioButton6", "Bölge");
    RadioButton3 = radio("RadioButton3", "Son Kuşak/Dan Verildiği Tarih");
    RadioButton4 = radio("RadioButton4", "Son Hakem Ünvanı Verildiği Tarih");
    RadioButton5 = radio("RadioButton5", "Son Antrenörlük Ünvanı Verildiği Tarih");
    RadioButton1->setChecked(true);

    const int groupHeight = GroupBox1->sizeHint().height();
    GroupBox1->setGeometry(72, 48, 300, groupHeight);
    BitBtn4->move(BitBtn4->x(), 48 + groupHeight - BitBtn4->height());
    setFixedSize(width(), 48 + groupHeight + 14);
}

QString TBaslik4::sortColumn() const
{
    if (RadioButton2->isChecked())
        return "Vergi_Numarasi";
    if (RadioButton6->isChecked())
        return "Vergi_Dairesi";
    if (RadioButton3->isChecked())
        return "M7";
    if (RadioButton4->isChecked())
        return "M6";
    if (RadioButton5->isChecked())
        return "M5";
    return "Ad_Soyad";
}
