#include "reports/Margin.h"

#include "app/kit/Formats.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"
#include "reports/CardRules.h"
#include "reports/ReportForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TMargin::TMargin()
{
    setObjectName("Margin");
    setWindowTitle("Sayfa Yapısı");
    // No close box: the dialog ends with one of its two answers.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto label = [this](const char* name, const char* caption, int x, int y) {
        auto* l = new QLabel(QString::fromUtf8(caption), this);
        l->setObjectName(name);
        l->move(x, y);
        return l;
    };
    auto edit = [this](const char* name, const QRect& r) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setGeometry(r);
        return e;
    };

    Label1 = label("Label1", "Kimlik Kartına", 16, 20);
    Edit2 = edit("Edit2", {112, 16, 56, 24});
    Label2 = label("Label2", "Yılı Vizesi Basılsınmı ?", 176, 20);
    Label3 = label("Label3", "Kimlik Kartı Üst Boşluk", 16, 58);
    Edit8 = edit("Edit8", {176, 54, 56, 24});
    Label4 = label("Label4", "pixels", 240, 58);
    Label5 = label("Label5", "Kimlik Kartı Sol Boşluk", 16, 88);
    Edit1 = edit("Edit1", {176, 84, 56, 24});
    Label6 = label("Label6", "pixels", 240, 88);
    CheckBox1 = new QCheckBox("Kimlikte Sicil Numarası Yazmasın", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->move(16, 118);
    Label7 = label("Label7", "Başlık", 16, 152);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(72, 148, 290, 24);
    ComboBox1->addItems(cardTitles());
    ComboBox1->setCurrentIndex(-1);
    // The edit lies over the list's text and leaves its arrow free.
    Edit3 = edit("Edit3", {74, 150, 264, 20});
    Edit3->setReadOnly(true);
    Edit3->setMaxLength(40);
    Edit3->raise();

    BitBtn4 = new QPushButton("Evet", this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setGeometry(96, 190, 90, 30);
    BitBtn1 = new QPushButton("Hayır", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(196, 190, 90, 30);

    connect(BitBtn4, &QPushButton::clicked, this, &TMargin::BitBtn4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TMargin::BitBtn1Click);
    connect(ComboBox1, qOverload<int>(&QComboBox::activated), this, &TMargin::ComboBox1Change);
    // Enter: year -> top offset -> left offset -> "Evet".
    TurkishEntry::enterOnly(Edit2, Edit8);
    TurkishEntry::enterOnly(Edit8, Edit1);
    TurkishEntry::enterOnly(Edit1, BitBtn4);

    // The visa year is fixed when the program starts: the next year in
    // December.
    Edit2->setText(QString::number(CardRules::visaYearFor(Reports::today())));
    Edit8->setText("4");
    Edit1->setText("2");
    setFixedSize(380, 236);
}

const QStringList& TMargin::cardTitles()
{
    static const QStringList titles{"-",
                                    "PROFESYONEL SPORCU",
                                    "MİLLİ SPORCU",
                                    "AMATÖR SPORCU",
                                    "MİLLİ TAKIM ANTRENÖRÜ",
                                    "MİLLİ TAKIM TEKNİK DİREKTÖRÜ"};
    return titles;
}

QString TMargin::valueErrorText()
{
    return "Hatalı Değer Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)";
}

QString TMargin::yearErrorText()
{
    return "Hatalı Yıl Girdiniz. Lütfen Düzeltiniz ...!";
}

double TMargin::topOffset() const
{
    return Formats::strToFloat(Edit8->text().trimmed());
}

double TMargin::leftOffset() const
{
    return Formats::strToFloat(Edit1->text().trimmed());
}

int TMargin::visaYear() const
{
    int year = 0;
    CardRules::parseVisaYear(Edit2->text(), year);
    return year;
}

void TMargin::FormActivate()
{
    Edit3->clear();
    ComboBox1->setCurrentIndex(-1);
    Edit2->setFocus();
    FConfirmed = 0;
    FValuesOk = 0;
    CheckBox1->setChecked(false);
    m_answered = false;
}

void TMargin::Kontrol()
{
    FValuesOk = 1;
    auto fail = [this](QLineEdit* field, const QString& text) {
        Messages::error(text);
        field->setFocus();
        FValuesOk = 0;
    };
    for (QLineEdit* offset : {Edit8, Edit1}) {
        bool ok = false;
        Formats::strToFloat(offset->text().trimmed(), &ok);
        if (!ok) {
            fail(offset, valueErrorText());
            return;
        }
    }
    // The cards print whole years: a fraction is refused like any other
    // wrong year.
    int year = 0;
    if (!CardRules::parseVisaYear(Edit2->text(), year))
        fail(Edit2, yearErrorText());
}

void TMargin::BitBtn4Click()
{
    Kontrol();
    if (FValuesOk != 1)
        return;
    FConfirmed = 1;
    m_answered = true;
    accept();
}

void TMargin::BitBtn1Click()
{
    Kontrol();
    if (FValuesOk != 1)
        return;
    FConfirmed = 0;
    m_answered = true;
    accept();
}

void TMargin::ComboBox1Change()
{
    const QString chosen = ComboBox1->currentText();
    Edit3->setText(chosen == "-" ? QString() : chosen);
}

bool TMargin::FormCloseQuery()
{
    // Closed without an answer (by the window system): the print follows as
    // after "Hayır", so the numbers must be right as well.
    if (m_answered)
        return true;
    Kontrol();
    if (FValuesOk != 1)
        return false;
    FConfirmed = 0;
    return true;
}

void TMargin::keyPressEvent(QKeyEvent* event)
{
    // No cancel: Esc does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}
