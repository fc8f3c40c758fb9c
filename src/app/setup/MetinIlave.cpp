#include "app/setup/MetinIlave.h"

#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/TurkishEntry.h"
#include "app/setup/Metins.h"
#include "platform/db/Database.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TMetinIlave::TMetinIlave()
{
    using PlacedControls::make;
    setObjectName("MetinIlave");
    setWindowTitle("Bilgi Girişi");

    auto* grid = new QGridLayout(this);
    auto label = [this](const char* name, const char* caption) { return make<QLabel>(name, caption, this); };
    auto edit = [this](const char* name) { return make<QLineEdit>(name, this); };
    Label1 = label("Label1", "Metin");
    DBLookupComboBox1 = make<QComboBox>("DBLookupComboBox1", this);
    DBLookupComboBox1->setMinimumWidth(220);
    SpeedButton1 = make<QToolButton>("SpeedButton1", this);
    SpeedButton1->setText("...");
    SpeedButton1->setToolTip("Metinler");
    Label15 = label("Label15", "Başlık");
    Edit8 = edit("Edit8");
    Label8 = label("Label8", "Konu");
    Edit5 = edit("Edit5");
    Label14 = label("Label14", "Sayı");
    Edit6 = edit("Edit6");
    Label2 = label("Label2", "Tarih");
    Edit1 = edit("Edit1");
    BitBtn4 = make<QPushButton>("BitBtn4", "Devam", this);
    BitBtn4->setAutoDefault(false);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DBLookupComboBox1, 0, 1);
    grid->addWidget(SpeedButton1, 0, 2);
    grid->addWidget(Label15, 1, 0);
    grid->addWidget(Edit8, 1, 1, 1, 2);
    grid->addWidget(Label8, 2, 0);
    grid->addWidget(Edit5, 2, 1, 1, 2);
    grid->addWidget(Label14, 3, 0);
    grid->addWidget(Edit6, 3, 1, 1, 2);
    grid->addWidget(Label2, 4, 0);
    grid->addWidget(Edit1, 4, 1, 1, 2);
    grid->addWidget(BitBtn4, 5, 1, 1, 2, Qt::AlignRight);

    TurkishEntry::enterOnly(Edit8, Edit5);
    TurkishEntry::enterOnly(Edit5, Edit6);
    TurkishEntry::enterOnly(Edit6, Edit1);
    TurkishEntry::enterOnly(Edit1, BitBtn4);
    PlacedControls::onClick(Label1, [this] { Label1Click(); });
    PlacedControls::onClick(Label15, [this] { Label15Click(); });
    PlacedControls::onClick(Label8, [this] { Label8Click(); });
    PlacedControls::onClick(Label14, [this] { Label14Click(); });
    PlacedControls::onClick(Label2, [this] { Label2Click(); });

    connect(BitBtn4, &QPushButton::clicked, this, &TMetinIlave::BitBtn4Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TMetinIlave::SpeedButton1Click);
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TMetinIlave::DBLookupComboBox1CloseUp);
}

void TMetinIlave::openList()
{
    DBLookupComboBox1->clear();
    for (const Record& r : ReferenceScreens::db().select("select * from METINLER order by Met_Adi"))
        DBLookupComboBox1->addItem(r.str("Met_Adi"), r.value("Met_Key"));
    DBLookupComboBox1->setCurrentIndex(m_chosenKey.isValid() ? DBLookupComboBox1->findData(m_chosenKey) : -1);
    if (DBLookupComboBox1->currentIndex() < 0)
        m_chosenKey = QVariant();
}

void TMetinIlave::FormActivate()
{
    Edit8->setFocus();
    FLetterFile.clear();
    FConfirmed = false;
    openList();
}

void TMetinIlave::DBLookupComboBox1CloseUp()
{
    m_chosenKey = DBLookupComboBox1->currentData();
}

void TMetinIlave::SpeedButton1Click()
{
    Metins->showModal();
    openList();
}

void TMetinIlave::Label1Click()
{
    DBLookupComboBox1->setCurrentIndex(-1);
    m_chosenKey = QVariant();
}

void TMetinIlave::Label15Click()
{
    Edit8->clear();
}

void TMetinIlave::Label8Click()
{
    Edit5->clear();
}

void TMetinIlave::Label14Click()
{
    Edit6->clear();
}

void TMetinIlave::Label2Click()
{
    Edit1->clear();
}

void TMetinIlave::BitBtn4Click()
{
    const int i = DBLookupComboBox1->currentIndex();
    FLetterFile = i >= 0 ? "M" + DBLookupComboBox1->itemData(i).toString() + ".rtf" : QString();
    FConfirmed = true;
    accept();
}

void TMetinIlave::FormClose()
{
    if (!FConfirmed)
        FLetterFile.clear();
}
