#include "reports/Millilik.h"

#include "app/kit/TurkishEntry.h"
#include "reports/CardRules.h"
#include "app/kit/Session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TMillilik::TMillilik()
{
    setObjectName("Millilik");
    setWindowTitle("Millilik Bilgileri");
    int y = 16;
    auto label = [this, &y](const char* name, const char* caption) {
        auto* l = new QLabel(QString::fromUtf8(caption), this);
        l->setObjectName(name);
        l->move(16, y + 4);
        return l;
    };
    auto edit = [this, &y](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setGeometry(230, y, 300, 24);
        y += 32;
        return e;
    };
    Label1 = label("Label1", "Turnuva Adı");
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName("DBLookupComboBox1");
    DBLookupComboBox1->setGeometry(230, y, 300, 24);
    y += 40;
    Label2 = label("Label2", "Milli Olduğu Müsabaka Adı");
    Edit1 = edit("Edit1");
    Label3 = label("Label3", "Müsabaka Yeri ve Tarihi");
    Edit2 = edit("Edit2");
    Label4 = label("Label4", "Müsabakaya Katılan Ülke Sayısı");
    Edit3 = edit("Edit3");
    Label5 = label("Label5", "Derecesi");
    Edit4 = edit("Edit4");
    auto radio = [this, y](const char* name, const char* caption, int x) {
        auto* b = new QRadioButton(QString::fromUtf8(caption), this);
        b->setObjectName(name);
        b->move(x, y + 4);
        return b;
    };
    RadioButton1 = radio("RadioButton1", "A Sınıfı", 16);
    RadioButton2 = radio("RadioButton2", "B Sınıfı", 110);
    RadioButton3 = radio("RadioButton3", "C Sınıfı", 204);
    RadioButton1->setChecked(true);
    BitBtn4 = new QPushButton("Devam", this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setGeometry(440, y, 90, 30);

    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TMillilik::DBLookupComboBox1Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TMillilik::BitBtn4Click);
    TurkishEntry::textField({Edit1, Edit2, Edit3, Edit4}, BitBtn4);
    setFixedSize(548, y + 46);
}

QString TMillilik::classLetter() const
{
    if (RadioButton2->isChecked())
        return "B";
    if (RadioButton3->isChecked())
        return "C";
    return "A";
}

void TMillilik::FormActivate()
{
    Database& db = session().db;
    Query17 = db.select("select * from C_TURNUVA");
    Query16 = Query16Sql.isEmpty() ? Records() : db.select(Query16Sql);
    DBLookupComboBox1->clear();
    Records rows;
    for (const Record& r : Query16) {
        // The activity's name, place, country count and start date.
        Record activity;
        for (const Record& a : Query17)
            if (!r.isNull("Turnuva_Key") && a.toInt("Turnuva_Key") == r.toInt("Turnuva_Key"))
                activity = a;
        const bool found = activity.has("Adi");
        QStringList names = r.fieldNames();
        QVariantList values = r.values();
        names << "Turnuva_Adi" << "Tur_Yer" << "Ulke_Say1" << "Tur_Tarih";
        values << (found ? activity.value("Adi") : QVariant()) << (found ? activity.value("Yer") : QVariant())
               << (found ? activity.value("Ulke_Say") : QVariant())
               << (found ? QVariant(CardRules::dateText(activity, "Tarih1")) : QVariant());
        rows << Record(names, values);
        DBLookupComboBox1->addItem(rows.last().str("Turnuva_Adi"), r.value("Der_Key"));
    }
    Query16 = rows;
    DBLookupComboBox1->setCurrentIndex(-1);
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->clear();
}

void TMillilik::FormClose()
{
    Query16.clear();
    Query17.clear();
}

void TMillilik::DBLookupComboBox1Click()
{
    const int i = DBLookupComboBox1->currentIndex();
    if (i < 0 || i >= Query16.size())
        return;
    const Record& r = Query16.at(i);
    Edit1->setText(r.str("Turnuva_Adi"));
    // An activity without a place leaves the place and date as they are.
    if (!r.str("Tur_Yer").isEmpty())
        Edit2->setText(r.str("Tur_Yer") + "/" + r.str("Tur_Tarih"));
    Edit3->setText(r.str("Ulke_Say1"));
    Edit4->setText(r.str("Derece"));
}

void TMillilik::BitBtn4Click()
{
    accept();
}
