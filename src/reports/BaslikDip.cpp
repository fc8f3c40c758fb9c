#include "reports/BaslikDip.h"

#include "app/kit/TurkishEntry.h"
#include "reports/Baslik1.h"
#include "app/kit/PlacedControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TBaslikDip::TBaslikDip()
{
    setObjectName("BaslikDip");
    setWindowTitle("Sınav Yeri ve Tarihi");
    int y = 16;
    auto row = [this, &y](const char* labelName, const char* caption, const char* editName, QLabel*& label,
                          QLineEdit*& edit) {
        label = new QLabel(QString::fromUtf8(caption), this);
        label->setObjectName(labelName);
        label->move(16, y + 4);
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        label->setCursor(Qt::PointingHandCursor);
        edit = new QLineEdit(this);
        edit->setObjectName(editName);
        edit->setGeometry(120, y, 300, 24);
        y += 32;
    };
    row("Label15", "Sınav Yeri", "Edit8", Label15, Edit8);
    row("Label1", "Sınav Tarihi", "Edit1", Label1, Edit1);
    row("Label2", "Derece", "Edit2", Label2, Edit2);
    row("Label3", "Fed. Başkanı", "Edit3", Label3, Edit3);
    BitBtn4 = new QPushButton("Tamam", this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setGeometry(330, y + 4, 90, 30);
    PlacedControls::defaultWhenFocused(BitBtn4);

    for (QLabel* l : {Label15, Label1, Label2, Label3})
        PlacedControls::onClick(l, [this] { Label15Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, &TBaslikDip::BitBtn4Click);
    TurkishEntry::textField({Edit8, Edit1, Edit2, Edit3}, BitBtn4);
    setFixedSize(440, y + 46);
}

void TBaslikDip::FormActivate()
{
    Edit8->setFocus();
}

void TBaslikDip::Label15Click()
{
    Edit8->clear();
}

void TBaslikDip::BitBtn4Click()
{
    accept();
}
