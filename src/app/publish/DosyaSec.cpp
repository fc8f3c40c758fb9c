#include "app/publish/DosyaSec.h"

#include "app/kit/PickLists.h"
#include "app/kit/PlacedControls.h"
#include "platform/ui/Messages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TDosyaSec::TDosyaSec(Database& db, QWidget* parent) : Form(parent), m_db(db)
{
    using namespace PlacedControls;
    setObjectName("DosyaSec");
    setWindowTitle("Turnuva Seç");
    setFixedSize(470, 160);

    make<QLabel>("LabelTurnuva", "Turnuva", this, {12, 16, 60, 20});
    Edit8 = readOnly(make<QLineEdit>("Edit8", this, {80, 12, 350, 24}));
    DBLookupComboBox4 = PickLists::make("DBLookupComboBox4", this, {430, 12, 20, 24});
    make<QLabel>("LabelDosya", "Dosya", this, {12, 48, 60, 20});
    Label3 = bold(make<QLabel>("Label3", "", this, {80, 48, 370, 20}));
    BitBtn3 = makeButton("BitBtn3", "Devam", this, {244, 112, 100, 30});
    BitBtn1 = makeButton("BitBtn1", "İptal", this, {350, 112, 100, 30});

    connect(DBLookupComboBox4, qOverload<int>(&QComboBox::activated), this, &TDosyaSec::DBLookupComboBox4Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TDosyaSec::BitBtn3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TDosyaSec::BitBtn1Click);
}

void TDosyaSec::FormActivate()
{
    FTournamentFileName.clear();
    Edit8->clear();
    m_tournaments = m_db.select("select Turnuva_Key, Adi from C_TURNUVA where Turnuva_Key > 1 order by Turnuva_Key desc");
    PickLists::fill(DBLookupComboBox4, m_tournaments, "Adi", "Turnuva_Key");
}

void TDosyaSec::FormClose()
{
    m_tournaments.clear();
    DBLookupComboBox4->clear();
}

void TDosyaSec::DBLookupComboBox4Click()
{
    const int i = DBLookupComboBox4->currentIndex();
    if (i >= 0 && i < m_tournaments.size())
        Edit8->setText(m_tournaments[i].str("Adi"));
}

void TDosyaSec::BitBtn3Click()
{
    const int i = DBLookupComboBox4->currentIndex();
    if (Edit8->text().isEmpty() || i < 0 || i >= m_tournaments.size()) {
        Messages::info(kNoTournament);
        return;
    }
    FTournamentFileName = QString::number(m_tournaments[i].toInt("Turnuva_Key")) + "TUR.doc";
    accept();
}

void TDosyaSec::BitBtn1Click()
{
    FTournamentFileName.clear();
    reject();
}
