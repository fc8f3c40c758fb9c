#include "competition/KuraKayit.h"

#include "app/dialogs/Agirlik.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "app/kit/WeightCategories.h"
#include "competition/MatchState.h"
#include "platform/text/Turkish.h"
#include "platform/ui/Messages.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

// Known names taken from each corner column of the bouts.
constexpr int kMaxKnownNames = 5000;

const QString kTooLarge = QStringLiteral("Boş veya Büyük Değer Girdiniz ...!");

Database& db()
{
    return session().db;
}


// A drop-down list with a text box over it: the box covers the list but
// its button, so that choosing an entry copies its text into the box.
QLineEdit* makeBoxOver(const QString& name, QComboBox* list)
{
    using namespace PlacedControls;
    QRect r = list->geometry();
    r.setWidth(r.width() - 19);
    auto* e = makeEdit(name, list->parentWidget(), r);
    e->raise();
    return e;
}

void setTextColour(QLineEdit* edit, const QColor& colour)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::Disabled, QPalette::Text, colour);
    edit->setPalette(p);
}

bool readInteger(const QString& text, int* value = nullptr)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

} // namespace

// ---------------------------------------------------------------------------
// BoutTimes

QString BoutTimes::maskedText(const QLineEdit* edit)
{
    QString t = edit->displayText();
    if (!edit->inputMask().isEmpty())
        t.replace(QChar('_'), QChar(' '));
    return t;
}

int BoutTimes::secondsOf(const QString& minutesSeconds)
{
    const QStringList parts = minutesSeconds.split(':');
    if (parts.size() != 2)
        return -1;
    int m = 0, s = 0;
    const QString mt = parts[0].trimmed(), st = parts[1].trimmed();
    auto digits = [](const QString& t) {
        return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit() && c.unicode() < 0x80; });
    };
    if (!digits(mt) || !digits(st))
        return -1;
    m = mt.toInt();
    s = st.toInt();
    if (m >= 60 || s >= 60)
        return -1;
    return m * 60 + s;
}

QString BoutTimes::durationRefusal(const QString& minutesSeconds)
{
    // A duration is whole: "3_:00" is no 03:00 (it would be stored as "00:3:00").
    if (minutesSeconds.size() != 5 || minutesSeconds.contains(' '))
        return kFormatMessage;
    if (secondsOf(minutesSeconds) < 0)
        return kWrongDuration;
    return QString();
}

QString BoutTimes::minutesSeconds(const QString& clockText)
{
    const QTime t = Formats::strToTime(clockText);
    return (t.isValid() ? t : QTime(0, 0)).toString("HH:mm:ss").mid(3, 5);
}

// ---------------------------------------------------------------------------
// TKura_Kayit

TKura_Kayit::TKura_Kayit() : today([] { return QDate::currentDate(); })
{
    using namespace PlacedControls;
    setObjectName("Kura_Kayit");
    setWindowTitle("Sporcu Giriş");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(560, 310);

    Label1 = makeLabel("Label1", "Kilo", this, 10, 8);
    Edit9 = makeEdit("Edit9", this, {10, 26, 70, 22});
    Label2 = makeLabel("Label2", "Erkek/Bayan", this, 90, 8);
    ComboBox4 = new QComboBox(this);
    ComboBox4->setObjectName("ComboBox4");
    ComboBox4->setGeometry(90, 26, 100, 22);
    ComboBox4->addItems({WeightCategories::kMen, WeightCategories::kWomen});
    ComboBox4->setCurrentIndex(-1);
    Label3 = makeLabel("Label3", "Kategori", this, 200, 8);
    DBLookupComboBox5 = makeList("DBLookupComboBox5", this, {200, 26, 350, 22});
    Edit7 = makeBoxOver("Edit7", DBLookupComboBox5);

    auto corner = [this](QGroupBox*& box, const QString& name, const QString& title, int x, const QColor& colour) {
        box = new QGroupBox(title, this);
        box->setObjectName(name);
        box->setGeometry(x, 58, 265, 170);
        QPalette p = box->palette();
        p.setColor(QPalette::WindowText, colour);
        box->setPalette(p);
    };
    corner(GroupBox1, "GroupBox1", "Sporcu (Mavi)", 10, QColor(Qt::blue));
    corner(GroupBox2, "GroupBox2", "Sporcu (Kırmızı)", 285, QColor(Qt::red));

    Label4 = makeLabel("Label4", "Adı Soyadı", GroupBox1, 10, 20);
    ComboBox1 = makeList("ComboBox1", GroupBox1, {10, 38, 245, 22});
    Edit3 = makeBoxOver("Edit3", ComboBox1);
    Label5 = makeLabel("Label5", "Bölge", GroupBox1, 10, 68);
    DBLookupComboBox1 = makeList("DBLookupComboBox1", GroupBox1, {10, 86, 245, 22});
    Edit1 = makeBoxOver("Edit1", DBLookupComboBox1);
    Edit1->setReadOnly(true);
    Label6 = makeLabel("Label6", "Kulüp", GroupBox1, 10, 116);
    Edit4 = makeEdit("Edit4", GroupBox1, {10, 134, 245, 22});

    Label7 = makeLabel("Label7", "Adı Soyadı", GroupBox2, 10, 20);
    ComboBox2 = makeList("ComboBox2", GroupBox2, {10, 38, 245, 22});
    Edit5 = makeBoxOver("Edit5", ComboBox2);
    Label8 = makeLabel("Label8", "Bölge", GroupBox2, 10, 68);
    DBLookupComboBox2 = makeList("DBLookupComboBox2", GroupBox2, {10, 86, 245, 22});
    Edit2 = makeBoxOver("Edit2", DBLookupComboBox2);
    Edit2->setReadOnly(true);
    Label9 = makeLabel("Label9", "Kulüp", GroupBox2, 10, 116);
    Edit6 = makeEdit("Edit6", GroupBox2, {10, 134, 245, 22});

    for (QLabel* l : {Label4, Label5, Label6})
        l->setStyleSheet("color: blue");
    for (QLabel* l : {Label7, Label8, Label9})
        l->setStyleSheet("color: red");
    for (QLabel* l : {Label5, Label8}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }

    Label11 = makeLabel("Label11", "Toplam Round", this, 10, 238);
    MaskEdit1 = makeEdit("MaskEdit1", this, {10, 256, 40, 22});
    MaskEdit1->setInputMask("0;_");
    MaskEdit1->setText("0");
    Label12 = makeLabel("Label12", "Maç Süresi", this, 100, 238);
    MaskEdit2 = makeEdit("MaskEdit2", this, {100, 256, 60, 22});
    MaskEdit2->setInputMask("09:99;_");
    MaskEdit2->setText("00:00");
    Label13 = makeLabel("Label13", "Şuanki Round", this, 190, 238);
    MaskEdit3 = makeEdit("MaskEdit3", this, {190, 256, 40, 22});
    MaskEdit3->setInputMask("0;_");
    MaskEdit3->setText("0");
    Label14 = makeLabel("Label14", "Kalan Süre", this, 290, 238);
    MaskEdit4 = makeEdit("MaskEdit4", this, {290, 256, 60, 22});
    MaskEdit4->setInputMask("09:99;_");
    MaskEdit4->setText("00:00");
    setChangeFieldsEnabled(false);

    BitBtn1 = new QPushButton("Kaydet", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(380, 252, 80, 28);
    BitBtn2 = new QPushButton("Kapat", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(470, 252, 80, 28);
    // Enter stays with the field it is typed in: it saves nothing.
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    // Names and clubs are typed in Turkish capitals; Enter is left to them.
    TurkishEntry::textField({Edit3, Edit4, Edit5, Edit6}, nullptr);

    connect(BitBtn1, &QPushButton::clicked, this, &TKura_Kayit::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TKura_Kayit::BitBtn2Click);
    connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, &TKura_Kayit::DBLookupComboBox1Click);
    connect(DBLookupComboBox2, qOverload<int>(&QComboBox::activated), this, &TKura_Kayit::DBLookupComboBox2Click);
    connect(DBLookupComboBox5, qOverload<int>(&QComboBox::activated), this, &TKura_Kayit::DBLookupComboBox5Click);
    connect(ComboBox1, qOverload<int>(&QComboBox::activated), this, &TKura_Kayit::ComboBox1Click);
    connect(ComboBox2, qOverload<int>(&QComboBox::activated), this, &TKura_Kayit::ComboBox2Click);
    // A gender chosen by the operator (also the one already shown) or set by
    // the dialog itself.
    connect(ComboBox4, qOverload<int>(&QComboBox::activated), this, &TKura_Kayit::ComboBox4Change);
    connect(ComboBox4, qOverload<int>(&QComboBox::currentIndexChanged), this, &TKura_Kayit::ComboBox4Change);
    connect(MaskEdit2, &QLineEdit::textChanged, this, &TKura_Kayit::MaskEdit2Change);
}

const MatchState& TKura_Kayit::matchState() const
{
    static const MatchState defaults;
    return FMatchState ? *FMatchState : defaults;
}

void TKura_Kayit::setChangeFieldsEnabled(bool enabled)
{
    const QColor colour = enabled ? QColor(Qt::black) : QColor(128, 128, 128);
    for (QLineEdit* e : {MaskEdit3, MaskEdit4}) {
        e->setEnabled(enabled);
        setTextColour(e, colour);
    }
    Label13->setEnabled(enabled);
    Label14->setEnabled(enabled);
}

void TKura_Kayit::FormActivate()
{
    // Regions (one list per corner) and category names.
    const Records regions = db().select("select * from C_UYELIKTURU order by durum");
    for (QComboBox* list : {DBLookupComboBox1, DBLookupComboBox2}) {
        list->clear();
        for (const Record& r : regions)
            list->addItem(r.str("Durum"));
        list->setCurrentIndex(-1);
    }
    DBLookupComboBox5->clear();
    for (const Record& r : db().select("select * from C_BRANSADI where Durum_Key > 2 order by Durum_Key"))
        DBLookupComboBox5->addItem(r.str("Durum"));
    DBLookupComboBox5->setCurrentIndex(-1);

    Edit3->clear();
    Edit1->clear();
    Edit2->clear();
    if (regions.size() == 1) {
        Edit1->setText(regions.first().str("Durum"));
        Edit2->setText(regions.first().str("Durum"));
    }
    Edit4->clear();
    Edit5->clear();
    Edit6->clear();
    FSaved = 0;

    if (FBoutKey != 0) {
        loadBout();
    } else {
        // Weight, gender, category, rounds and duration stay from the last
        // bout, so a series of one category is typed without repeating them.
        MaskEdit3->setText("1");
        if (BoutTimes::maskedText(MaskEdit1).trimmed() == "0")
            MaskEdit1->setText(QString::number(matchState().FRoundCount));
        MaskEdit4->setText(MaskEdit2->text());
        Edit9->setFocus();
    }
    loadKnownNames();
}

void TKura_Kayit::loadBout()
{
    ComboBox4->setCurrentIndex(-1);
    Edit9->clear();
    Edit7->clear();

    const Records bout = db().select("select * from C_KURA where Kura_Key = :k", {{"k", FBoutKey}});
    if (bout.size() != 1)
        return;
    const Record& r = bout.first();
    Edit3->setText(r.str("Ad1"));
    Edit1->setText(r.str("Bolge1"));
    Edit4->setText(r.str("Klup1"));
    Edit5->setText(r.str("Ad2"));
    Edit2->setText(r.str("Bolge2"));
    Edit6->setText(r.str("Klup2"));
    MaskEdit1->setText(r.str("Raunt_Say"));
    MaskEdit4->setText(BoutTimes::minutesSeconds(r.str("n_time")));
    MaskEdit3->setText(r.str("Raunt"));
    MaskEdit2->setText(BoutTimes::minutesSeconds(r.str("d_time")));
    const QString category = r.str("Brans");

    const Records weightClass = db().select("select * from C_BRANS where Durum = :d", {{"d", category}});
    const QString categoryName = WeightCategories::categoryNameOf(db(), category);
    if (weightClass.size() == 1) {
        const Record& w = weightClass.first();
        const QString gender = w.str("E_B") == "E"   ? WeightCategories::kMen
                               : w.str("E_B") == "B" ? WeightCategories::kWomen
                                                     : QString();
        // The weight is shown as it stands in the bout's category text, so
        // that saving the bout again keeps it in its category (a weight of
        // -57 is stored as 57 in the category row).
        const QString typed = category.left(category.indexOf(" KG "));
        if (category.contains(" KG ") &&
            WeightCategories::composeName(typed, "KG", gender, categoryName) == category)
            Edit9->setText(typed);
        else
            Edit9->setText(Formats::floatToStr(w.toDouble("Kilo")));
        if (!gender.isEmpty())
            ComboBox4->setCurrentIndex(ComboBox4->findText(gender));
    }
    if (!categoryName.isEmpty())
        Edit7->setText(categoryName);
}

void TKura_Kayit::loadKnownNames()
{
    ComboBox1->clear();
    ComboBox2->clear();
    QStringList names;
    QSet<QString> seen;
    auto take = [&](const QString& sql, const QString& column) {
        int taken = 0;
        for (const Record& r : db().select(sql)) {
            if (taken++ >= kMaxKnownNames)
                break;
            const QString name = r.str(column);
            if (name.isEmpty() || seen.contains(name))
                continue;
            seen.insert(name);
            names << name;
        }
    };
    take("select distinct(Ad1) as A1 from C_KURA", "A1");
    take("select distinct(Ad2) as A2 from C_KURA", "A2");
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = Turkish::compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    ComboBox1->addItems(names);
    ComboBox2->addItems(names);
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
}

void TKura_Kayit::FormClose()
{
    // The region and category lists are read anew at the next showing.
}

bool TKura_Kayit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label5) {
            DBLookupComboBox1Click();
            return true;
        }
        if (watched == Label8) {
            DBLookupComboBox2Click();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void TKura_Kayit::DBLookupComboBox1Click()
{
    Edit1->setText(DBLookupComboBox1->currentText());
    Edit1->setFocus();
}

void TKura_Kayit::DBLookupComboBox2Click()
{
    Edit2->setText(DBLookupComboBox2->currentText());
    Edit2->setFocus();
}

void TKura_Kayit::DBLookupComboBox5Click()
{
    Edit7->setText(DBLookupComboBox5->currentText());
    Edit7->setFocus();
}

void TKura_Kayit::ComboBox1Click()
{
    Edit3->setText(ComboBox1->currentText());
    Edit3->setFocus();
}

void TKura_Kayit::ComboBox2Click()
{
    Edit5->setText(ComboBox2->currentText());
    Edit5->setFocus();
}

void TKura_Kayit::ComboBox4Change()
{
    if (BoutTimes::maskedText(MaskEdit2) != "00:00")
        return;
    const QString gender = ComboBox4->currentText();
    if (gender == WeightCategories::kMen)
        MaskEdit2->setText(matchState().FMatchTimeMen.mid(3, 5));
    else if (gender == WeightCategories::kWomen)
        MaskEdit2->setText(matchState().FMatchTimeWomen.mid(3, 5));
}

void TKura_Kayit::MaskEdit2Change()
{
    if (FBoutKey == 0)
        MaskEdit4->setText(MaskEdit2->text());
}

bool TKura_Kayit::refuse(const QString& message, bool errorBox, QWidget* focus)
{
    if (errorBox)
        Messages::error(message);
    else
        Messages::info(message);
    if (focus && focus->isEnabled())
        focus->setFocus();
    return false;
}

void TKura_Kayit::BitBtn1Click()
{
    FSaved = 0;

    // Checks, in order; the first that fails ends the save with nothing written.
    const QString weightText = Edit9->text();
    double weight = 0.0;
    if (weightText.isEmpty()) {
        refuse("Kilo Girmediniz ...!", true, Edit9);
        return;
    }
    if (!TAgirlik::readsAsNumber(weightText, Formats::decimalSeparator(), &weight)) {
        refuse("Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)", true, Edit9);
        return;
    }
    const QString gender = ComboBox4->currentText();
    if (ComboBox4->currentIndex() < 0 || gender.isEmpty()) {
        refuse("Erkek/Bayan Seçimini Yapmadınız ...!", true, nullptr);
        return;
    }
    const QString categoryName = Edit7->text();
    if (categoryName.isEmpty()) {
        refuse("Kategori Seçmediniz ...!", true, Edit7);
        return;
    }
    if (categoryName.startsWith(' ')) {
        refuse("Hatalı Kategori ...!", false, Edit7);
        return;
    }
    struct Corner {
        QLineEdit* name;
        QLineEdit* region;
        QString word;
    };
    for (const Corner& c : {Corner{Edit3, Edit1, "Mavi"}, Corner{Edit5, Edit2, "Kırmızı"}}) {
        const QString name = c.name->text();
        if (name.isEmpty()) {
            refuse(c.word + " Köşe Sporcu Adı Soyadını Girmediniz ...!", true, c.name);
            return;
        }
        if (name.startsWith(' ')) {
            refuse(c.word + " Köşe Sporcu Adını Hatalı Girdiniz. Başta Boşluk var ...!", true, c.name);
            return;
        }
        if (name.endsWith(' ')) {
            refuse(c.word + " Köşe Sporcu Adını Hatalı Girdiniz. Sonda Boşluk var ...!", true, c.name);
            return;
        }
        if (c.region->text().isEmpty()) {
            refuse(c.word + " Köşe Bölgesini Seçmediniz ...!", true, c.region);
            return;
        }
    }
    // A count of rounds: one or two characters, not "0", an integer.
    auto countRefusal = [this](QLineEdit* edit, QLabel* label, int* value) {
        const QString text = BoutTimes::maskedText(edit);
        if (text.size() > 2)
            return refuse(kTooLarge, false, edit);
        if (text.trimmed() == "0")
            return refuse(label->text() + " Sıfır Girdiniz ...!", false, edit);
        if (!readInteger(text, value))
            return refuse(label->text() + " Hatalı Girdiniz ...!", false, edit);
        return true;
    };
    int rounds = 0;
    if (!countRefusal(MaskEdit1, Label11, &rounds))
        return;
    const QString duration = BoutTimes::maskedText(MaskEdit2);
    if (const QString r = BoutTimes::durationRefusal(duration); !r.isEmpty()) {
        refuse(r, false, MaskEdit2);
        return;
    }
    int currentRound = 0;
    if (!countRefusal(MaskEdit3, Label13, &currentRound))
        return;
    const QString remaining = BoutTimes::maskedText(MaskEdit4);
    if (const QString r = BoutTimes::durationRefusal(remaining); !r.isEmpty()) {
        refuse(r, false, MaskEdit4);
        return;
    }
    if (BoutTimes::secondsOf(remaining) > BoutTimes::secondsOf(duration)) {
        refuse(Label14->text() + " " + Label12->text() + "'den büyük. Lütfen değiştiriniz ...!", false, MaskEdit4);
        return;
    }
    if (currentRound > rounds) {
        refuse(Label13->text() + " " + Label11->text() + "'den büyük. Lütfen değiştiriniz ...!", false, MaskEdit3);
        return;
    }

    FSavedCategory = WeightCategories::composeName(weightText, "KG", gender, categoryName);

    // A category not yet defined gets its row, so that the match screen finds
    // the bout's category by its name.
    if (db().select("select * from C_BRANS where Durum = :d", {{"d", FSavedCategory}}).isEmpty()) {
        const double kilo = std::fabs(weight);
        db().insert("C_BRANS", {{"Durum_Key", Counters::next(db(), "Sayi")},
                                {"Durum", FSavedCategory},
                                {"Kilo", kilo},
                                {"AltKilo", kilo},
                                {"UstKilo", kilo},
                                {"E_B", gender == WeightCategories::kMen ? "E" : "B"}});
    }

    const QDate date = today();
    if (FBoutKey != 0) {
        db().update("C_KURA",
                    {{"Brans", FSavedCategory},
                     {"Cinsiyet", gender},
                     {"Ad1", Edit3->text()},
                     {"Bolge1", Edit1->text()},
                     {"Klup1", Edit4->text()},
                     {"Ad2", Edit5->text()},
                     {"Bolge2", Edit2->text()},
                     {"Klup2", Edit6->text()},
                     {"Tarih", date},
                     {"n_time", "00:" + remaining},
                     {"Raunt", currentRound},
                     {"d_time", "00:" + duration},
                     {"Raunt_Say", rounds}},
                    "Kura_Key = :w_k", {{"w_k", FBoutKey}});
        FSavedBoutKey = FBoutKey;
    } else {
        // Three values at once: the bout's key and the two athletes' numbers.
        const int key = Counters::next(db(), "sayi2", 3);
        MaskEdit4->setText(MaskEdit2->text());
        QVariantMap row{{"Kura_Key", key},
                        {"Brans", FSavedCategory},
                        {"Cinsiyet", gender},
                        {"Ad1", Edit3->text()},
                        {"Bolge1", Edit1->text()},
                        {"Klup1", Edit4->text()},
                        {"Tip1", "AD"},
                        {"Sira1", key + 1},
                        {"Ad2", Edit5->text()},
                        {"Bolge2", Edit2->text()},
                        {"Klup2", Edit6->text()},
                        {"Tip2", "AD"},
                        {"Sira2", key + 2},
                        {"Grup", "A"},
                        {"Tur", "Final"},
                        {"Sira", "1"},
                        {"Tarih", date},
                        {"Derece1", QVariant()},
                        {"Derece2", QVariant()},
                        {"Tur_Key1", QVariant()},
                        {"Tur_Key2", QVariant()},
                        {"n_time", "00:" + duration},
                        {"ex_time", matchState().FExtraTimeMen},
                        {"Raunt", 1},
                        {"d_time", "00:" + duration},
                        {"Raunt_Say", rounds}};
        for (const char* c : {"Salon", "Tar_Saat", "Hakem", "Skor", "Galip", "H1", "H2", "H3", "R1", "R2", "R3", "R4",
                              "Karar"})
            row.insert(c, QString());
        for (const char* c : {"Puan1", "Puan2", "Foul1", "Foul2", "H1K", "H2K", "H3K", "H1M", "H2M", "H3M", "C1K",
                              "C2K", "C3K", "C1M", "C2M", "C3M"})
            row.insert(c, 0);
        db().insert("C_KURA", row);
        FSavedBoutKey = key;
    }

    Messages::info("Sporcular Müsabakaya Kaydedildi ...!");
    FSaved = 1;
    accept();
}

void TKura_Kayit::BitBtn2Click()
{
    reject();
}
