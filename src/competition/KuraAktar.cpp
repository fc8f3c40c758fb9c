#include "competition/KuraAktar.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString TKuraAktar::kNotAvailable =
    QStringLiteral("Kura Aktarımı Bu İstasyonda Kullanılamamaktadır ...!");

TKuraAktar::TKuraAktar()
{
    setObjectName("KuraAktar");
    setWindowTitle("Kura Aktar");
    setFixedSize(420, 170);

    Label1 = new QLabel("Branş", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(12, 16, 70, 20);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(86, 12, 320, 24);
    Edit1->setReadOnly(true);
    Label2 = new QLabel("Cinsiyet", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(12, 48, 70, 20);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setGeometry(86, 44, 120, 24);
    Edit2->setReadOnly(true);
    Label3 = new QLabel(kNotAvailable, this);
    Label3->setObjectName("Label3");
    Label3->setGeometry(12, 80, 396, 36);
    Label3->setWordWrap(true);
    Label3->setStyleSheet("color: maroon; font-weight: bold");
    BitBtn1 = new QPushButton("Kapat", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(316, 128, 90, 30);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TKuraAktar::FormActivate()
{
    Edit1->setText(FBranchEdit ? FBranchEdit->text() : QString());
    Edit2->setText(FGenderEdit ? FGenderEdit->text() : QString());
}
