#include "competition/Form2.h"

#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "competition/WeighCorrection.h"
#include "platform/ui/Messages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm2::TForm2()
{
    using namespace PlacedControls;
    setObjectName("Form2");
    setWindowTitle("Bilgi Düzeltme");
    setFixedSize(430, 200);

    make<QLabel>("Label1", "Adı Soyadı", this, {12, 14, 80, 20});
    Label3 = bold(make<QLabel>("Label3", "", this, {100, 14, 320, 20}));
    Label4 = make<QLabel>("Label4", "Bölge", this, {12, 48, 80, 20});
    Edit4 = readOnly(make<QLineEdit>("Edit4", this, {100, 44, 290, 24}));
    Edit4->setMaxLength(30);
    DBLookupComboBox2 = make<QComboBox>("DBLookupComboBox2", this, {392, 44, 24, 24});
    Label5 = make<QLabel>("Label5", "Kulüp", this, {12, 80, 80, 20});
    Edit8 = readOnly(make<QLineEdit>("Edit8", this, {100, 76, 290, 24}));
    DBLookupComboBox4 = make<QComboBox>("DBLookupComboBox4", this, {392, 76, 24, 24});
    Label6 = make<QLabel>("Label6", "Takım/Cns", this, {12, 112, 80, 20});
    Edit1 = readOnly(make<QLineEdit>("Edit1", this, {100, 108, 290, 24}));
    ComboBox3 = make<QComboBox>("ComboBox3", this, {392, 108, 24, 24});
    BitBtn3 = makeButton("BitBtn3", "Kaydet", this, {210, 156, 100, 30});
    BitBtn1 = makeButton("BitBtn1", "Çıkış", this, {316, 156, 100, 30});

    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this, &TForm2::DBLookupComboBox2Click);
    connect(DBLookupComboBox4, qOverload<int>(&QComboBox::activated), this, &TForm2::DBLookupComboBox4Click);
    connect(ComboBox3, qOverload<int>(&QComboBox::activated), this, &TForm2::ComboBox3Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
}

void TForm2::FormActivate()
{
    Database& db = session().db;
    Edit4->clear();
    Edit8->clear();
    Edit1->clear();
    DBLookupComboBox2->clear();
    for (const Record& r : db.select("select * from C_UYELIKTURU order by durum"))
        DBLookupComboBox2->addItem(r.str("Durum"));
    DBLookupComboBox2->setCurrentIndex(-1);
    DBLookupComboBox4->clear();
    for (const Record& r : db.select("select Durum_Key,Durum,E1 from C_UYELIKSURESI where Durum_Key > 1 order by Durum"))
        DBLookupComboBox4->addItem(r.str("Durum"), r.value("Durum_Key"));
    DBLookupComboBox4->setCurrentIndex(-1);
    ComboBox3->setCurrentIndex(-1);

    if (FListRowMode == 1) {
        const auto row = db.first("Select Liste_Key, Musteri_Key, Ad, Bolge, Klup, Takim, Sira from C_LISTE "
                                  "where Liste_Key = :k",
                                  {{"k", FListKey}});
        FBackNumber = row ? row->str("Sira") : QString();
        FPersonKey = row ? row->toInt("Musteri_Key") : 0;
        const bool team = FTeamMode != 0;
        Label6->setVisible(team);
        Edit1->setVisible(team);
        ComboBox3->setVisible(team);
        if (row) {
            Edit1->setText(row->str("Takim"));
            Edit8->setText(row->str("Klup"));
            Edit4->setText(row->str("Bolge"));
            Label3->setText(row->str("Ad"));
        }
    } else {
        for (QWidget* w : {static_cast<QWidget*>(Label6), static_cast<QWidget*>(Edit1),
                           static_cast<QWidget*>(ComboBox3)})
            w->setVisible(true);
        const auto p = db.first("Select Musteri_Key, Ad_Soyad, E16, Client_Key, M1, User, E15, Vergi_Dairesi "
                                "from C_MUSTERI where Musteri_Key = :k",
                                {{"k", FPersonKey}});
        if (p) {
            Edit1->setText(p->str("E15"));
            Edit8->setText(p->str("E16"));
            Edit4->setText(p->str("Vergi_Dairesi"));
            Label3->setText(p->str("Ad_Soyad"));
        }
    }
}

void TForm2::DBLookupComboBox2Click()
{
    Edit4->setText(DBLookupComboBox2->currentText());
}

void TForm2::ComboBox3Click()
{
    Edit1->setText(ComboBox3->currentText());
}

void TForm2::DBLookupComboBox4Click()
{
    Edit8->setText(DBLookupComboBox4->currentText());
    if (WeighCorrection::clubOfOtherRegion(session().db, Edit8->text(), Edit4->text()))
        Messages::warning(WeighCorrection::kOtherRegion);
}

void TForm2::BitBtn3Click()
{
    const WeighCorrection::Stamp stamp{session().user.FUserName, session().today()};
    if (FListRowMode == 1) {
        WeighCorrection::saveList(session().db,
                                  {FBackNumber.toInt(), FPersonKey, Edit4->text(), Edit8->text(), Edit1->text(),
                                   FTeamMode != 0},
                                  stamp);
        Messages::info(WeighCorrection::kListSaved);
        FSaved = 1;
        return;
    }
    if (Edit1->text().isEmpty()) {
        Messages::info(WeighCorrection::kNoGender);
        return;
    }
    WeighCorrection::savePerson(session().db, {FPersonKey, Edit4->text(), Edit8->text(), Edit1->text(), FOldGender},
                                stamp);
    Messages::info(WeighCorrection::kPersonSaved);
    FSaved = 1;
}
