#include "reports/Baslik1S.h"

#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "app/kit/Formats.h"
#include "app/kit/TurkishEntry.h"
#include "reports/ActivityTitle.h"
#include "reports/Baslik1.h"
#include "reports/ReportForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

QString dateText(const Record& r, const QString& field)
{
    const QDate d = r.date(field);
    return d.isValid() ? Formats::dateToStr(d) : QString();
}

QString lookup(const Records& rows, const QString& keyField, const QVariant& key, const QString& field)
{
    if (key.isNull())
        return QString();
    for (const Record& r : rows)
        if (!r.isNull(keyField) && r.toInt(keyField) == key.toInt())
            return r.str(field);
    return QString();
}

} // namespace

TBaslik1S::TBaslik1S()
{
    using PlacedControls::make;
    setObjectName("Baslik1S");
    setWindowTitle("Rapor Başlığı Girişi");

    auto label = [](QWidget* parent, const char* name, const char* caption, int x, int y) {
        auto* l = make<QLabel>(name, caption, parent);
        l->setGeometry(QRect(QPoint(x, y), l->sizeHint()));
        return l;
    };
    auto edit = [](QWidget* parent, const char* name, const QRect& r) { return make<QLineEdit>(name, parent, r); };

    Label15 = label(this, "Label15", "Başlık", 12, 18);
    PlacedControls::bold(Label15)->adjustSize();
    Edit8 = edit(this, "Edit8", {72, 14, 420, 24});
    DBLookupComboBox1 = make<QComboBox>("DBLookupComboBox1", this);
    DBLookupComboBox1->setGeometry(Edit8->geometry());
    DBLookupComboBox1->raise();

    CheckBox2 = make<QCheckBox>("CheckBox2", "Kilo Gösterme", this);
    CheckBox2->setChecked(true);
    CheckBox3 = make<QCheckBox>("CheckBox3", "Takım/Kulüp Gösterme", this);
    CheckBox3->setChecked(true);
    CheckBox5 = make<QCheckBox>("CheckBox5", "Uluslar arası Müsabaka", this);
    CheckBox5->hide();
    // Each as wide as its caption; the third keeps its place while hidden.
    int width = PlacedControls::flow({CheckBox2, CheckBox3, CheckBox5}, 72, 46, 12) + 14;

    Label4 = label(this, "Label4", "Tarih", 12, 80);
    DateTimePicker1 = PlacedControls::makeDatePicker("DateTimePicker1", this, {72, 76, 120, 24});
    MaskEdit1 = edit(this, "MaskEdit1", {200, 76, 90, 24});
    MaskEdit1->setReadOnly(true);
    Label4->hide();
    DateTimePicker1->hide();
    MaskEdit1->hide();

    Label54 = label(this, "Label54", "Kategori", 12, 112);
    DBLookupComboBox5 = make<QComboBox>("DBLookupComboBox5", this);
    DBLookupComboBox5->setGeometry(72, 108, 150, 24);
    Edit6 = edit(this, "Edit6", {226, 108, 120, 24});
    Edit6->setReadOnly(true);
    Label3 = label(this, "Label3", "Kata/Kumite", 12, 142);
    ComboBox2 = make<QComboBox>("ComboBox2", this);
    ComboBox2->addItems({"KATA", "KUMİTE"});
    ComboBox2->setGeometry(90, 138, 120, 24);
    for (QWidget* w : {static_cast<QWidget*>(Label54), static_cast<QWidget*>(DBLookupComboBox5),
                       static_cast<QWidget*>(Edit6), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(ComboBox2)})
        w->hide();

    Panel1 = make<QFrame>("Panel1", this);
    Label1 = label(Panel1, "Label1", "Ad Soyad", 12, 10);
    Edit1 = edit(Panel1, "Edit1", {80, 6, 300, 24});
    Label2 = label(Panel1, "Label2", "Unvan", 12, 40);
    Edit2 = edit(Panel1, "Edit2", {80, 36, 300, 24});
    auto radio = [this](const char* name, const char* caption) { return make<QRadioButton>(name, caption, Panel1); };
    RadioButton1 = radio("RadioButton1", "Sporcu");
    RadioButton2 = radio("RadioButton2", "Hakem");
    RadioButton3 = radio("RadioButton3", "Antrenör");
    RadioButton5 = radio("RadioButton5", "Hakem-Antrenör");
    RadioButton4 = radio("RadioButton4", "Unvan");
    RadioButton6 = radio("RadioButton6", "Diğer");
    width = std::max(width, PlacedControls::flow({RadioButton1, RadioButton2, RadioButton3, RadioButton5,
                                                  RadioButton4, RadioButton6},
                                                 12, 68, 8) + 12);
    width = std::max(width, 506);
    Panel1->setGeometry(0, 170, width, 96);
    Panel1->hide();

    BitBtn4 = make<QPushButton>("BitBtn4", "Tamam", this);
    PlacedControls::bold(BitBtn4);
    BitBtn4->setGeometry(412, 106, 80, 30);
    PlacedControls::defaultWhenFocused(BitBtn4);

    PlacedControls::onClick(Label15, [this] { Label15Click(); });
    PlacedControls::onClick(Label54, [this] { Label54Click(); });
    PlacedControls::onClick(Label3, [this] { Label3Click(); });
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TBaslik1S::DBLookupComboBox1Click);
    connect(DBLookupComboBox5, qOverload<int>(&QComboBox::activated), this, &TBaslik1S::DBLookupComboBox5Click);
    PlacedControls::onDatePicked(DateTimePicker1, this, [this](const QDate&) { DateTimePicker1Change(); });
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton5})
        connect(b, &QRadioButton::clicked, this, &TBaslik1S::RadioButton1Click);
    connect(RadioButton4, &QRadioButton::clicked, this, &TBaslik1S::RadioButton4Click);
    connect(RadioButton6, &QRadioButton::clicked, this, &TBaslik1S::RadioButton6Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TBaslik1S::BitBtn4Click);
    TurkishEntry::textField(Edit8, BitBtn4);
    TurkishEntry::textField({Edit1, Edit2}, nullptr);

    // Creation: today's date, the person panel at the left edge, "Sporcu".
    DateTimePicker1->setDate(Reports::today());
    DateTimePicker1Change();
    Panel1->move(0, Panel1->y());
    RadioButton1->setChecked(true);
    RadioButton1Click();
    // The title and its button reach the right edge.
    Edit8->setGeometry(72, 14, width - 72 - 14, 24);
    DBLookupComboBox1->setGeometry(Edit8->geometry());
    BitBtn4->move(width - 14 - BitBtn4->width(), BitBtn4->y());
    setFixedSize(width, 147);
}

QString TBaslik1S::activityText(const Record& a, const QString& category, const QString& type)
{
    const QString text = dateText(a, "Tarih1") + "-" + dateText(a, "Tarih2") + " " + a.str("Yer") + " " +
                         a.str("Adi") + " /" + category + " " + type;
    return text.left(120);
}

QString TBaslik1S::composeTitle(const Record& a, bool international)
{
    return ActivityTitle::compose(a, international);
}

void TBaslik1S::FormActivate()
{
    Database& db = session().db;
    Query1 = db.select("select * from C_BRANSADI");
    Query3 = db.select("select * from C_TURTURU");
    Query2 = db.select("select * from C_TURNUVA order by Turnuva_Key desc");
    Query12 = db.select("select * from C_BRANSADI where Durum_Key > 2 order by Durum_Key");

    // The picker keeps the activity it stood on, when that is still listed.
    const QVariant chosen = DBLookupComboBox1->currentData();
    DBLookupComboBox1->clear();
    for (const Record& a : Query2) {
        const QString category = lookup(Query1, "Durum_Key", a.value("Durum_Key"), "Durum");
        const QString type = lookup(Query3, "Tur_Key", a.value("Tur_Key"), "Turu");
        DBLookupComboBox1->addItem(activityText(a, category, type), a.value("Turnuva_Key"));
    }
    DBLookupComboBox1->setCurrentIndex(chosen.isValid() ? DBLookupComboBox1->findData(chosen) : -1);

    DBLookupComboBox5->clear();
    for (const Record& c : Query12)
        DBLookupComboBox5->addItem(c.str("Durum"), c.value("Durum_Key"));
    DBLookupComboBox5->setCurrentIndex(-1);

    Edit8->setFocus();
    Edit6->clear();
    ComboBox2->setCurrentIndex(-1);
}

void TBaslik1S::FormClose()
{
    closeDataSets();
}

void TBaslik1S::closeDataSets()
{
    Query2.clear();
    Query1.clear();
    Query3.clear();
    Query12.clear();
}

void TBaslik1S::Label15Click()
{
    Edit8->clear();
}

void TBaslik1S::DBLookupComboBox1Click()
{
    Edit8->setText(DBLookupComboBox1->currentText());
}

void TBaslik1S::DBLookupComboBox5Click()
{
    Edit6->setText(DBLookupComboBox5->currentText());
}

void TBaslik1S::DateTimePicker1Change()
{
    MaskEdit1->setText(Formats::dateToStr(DateTimePicker1->date()));
}

void TBaslik1S::RadioButton1Click()
{
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label2)})
        w->setEnabled(false);
    Edit1->clear();
    Edit2->clear();
}

void TBaslik1S::RadioButton4Click()
{
    Edit1->setEnabled(false);
    Label1->setEnabled(false);
    Edit1->clear();
    Edit2->setEnabled(true);
    Label2->setEnabled(true);
    Edit2->clear();
}

void TBaslik1S::RadioButton6Click()
{
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label2)})
        w->setEnabled(true);
}

void TBaslik1S::Label54Click()
{
    Edit6->clear();
}

void TBaslik1S::Label3Click()
{
    ComboBox2->setCurrentIndex(-1);
}

void TBaslik1S::BitBtn4Click()
{
    const int row = DBLookupComboBox1->currentIndex();
    const QString shown = DBLookupComboBox1->currentText();
    if (!Edit8->text().isEmpty() && Edit8->text() == shown && row >= 0 && row < Query2.size()) {
        FActivityName = shown;
        FActivityTitle = composeTitle(Query2.at(row), CheckBox5->isChecked());
    } else {
        FActivityTitle.clear();
        FActivityName.clear();
    }
    accept();
}
