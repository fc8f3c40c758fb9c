#include "reports/Baslik3.h"

#include "app/kit/PlacedControls.h"
#include "app/kit/ReservedRows.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "reports/ActivityTitle.h"
#include "reports/Baslik1S.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString drawSheetLookup(const Records& rows, const QString& keyField, const QVariant& key, const QString& field)
{
    if (key.isNull())
        return QString();
    for (const Record& r : rows)
        if (!r.isNull(keyField) && r.toInt(keyField) == key.toInt())
            return r.str(field);
    return QString();
}

} // namespace

TBaslik3::TBaslik3()
{
    using PlacedControls::make;
    setObjectName("Baslik3");
    setWindowTitle("Rapor Başlığı Girişi");

    Label15 = make<QLabel>("Label15", "Başlık", this, {12, 18, 58, 20});
    PlacedControls::bold(Label15);
    Edit8 = make<QLineEdit>("Edit8", this, {72, 14, 420, 24});
    DBLookupComboBox1 = make<QComboBox>("DBLookupComboBox1", this, {72, 42, 420, 24});
    auto box = [this](const char* name, const char* caption, int x, int y, bool checked) {
        auto* b = make<QCheckBox>(name, caption, this);
        b->setGeometry(QRect(QPoint(x, y), b->sizeHint()));
        b->setChecked(checked);
        return b;
    };
    CheckBox1 = box("CheckBox1", "Kura Tablosunda Bölge Yaz", 72, 74, true);
    CheckBox2 = box("CheckBox2", "Kulüp Yaz", 300, 74, false);
    CheckBox3 = box("CheckBox3", "Çizelge Tek Sayfaya Sığmıyorsa 2'ye Böl", 72, 124, true);
    CheckBox3->hide();
    CheckBox4 = box("CheckBox4", "Sırt Numarası Yaz", 72, 98, false);
    CheckBox5 = box("CheckBox5", "Puan Yaz", 300, 98, false);
    CheckBox6 = box("CheckBox6", "Uluslar arası Müsabaka", 72, 122, false);
    BitBtn4 = make<QPushButton>("BitBtn4", "Tamam", this, {412, 120, 80, 30});
    PlacedControls::bold(BitBtn4);
    PlacedControls::defaultWhenFocused(BitBtn4);

    PlacedControls::onClick(Label15, [this] { Label15Click(); });
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TBaslik3::DBLookupComboBox1Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TBaslik3::BitBtn4Click);
    TurkishEntry::textField(Edit8, BitBtn4);
    setFixedSize(506, 160);
}

BracketChart::Options TBaslik3::options() const
{
    BracketChart::Options o;
    o.region = CheckBox1->isChecked();
    o.club = CheckBox2->isChecked();
    o.drawNumbers = CheckBox4->isChecked();
    o.points = CheckBox5->isChecked();
    o.international = CheckBox6->isChecked();
    return o;
}

QString TBaslik3::composeTitle(const QString& titleLine, const Record* activity, bool international)
{
    if (titleLine.isEmpty())
        return QString();
    // Without an activity to take it from (the penalties' row every station
    // has is none), the title is the line as typed.
    if (!activity || activity->toInt("Turnuva_Key") == kPenaltyActivityKey)
        return titleLine;
    return ActivityTitle::compose(*activity, international);
}

void TBaslik3::FormActivate()
{
    Database& db = session().db;
    const Records categories = db.select("select * from C_BRANSADI");
    const Records types = db.select("select * from C_TURTURU");
    Query2 = db.select("select * from C_TURNUVA order by Turnuva_Key desc");
    // What the dialog shows is what prints: an empty title line composes no
    // title, so no activity shows as chosen beside it. A title line left
    // from an earlier run keeps the activity it was composed from.
    const QVariant chosen = Edit8->text().isEmpty() ? QVariant() : DBLookupComboBox1->currentData();
    DBLookupComboBox1->clear();
    for (const Record& a : Query2) {
        const QString category = drawSheetLookup(categories, "Durum_Key", a.value("Durum_Key"), "Durum");
        const QString type = drawSheetLookup(types, "Tur_Key", a.value("Tur_Key"), "Turu");
        DBLookupComboBox1->addItem(TBaslik1S::activityText(a, category, type), a.value("Turnuva_Key"));
    }
    // The list stands on that activity while it is there, else on none.
    DBLookupComboBox1->setCurrentIndex(chosen.isValid() ? DBLookupComboBox1->findData(chosen) : -1);
    Edit8->setFocus();
}

void TBaslik3::FormClose()
{
    Query2.clear();
}

void TBaslik3::Label15Click()
{
    Edit8->clear();
}

void TBaslik3::DBLookupComboBox1Click()
{
    Edit8->setText(DBLookupComboBox1->currentText());
}

void TBaslik3::BitBtn4Click()
{
    const int row = DBLookupComboBox1->currentIndex();
    const Record* activity = row >= 0 && row < Query2.size() ? &Query2.at(row) : nullptr;
    FActivityTitle = composeTitle(Edit8->text(), activity, CheckBox6->isChecked());
    accept();
}
