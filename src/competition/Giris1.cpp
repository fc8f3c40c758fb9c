#include "competition/Giris1.h"

#include "app/kit/Session.h"
#include "competition/MusteriGiris3.h"
#include "platform/ui/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TGiris1::TGiris1()
{
    setObjectName("Giris1");
    setWindowTitle("Sporcu Seçme Tercihleri");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    Label1 = new QLabel("Turnuva Türü", this);
    Label1->setObjectName("Label1");
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName("DBLookupComboBox1");
    DBLookupComboBox1->setMinimumWidth(220);

    Label2 = new QLabel("Kategori", this);
    Label2->setObjectName("Label2");
    // The read-only field shows the chosen category; the list's button
    // stays beside it.
    auto* category = new QWidget(this);
    auto* categoryRow = new QHBoxLayout(category);
    categoryRow->setContentsMargins(0, 0, 0, 0);
    categoryRow->setSpacing(0);
    Edit6 = new QLineEdit(category);
    Edit6->setObjectName("Edit6");
    Edit6->setReadOnly(true);
    DBLookupComboBox5 = new QComboBox(category);
    DBLookupComboBox5->setObjectName("DBLookupComboBox5");
    DBLookupComboBox5->setFixedWidth(22);
    categoryRow->addWidget(Edit6);
    categoryRow->addWidget(DBLookupComboBox5);

    Label3 = new QLabel("Max Tartma Sayısı", this);
    Label3->setObjectName("Label3");
    ComboBox3 = new QComboBox(this);
    ComboBox3->setObjectName("ComboBox3");
    ComboBox3->addItem("SINIRSIZ");
    for (int n = 1; n <= 20; ++n)
        ComboBox3->addItem(QString::number(n));
    ComboBox3->setCurrentIndex(2);

    Label4 = new QLabel("Min Kuşak", this);
    Label4->setObjectName("Label4");
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName("DBLookupComboBox2");

    CheckBox1 = new QCheckBox("Diskalifiye Olmadan Önce Uyar", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(false);

    BitBtn4 = new QPushButton("Devam", this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setDefault(true);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DBLookupComboBox1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(category, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(ComboBox3, 2, 1);
    grid->addWidget(Label4, 3, 0);
    grid->addWidget(DBLookupComboBox2, 3, 1);
    grid->addWidget(CheckBox1, 4, 0, 1, 2);
    grid->addWidget(BitBtn4, 5, 0, 1, 2, Qt::AlignRight);

    connect(BitBtn4, &QPushButton::clicked, this, &TGiris1::BitBtn4Click);
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TGiris1::DBLookupComboBox1Click);
    connect(DBLookupComboBox5, qOverload<int>(&QComboBox::activated), this, &TGiris1::DBLookupComboBox5Click);
    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this, &TGiris1::DBLookupComboBox2Click);
}

bool TGiris1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease)
        Label4Click();
    return Form::eventFilter(watched, event);
}

void TGiris1::FormActivate()
{
    Database& db = session().db;
    FKinds = db.select("select * from C_KL_BL");
    FCategories = db.select("select * from C_BRANSADI where Durum_Key <> 2 order by Durum_Key");
    FBelts = db.select("select * from KUSAK");

    DBLookupComboBox1->clear();
    for (const Record& r : FKinds)
        DBLookupComboBox1->addItem(r.str("Klup_Bolge"), r.value("Key_No"));
    showKind();

    // The list offers the names; the field keeps the one chosen.
    DBLookupComboBox5->clear();
    for (const Record& r : FCategories)
        DBLookupComboBox5->addItem(r.str("Durum"), r.value("Durum_Key"));
    DBLookupComboBox5->setCurrentIndex(DBLookupComboBox5->findText(Edit6->text()));

    DBLookupComboBox2->clear();
    for (const Record& r : FBelts)
        DBLookupComboBox2->addItem(r.str("Kusak_Adi"), r.value("Kusak_Key"));
    showBelt();
}

void TGiris1::FormClose()
{
    FKinds.clear();
    FCategories.clear();
    FBelts.clear();
}

void TGiris1::showKind()
{
    DBLookupComboBox1->setCurrentIndex(DBLookupComboBox1->findData(FKindKey));
}

void TGiris1::showBelt()
{
    // A key the belts do not hold shows nothing and stays the minimum.
    DBLookupComboBox2->setCurrentIndex(DBLookupComboBox2->findData(FBeltKey));
}

void TGiris1::DBLookupComboBox1Click()
{
    if (DBLookupComboBox1->currentIndex() >= 0)
        FKindKey = DBLookupComboBox1->currentData().toInt();
}

void TGiris1::DBLookupComboBox5Click()
{
    if (DBLookupComboBox5->currentIndex() >= 0)
        Edit6->setText(DBLookupComboBox5->currentText());
}

void TGiris1::DBLookupComboBox2Click()
{
    if (DBLookupComboBox2->currentIndex() >= 0)
        FBeltKey = DBLookupComboBox2->currentData().toInt();
}

void TGiris1::Label4Click()
{
    FBeltKey = 1;
    showBelt();
}

void TGiris1::BitBtn4Click()
{
    if (Edit6->text().isEmpty()) {
        Messages::info("Lütfen Kategori Seçiniz ...!");
        DBLookupComboBox5->setFocus();
        return;
    }
    if (DBLookupComboBox1->currentIndex() < 0) {
        Messages::info("Lütfen Turnuva Türü Seçiniz ...!");
        DBLookupComboBox1->setFocus();
        return;
    }

    // The category row of the name chosen.
    const int at = DBLookupComboBox5->findText(Edit6->text());
    if (at >= 0)
        DBLookupComboBox5->setCurrentIndex(at);
    const Record category = FCategories.value(DBLookupComboBox5->currentIndex());
    FCategoryKey = category.toInt("Durum_Key");

    Record kind;
    for (const Record& r : FKinds)
        if (r.toInt("Key_No") == FKindKey)
            kind = r;

    TMusteriGiris3* screen = MusteriGiris3;
    screen->FGradeMode = 0;
    const QString mode = kind.str("check");
    if (mode == "1") {
        screen->FTeamMode = 1;
    } else if (mode == "0") {
        screen->FTeamMode = 0;
    } else if (mode == "2") {
        screen->FTeamMode = 1;
        screen->FGradeMode = 1;
    }
    screen->FMaxWeighings = ComboBox3->currentIndex() < 0 ? 0 : ComboBox3->currentIndex();
    screen->Label56->setText(Edit6->text());
    screen->Label60->setText(kind.str("Klup_Bolge") + " ŞAMP.");
    screen->FMinBeltKey = FBeltKey;
    // What the weigh-in reads of this dialog while it runs.
    screen->FCategoryKey = FCategoryKey;
    screen->FCategoryName = Edit6->text();
    screen->FWarnBeforeDisqualify = CheckBox1->isChecked() ? 1 : 0;

    screen->showModal();

    FCategories.clear();
    close();
}
