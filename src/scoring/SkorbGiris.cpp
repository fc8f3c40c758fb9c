#include "scoring/SkorbGiris.h"

#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"
#include "scoring/ScoreboardWidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTime>

#include <algorithm>

using namespace ScoreboardLook;

namespace {

const QString kTimeFormat = QStringLiteral("Lütfen Süreyi DAKİKA:SANİYE (00:00) Formatında Giriniz ...!");
const QString kBadTime = QStringLiteral("Süreyi Hatalı Girdiniz ...!");
const QString kBadSize = QStringLiteral("Boş veya Büyük Değer Girdiniz ...!");
const QString kWrongEntry = QStringLiteral(" Hatalı Girdiniz ...!");
const QString kTestMissing =
    QStringLiteral("Lütfen tüm Hakemlere Mavi ve Kırmızı butonlara bastırıp test yaptırınız ...!");

// The dialog's rows are 24 pixels high, their captions bold.
QLabel* rowCaption(QWidget* parent, const char* name, const QString& text, int x, int y, int w = 110)
{
    QLabel* caption = PlacedControls::bold(PlacedControls::make<QLabel>(name, text, parent, {x, y, w, 24}));
    // Never cut: as wide as its text needs in this machine's font.
    if (!caption->wordWrap())
        caption->resize(std::max(w, caption->sizeHint().width()), 24);
    return caption;
}

QLineEdit* rowField(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int maxLength)
{
    auto* e = PlacedControls::make<QLineEdit>(name, text, parent, {x, y, w, 24});
    e->setMaxLength(maxLength);
    return e;
}

SymbolLabel* testMark(QWidget* parent, const char* name, int x, int y)
{
    auto* m = new SymbolLabel(SymbolLabel::TestMark, "o", parent);
    m->setObjectName(name);
    m->setGeometry(x, y, 37, 37);
    setTextColour(m, White);
    setBackground(m, QColor(0x60, 0x60, 0x60));
    return m;
}

// "mm:ss": two digits, the colon, two digits; "_" marks a digit not typed.
void setDurationMask(QLineEdit* field)
{
    const QString text = field->text();
    field->setMaxLength(5);
    field->setInputMask("99:99;_");
    field->setText(text);
}

bool readWholeNumber(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

TSkorb_giris::TSkorb_giris()
{
    setObjectName("Skorb_giris");
    setWindowTitle("Scoreboard Settings");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(600, 440);

    Label7 = rowCaption(this, "Label7", "Orta Hakem", 16, 16);
    Edit8 = rowField(this, "Edit8", QString(), 130, 16, 250, 40);
    Label5 = rowCaption(this, "Label5", "Hakem 1", 16, 48);
    Edit1 = rowField(this, "Edit1", QString(), 130, 48, 250, 40);
    Label1 = rowCaption(this, "Label1", "Hakem 2", 16, 80);
    Edit2 = rowField(this, "Edit2", QString(), 130, 80, 250, 40);
    Label6 = rowCaption(this, "Label6", "Hakem 3", 16, 112);
    Edit3 = rowField(this, "Edit3", QString(), 130, 112, 250, 40);
    for (QLabel* judge : {Label5, Label1, Label6}) {
        setTextColour(judge, Blue);
        judge->setCursor(Qt::PointingHandCursor);
        judge->installEventFilter(this);
    }

    QComboBox** lists[4] = {&DBLookupComboBox4, &DBLookupComboBox1, &DBLookupComboBox2, &DBLookupComboBox3};
    const char* listNames[4] = {"DBLookupComboBox4", "DBLookupComboBox1", "DBLookupComboBox2", "DBLookupComboBox3"};
    for (int i = 0; i < 4; ++i) {
        auto* c = new QComboBox(this);
        c->setObjectName(listNames[i]);
        c->setGeometry(390, 16 + 32 * i, 194, 24);
        *lists[i] = c;
    }
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TSkorb_giris::DBLookupComboBox1Click);
    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this, &TSkorb_giris::DBLookupComboBox2Click);
    connect(DBLookupComboBox3, qOverload<int>(&QComboBox::activated), this, &TSkorb_giris::DBLookupComboBox3Click);
    connect(DBLookupComboBox4, qOverload<int>(&QComboBox::activated), this, &TSkorb_giris::DBLookupComboBox4Click);

    Label8 = rowCaption(this, "Label8", "Maç Numarası", 16, 156);
    Edit9 = rowField(this, "Edit9", "000", 130, 156, 50, 3);
    Label9 = rowCaption(this, "Label9", "Ring Numarası", 16, 188);
    Edit10 = rowField(this, "Edit10", "0", 130, 188, 50, 2);
    Label10 = rowCaption(this, "Label10", "Minus Puanı", 16, 220);
    Edit7 = rowField(this, "Edit7", "1", 130, 220, 50, 1);
    Label2 = rowCaption(this, "Label2", "Round Sayısı", 16, 252);
    Edit6 = rowField(this, "Edit6", "3", 130, 252, 50, 1);

    Label3 = rowCaption(this, "Label3", "Müsabaka Süresi", 300, 156, 130);
    Edit4 = rowField(this, "Edit4", "00:00", 440, 156, 70, 5);
    Label4 = rowCaption(this, "Label4", "Müsabaka Arası", 300, 188, 130);
    Edit5 = rowField(this, "Edit5", "00:00", 440, 188, 70, 5);
    Label19 = rowCaption(this, "Label19", "Uzatma Süresi", 300, 220, 230);
    Label19->setWordWrap(true);
    Edit11 = rowField(this, "Edit11", "01:00", 440, 220, 70, 5);
    // The durations are typed as minutes and seconds into a "mm:ss" mask.
    for (QLineEdit* duration : {Edit4, Edit5, Edit11})
        setDurationMask(duration);
    Label20 = new SymbolLabel(SymbolLabel::TestMark, "o", this);
    Label20->setObjectName("Label20");
    Label20->setGeometry(540, 214, 37, 37);
    setTextColour(Label20, QColor(0xD7, 0x74, 0xDE));
    Label20->hide();

    // Each judge's caption and his two marks; the three fit the dialog's
    // width with the captions in full.
    // The marks follow their caption's whole width in this machine's font.
    Label11 = rowCaption(this, "Label11", "Hakem 1 Test", 16, 300, 96);
    Label48 = testMark(this, "Label48", Label11->geometry().right() + 3, 294);
    Label12 = testMark(this, "Label12", Label48->geometry().right() + 6, 294);
    Label13 = rowCaption(this, "Label13", "Hakem 2 Test", 208, 300, 96);
    Label14 = testMark(this, "Label14", Label13->geometry().right() + 3, 294);
    Label15 = testMark(this, "Label15", Label14->geometry().right() + 6, 294);
    Label16 = rowCaption(this, "Label16", "Hakem 3 Test", 400, 300, 96);
    Label17 = testMark(this, "Label17", Label16->geometry().right() + 3, 294);
    Label18 = testMark(this, "Label18", Label17->geometry().right() + 6, 294);

    RadioButton1 = new QRadioButton("Bölge Adı Göster", this);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton1->setGeometry(16, 350, 170, 24);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton("Kulüp Adı Göster", this);
    RadioButton2->setObjectName("RadioButton2");
    RadioButton2->setGeometry(200, 350, 170, 24);
    RadioButton3 = new QRadioButton("Boş Göster", this);
    RadioButton3->setObjectName("RadioButton3");
    RadioButton3->setGeometry(384, 350, 170, 24);

    BitBtn4 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "Devam", this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setGeometry(330, 392, 120, 32);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "İptal", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(460, 392, 120, 32);
    // Enter in a field does not close the dialog.
    BitBtn4->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn4, &QPushButton::clicked, this, &TSkorb_giris::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSkorb_giris::BitBtn2Click);

    // Names are typed in Turkish capitals; Enter keeps its meaning.
    TurkishEntry::textField({Edit8, Edit1, Edit2, Edit3}, nullptr);

    resetTestMarks();
}

QList<SymbolLabel*> TSkorb_giris::testMarks() const
{
    return {Label48, Label14, Label17, Label12, Label15, Label18};
}

void TSkorb_giris::markPress(int judge, bool blue)
{
    if (judge < 1 || judge > 3)
        return;
    SymbolLabel* mark = testMarks()[(blue ? 0 : 3) + judge - 1];
    mark->setText("C");
    setTextColour(mark, blue ? Blue : Red);
}

void TSkorb_giris::resetTestMarks()
{
    for (SymbolLabel* m : testMarks()) {
        m->setText("o");
        setTextColour(m, White);
    }
}

void TSkorb_giris::FormActivate()
{
    FCancelled = 0;
    Query16.clear();
    Database* db = FDatabase;
    if (!db && session().db.isOpen())
        db = &session().db;
    // The referee lists only help typing: a list that cannot be read is left
    // empty and the names are typed.
    try {
        if (db)
            Query16 = db->select("select Musteri_Key, Ad_Soyad from C_MUSTERI where E51<>'' order by Ad_Soyad");
    } catch (const DbError&) {
        Query16.clear();
    }
    for (QComboBox* list : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3, DBLookupComboBox4}) {
        list->clear();
        for (const Record& r : Query16)
            list->addItem(r.str("Ad_Soyad"), r.toInt("Musteri_Key"));
        list->setCurrentIndex(-1);
    }
    // A ring plan gives the ring and the match number.
    const bool given = FByRing == 1;
    for (QLineEdit* e : {Edit9, Edit10}) {
        e->setReadOnly(given);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, given ? QApplication::palette().color(QPalette::Button)
                                           : QApplication::palette().color(QPalette::Base));
        e->setPalette(pal);
    }
}

void TSkorb_giris::BitBtn4Click()
{
    close();
}

void TSkorb_giris::BitBtn2Click()
{
    FCancelled = 1;
    close();
}

bool TSkorb_giris::refuse(const QString& message, QWidget* field)
{
    Messages::error(message);
    if (field)
        field->setFocus();
    return false;
}

bool TSkorb_giris::checkTime(QLineEdit* field)
{
    const QString t = field->text();
    if (t.size() != 5 || t.startsWith(' '))
        return refuse(kTimeFormat, field);
    if (!QTime::fromString("00:" + t, "HH:mm:ss").isValid())
        return refuse(kBadTime, field);
    return true;
}

bool TSkorb_giris::FormCloseQuery()
{
    if (FCancelled == 1)
        return true;
    if (Edit1->text().isEmpty())
        return refuse("Lütfen 1.Hakem'in Adını Giriniz ...!", Edit1);
    if (Edit2->text().isEmpty())
        return refuse("Lütfen 2.Hakem'in Adını Giriniz ...!", Edit2);
    if (FSemiContact == 0 && Edit3->text().isEmpty())
        return refuse("Lütfen 3.Hakem'in Adını Giriniz ...!", Edit3);
    if (!checkTime(Edit4))
        return false;
    // A round of no length could never start.
    if (Edit4->text() == "00:00")
        return refuse(kBadTime, Edit4);
    if (!checkTime(Edit5) || !checkTime(Edit11))
        return false;
    if (FSemiContact == 1 && Edit11->text() == "00:00")
        return refuse(kBadTime, Edit11);
    int rounds = 0;
    if (Edit6->text().size() > 2)
        return refuse(kBadSize, Edit6);
    // A bout has at least one round.
    if (!readWholeNumber(Edit6->text(), &rounds) || rounds < 1)
        return refuse("Round Sayısı" + kWrongEntry, Edit6);
    int minus = 0;
    if (Edit7->text().size() > 2)
        return refuse(kBadSize, Edit7);
    if (!readWholeNumber(Edit7->text(), &minus))
        return refuse("Minus Puanı" + kWrongEntry, Edit7);
    int match = 0;
    int ring = 0;
    if (!readWholeNumber(Edit9->text(), &match))
        return refuse("Maç Numarası" + kWrongEntry, Edit9);
    if (!readWholeNumber(Edit10->text(), &ring))
        return refuse("Ring Numarası" + kWrongEntry, Edit10);
    if (match < 1)
        return refuse("Maç Numarası" + kWrongEntry, Edit9);
    if (ring < 1)
        return refuse("Ring Numarası" + kWrongEntry, Edit10);
    if (FSemiContact == 0 && FTestRequired == 1) {
        for (SymbolLabel* m : testMarks())
            if (m->text() != "C")
                return refuse(kTestMissing, nullptr);
    }
    Query16.clear();
    return true;
}

bool TSkorb_giris::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label5)
            Label5Click();
        else if (watched == Label1)
            Label1Click();
        else if (watched == Label6)
            Label6Click();
    }
    return Form::eventFilter(watched, event);
}

void TSkorb_giris::Label5Click() { Edit1->clear(); }
void TSkorb_giris::Label1Click() { Edit2->clear(); }
void TSkorb_giris::Label6Click() { Edit3->clear(); }

void TSkorb_giris::pickReferee(QComboBox* list, QLineEdit* field)
{
    if (list->currentIndex() < 0)
        return;
    field->setText(list->currentText());
    field->setFocus();
}

void TSkorb_giris::DBLookupComboBox1Click() { pickReferee(DBLookupComboBox1, Edit1); }
void TSkorb_giris::DBLookupComboBox2Click() { pickReferee(DBLookupComboBox2, Edit2); }
void TSkorb_giris::DBLookupComboBox3Click() { pickReferee(DBLookupComboBox3, Edit3); }
void TSkorb_giris::DBLookupComboBox4Click() { pickReferee(DBLookupComboBox4, Edit8); }
