#include "competition/KurSec.h"

#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "competition/KuraKayit.h"
#include "competition/MatchState.h"
#include "platform/ui/Messages.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

// The durations panel's width; the choices' column is as wide as its
// longest caption needs, 278 pixels at least.
constexpr int kPanelWidth = 242;
constexpr int kHeight = 214;

const QString kBadRounds = QStringLiteral("Boş veya Hatalı Round Sayısı Girdiniz ...!");

} // namespace

TKur_Sec::TKur_Sec()
{
    using namespace PlacedControls;
    setObjectName("Kur_Sec");
    setWindowTitle("Kura Çekim Seçenekleri");
    // No title-bar buttons: the dialog closes through "Devam" or "İptal".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    RadioButton1 = make<QRadioButton>("RadioButton1", "Seçilen Branşın Kurasını Çek", this);
    RadioButton2 = make<QRadioButton>("RadioButton2", "Tüm Branşların Kuralarını Çek", this);
    RadioButton3 = make<QRadioButton>("RadioButton3", "Aşağıda Seçilen Kategorinin Kuralarını Çek", this);
    auto* choices = new QButtonGroup(this);
    int y = 10;
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3}) {
        choices->addButton(r);
        r->setGeometry(10, y, std::max(262, r->sizeHint().width()), 22);
        m_narrowWidth = std::max(m_narrowWidth, r->geometry().right() + 1 + 6);
        y += 26;
    }
    m_wideWidth = m_narrowWidth + kPanelWidth + 10;
    setFixedSize(m_wideWidth, kHeight);
    RadioButton1->setChecked(true);

    Label1 = makeLabel("Label1", "Kategori", this, 10, 94);
    DBLookupComboBox5 = new QComboBox(this);
    DBLookupComboBox5->setObjectName("DBLookupComboBox5");
    DBLookupComboBox5->setGeometry(10, 112, 258, 22);
    Edit6 = makeEdit("Edit6", this, {10, 112, 239, 22});
    Edit6->setReadOnly(true);
    Edit6->raise();

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setGeometry(m_narrowWidth, 10, kPanelWidth, 130);
    Label2 = makeLabel("Label2", "Müsabaka Süresi (Erkek)", Panel1, 8, 10);
    Edit1 = makeEdit("Edit1", Panel1, {170, 8, 60, 22}, "09:99;_");
    Label3 = makeLabel("Label3", "Müsabaka Süresi (Bayan)", Panel1, 8, 42);
    Edit2 = makeEdit("Edit2", Panel1, {170, 40, 60, 22}, "09:99;_");
    Label4 = makeLabel("Label4", "Round Sayısı", Panel1, 8, 74);
    Edit5 = makeEdit("Edit5", Panel1, {170, 72, 60, 22});
    Edit3 = makeEdit("Edit3", Panel1, {8, 100, 60, 22});
    Edit3->hide();
    Edit4 = makeEdit("Edit4", Panel1, {80, 100, 60, 22});
    Edit4->hide();

    Panel2 = new QFrame(this);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(10, 140, 258, 24);
    RadioButton4 = new QRadioButton(Panel2);
    RadioButton4->setObjectName("RadioButton4");
    RadioButton4->setAutoExclusive(false);
    Panel2->hide();

    BitBtn4 = new QPushButton("Devam", this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setGeometry(10, kHeight - 40, 120, 30);
    BitBtn1 = new QPushButton("İptal", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(140, kHeight - 40, 120, 30);
    for (QPushButton* b : {BitBtn4, BitBtn1}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(BitBtn4, &QPushButton::clicked, this, &TKur_Sec::BitBtn4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TKur_Sec::BitBtn1Click);
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
        connect(r, &QRadioButton::clicked, this, &TKur_Sec::RadioButton1Click);
    connect(DBLookupComboBox5, qOverload<int>(&QComboBox::activated), this, &TKur_Sec::DBLookupComboBox5Click);
}

const MatchState& TKur_Sec::matchState() const
{
    static const MatchState defaults;
    return FMatchState ? *FMatchState : defaults;
}

void TKur_Sec::FormActivate()
{
    FCancelled = 1;
    const QString kept = DBLookupComboBox5->currentText();
    DBLookupComboBox5->clear();
    for (const Record& r :
         session().db.select("select * from C_BRANSADI where Durum_Key > 2 order by Durum_Key"))
        DBLookupComboBox5->addItem(r.str("Durum"));
    DBLookupComboBox5->setCurrentIndex(DBLookupComboBox5->findText(kept));
    RadioButton1Click();

    const MatchState& m = matchState();
    Edit1->setText(m.FMatchTimeMen.mid(3, 5));
    Edit2->setText(m.FMatchTimeWomen.mid(3, 5));
    Edit3->setText(m.FFinalTimeMen.mid(3, 5));
    Edit4->setText(m.FFinalTimeWomen.mid(3, 5));
    Edit5->setText(QString::number(m.FRoundCount));

    RadioButton4->setChecked(false);
    Panel2->hide();

    Panel1->setVisible(FShowDurations);
    setFixedSize(FShowDurations ? m_wideWidth : m_narrowWidth, kHeight);
}

void TKur_Sec::RadioButton1Click()
{
    const bool byCategory = RadioButton3->isChecked();
    if (!byCategory)
        Edit6->clear();
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Edit6),
                       static_cast<QWidget*>(DBLookupComboBox5)})
        w->setEnabled(byCategory);
}

void TKur_Sec::DBLookupComboBox5Click()
{
    Edit6->setText(DBLookupComboBox5->currentText());
}

void TKur_Sec::BitBtn4Click()
{
    struct Duration {
        QLineEdit* edit;
        QLineEdit* focus;
    };
    // The final durations take the same checks; they always hold values
    // that passed before.
    for (const Duration& d : {Duration{Edit1, Edit1}, Duration{Edit2, Edit2}, Duration{Edit3, Edit1},
                              Duration{Edit4, Edit2}}) {
        const QString refusal = BoutTimes::durationRefusal(BoutTimes::maskedText(d.edit));
        if (!refusal.isEmpty()) {
            Messages::info(refusal);
            d.focus->setFocus();
            return;
        }
    }
    // A bout has at least one round: a count below 1 is refused as well.
    bool ok = false;
    const int rounds = Edit5->text().trimmed().toInt(&ok);
    if (!ok || rounds < 1) {
        Messages::info(kBadRounds);
        Edit5->setFocus();
        return;
    }
    // Final bouts last as long as the other bouts.
    Edit3->setText(Edit1->text());
    Edit4->setText(Edit2->text());
    FCancelled = 0;
    accept();
}

void TKur_Sec::BitBtn1Click()
{
    FCancelled = 1;
    reject();
}

bool TKur_Sec::FormCloseQuery()
{
    if (FCancelled == 0 && RadioButton3->isChecked() && Edit6->text().isEmpty()) {
        Messages::info("Lütfen Kategori Seçiniz ...!");
        return false;
    }
    return true;
}

void TKur_Sec::FormClose()
{
    // The category list is read anew at the next showing.
}
