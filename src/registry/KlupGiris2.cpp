#include "registry/KlupGiris2.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The club code's substitution table: forty keys (blank, digits, the
// capitals but Q, W and X, the Turkish capitals), one substitute each.
const QString kCodeKeys = QString::fromUtf8(" 0123456789ABCDEFGHIJKLMNOPRSTUVYZÇĞİÖŞÜ");
const QString kCodeSubstitutes = QStringLiteral("7XK3Q9M1W5Z8B0J4V2H6R#TL$NFPSADGCYUE%OI@");
const QChar kDefaultSubstitute('*');

} // namespace

TKlupGiris2::TKlupGiris2()
{
    setObjectName("KlupGiris2");
    setWindowTitle("Kulüp Giriş Ekranı");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* g = new QGridLayout(this);
    Edit26 = addEdit("Edit26", 40);
    Label1 = new QLabel("Yetkili Kişi", this);
    Label1->setObjectName("Label1");
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(blue);
    Label1->setCursor(Qt::PointingHandCursor);
    Edit1 = addEdit("Edit1", 40);
    Edit2 = addEdit("Edit2", 40);
    Edit5 = addEdit("Edit5", 50);
    Edit9 = addEdit("Edit9", 50);
    Edit46 = addEdit("Edit46", 30);
    Edit4 = addEdit("Edit4", 50);
    Edit4->setReadOnly(true);
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName("DBLookupComboBox2");
    DBLookupComboBox2->setFixedWidth(20);
    DBLookupComboBox2->setMaxVisibleItems(14);
    DBLookupComboBox2->setFocusPolicy(Qt::NoFocus);
    Label15 = new QLabel(this);
    Label15->setObjectName("Label15");
    Label15->setVisible(false);
    Edit7 = addEdit("Edit7", 40);
    Edit6 = addEdit("Edit6", 40);
    Edit8 = addEdit("Edit8", 40);
    Edit11 = addEdit("Edit11", 20);
    Edit13 = addEdit("Edit13", 20);
    Edit12 = addEdit("Edit12", 20);
    Edit3 = addEdit("Edit3", 50);
    Edit3->setVisible(false);
    Edit15 = addEdit("Edit15", 10);
    Edit15->setVisible(false);
    RadioButton1 = new QRadioButton("Kulüp", this);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2 = new QRadioButton("Salon/Kişisel", this);
    RadioButton2->setObjectName("RadioButton2");
    CheckBox1 = new QCheckBox("Faal Değil", this);
    CheckBox1->setObjectName("CheckBox1");
    BitBtn1 = new QPushButton("Kaydet", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = new QPushButton("Kapat", this);
    BitBtn2->setObjectName("BitBtn2");
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    int r = 0;
    auto kinds = new QWidget(this);
    auto* kh = new QHBoxLayout(kinds);
    kh->setContentsMargins(0, 0, 0, 0);
    kh->addWidget(RadioButton1);
    kh->addWidget(RadioButton2);
    kh->addStretch(1);
    kh->addWidget(CheckBox1);
    g->addWidget(kinds, r++, 1);
    g->addWidget(new QLabel("Kulüp/Salon Adı", this), r, 0);
    g->addWidget(Edit26, r++, 1);
    g->addWidget(Label1, r, 0);
    g->addWidget(Edit1, r++, 1);
    g->addWidget(new QLabel("İş Telefonu", this), r, 0);
    g->addWidget(Edit2, r++, 1);
    g->addWidget(new QLabel("Cep Telefonu", this), r, 0);
    g->addWidget(Edit5, r++, 1);
    g->addWidget(new QLabel("Ev Telefonu", this), r, 0);
    g->addWidget(Edit9, r++, 1);
    g->addWidget(new QLabel("Fax Numarası", this), r, 0);
    g->addWidget(Edit46, r++, 1);
    auto* region = new QWidget(this);
    auto* rh = new QHBoxLayout(region);
    rh->setContentsMargins(0, 0, 0, 0);
    rh->setSpacing(2);
    rh->addWidget(Edit4, 1);
    rh->addWidget(DBLookupComboBox2);
    rh->addWidget(Label15);
    g->addWidget(new QLabel("Bölge", this), r, 0);
    g->addWidget(region, r++, 1);
    g->addWidget(new QLabel("Adres (1.Satır)", this), r, 0);
    g->addWidget(Edit7, r++, 1);
    g->addWidget(new QLabel("Adres (2.Satır)", this), r, 0);
    g->addWidget(Edit6, r++, 1);
    g->addWidget(new QLabel("Adres (3.Satır)", this), r, 0);
    g->addWidget(Edit8, r++, 1);
    g->addWidget(new QLabel("İlçe", this), r, 0);
    g->addWidget(Edit11, r++, 1);
    g->addWidget(new QLabel("Posta Kodu", this), r, 0);
    g->addWidget(Edit13, r++, 1);
    g->addWidget(new QLabel("İl", this), r, 0);
    g->addWidget(Edit12, r++, 1);
    auto* buttons = new QWidget(this);
    auto* bh = new QHBoxLayout(buttons);
    bh->setContentsMargins(0, 0, 0, 0);
    bh->addStretch(1);
    bh->addWidget(BitBtn1);
    bh->addWidget(BitBtn2);
    g->addWidget(buttons, r++, 0, 1, 2);
    setMinimumWidth(480);

    // Enter moves through the fields down to "Kaydet".
    TurkishEntry::textField(Edit26, Edit1);
    TurkishEntry::textField(Edit1, Edit2);
    TurkishEntry::textField(Edit2, Edit5);
    TurkishEntry::textField(Edit5, Edit9);
    TurkishEntry::textField(Edit9, Edit46);
    TurkishEntry::textField(Edit46, Edit4);
    TurkishEntry::enterOnly(Edit4, Edit7);
    TurkishEntry::textField(Edit7, Edit6);
    TurkishEntry::textField(Edit6, Edit8);
    TurkishEntry::textField(Edit8, Edit11);
    TurkishEntry::textField(Edit11, Edit13);
    TurkishEntry::textField(Edit13, Edit12);
    TurkishEntry::textField(Edit12, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &TKlupGiris2::Button1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TKlupGiris2::BitBtn2Click);
    connect(DBLookupComboBox2, &QComboBox::activated, this, &TKlupGiris2::DBLookupComboBox2Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TKlupGiris2::CheckBox1Click);
    connect(Edit26, &QLineEdit::textChanged, this, &TKlupGiris2::Edit26Change);
    PlacedControls::onClick(Label1, [this] { Label1Click(); });
    FPrefilled = 0;
}

QLineEdit* TKlupGiris2::addEdit(const QString& name, int maxLength)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

Database& TKlupGiris2::db() const
{
    return session().db;
}

// --- Club codes --------------------------------------------------------------

QString TKlupGiris2::KodCoz(const QString& input)
{
    QString result;
    for (const QChar c : input) {
        if (c.isNull())
            break;
        const int i = kCodeKeys.indexOf(c);
        result.prepend(i >= 0 ? kCodeSubstitutes[i] : kDefaultSubstitute);
    }
    return result;
}

namespace {
// The character after the first blank of a name, when that blank is not
// its last character.
QString afterFirstBlank(const QString& name)
{
    const int blank = name.indexOf(' ');
    if (blank >= 0 && blank < name.size() - 1)
        return QString(name[blank + 1]);
    return QString();
}
} // namespace

QString TKlupGiris2::nameCode(const QString& name)
{
    const int n = name.size();
    if (n < 2)
        return KodCoz(name);
    const QString input = QString(name[0]) + name[n - 2] + name[1] + name[n - 1] + afterFirstBlank(name);
    return KodCoz(input);
}

QString TKlupGiris2::clubCodeInput(const QString& name, const QString& regionCode)
{
    const int n = name.size();
    // A one-character region code has no second character: the input ends
    // there.
    const QChar r1 = regionCode.isEmpty() ? QChar(0) : regionCode[0];
    const QChar r2 = regionCode.size() < 2 ? QChar(0) : regionCode[1];
    return QString(name[0]) + name[n - 2] + r2 + name[1] + r1 + name[n - 1] + afterFirstBlank(name);
}

// --- Opening ------------------------------------------------------------------

void TKlupGiris2::clearKinds()
{
    for (QRadioButton* b : {RadioButton1, RadioButton2}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

void TKlupGiris2::FormShow()
{
    Label15->clear();
    Label15->setVisible(false);
    FInstallMode.clear();
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (reg.openKeyReadOnly(installKey())) {
        FInstallMode = reg.readString("VALUE");
        reg.closeKey();
    }
    if (FInstallMode == "0")
        Label15->setVisible(true);

    DBLookupComboBox2->clear();
    for (const Record& r : db().select("select Durum from C_UYELIKTURU order by Durum"))
        DBLookupComboBox2->addItem(r.str("Durum"));
    DBLookupComboBox2->setCurrentIndex(-1);

    const QList<QLineEdit*> fields = {Edit26, Edit1, Edit2, Edit5, Edit9,  Edit46, Edit4, Edit7,
                                      Edit6,  Edit8, Edit11, Edit13, Edit12, Edit3,  Edit15};
    if (FClubKey != 0) {
        Edit26->setReadOnly(true);
        QPalette p = Edit26->palette();
        p.setColor(QPalette::Text, QColor(0, 0, 128));
        Edit26->setPalette(p);
        const auto row = db().first("select * from C_UYELIKSURESI where Durum_key = :k", {{"k", FClubKey}});
        const Record r = row ? *row : Record();
        Edit26->setText(r.str("Durum"));
        Edit1->setText(r.str("Ad_Soyad"));
        Edit2->setText(r.str("Telefonlar"));
        Edit5->setText(r.str("E3"));
        Edit9->setText(r.str("E4"));
        Edit46->setText(r.str("Fax"));
        Edit4->setText(r.str("E1"));
        Edit7->setText(r.str("Cadde"));
        Edit6->setText(r.str("Sokak"));
        Edit8->setText(r.str("No1"));
        Edit11->setText(r.str("Ilce"));
        Edit13->setText(r.str("PostaKodu"));
        Edit12->setText(r.str("Il"));
        Edit3->setText(r.str("E2"));
        Edit15->setText(r.str("Sira"));
        clearKinds();
        if (r.str("Salon") == "1")
            RadioButton2->setChecked(true);
        else
            RadioButton1->setChecked(true);
        CheckBox1->setChecked(r.str("Faal") == "0");
    } else {
        for (QLineEdit* e : fields) {
            if (FPrefilled == 1 && (e == Edit26 || e == Edit4))
                continue;
            e->clear();
        }
        clearKinds();
        CheckBox1->setChecked(false);
        Edit26->setReadOnly(false);
        QPalette p = Edit26->palette();
        p.setColor(QPalette::Text, Qt::black);
        Edit26->setPalette(p);
    }
    CheckBox1Click();
    Edit26->setFocus();
}

void TKlupGiris2::FormClose()
{
    DBLookupComboBox2->clear();
    FPrefilled = 0;
}

void TKlupGiris2::BitBtn2Click()
{
    close();
}

void TKlupGiris2::CheckBox1Click()
{
    QPalette p = CheckBox1->palette();
    p.setColor(QPalette::WindowText, CheckBox1->isChecked() ? QColor(Qt::red) : QColor(Qt::black));
    CheckBox1->setPalette(p);
}

void TKlupGiris2::Label1Click()
{
    if (FShowPersonSearch)
        FShowPersonSearch();
}

void TKlupGiris2::Edit26Change()
{
    Label15->clear();
}

void TKlupGiris2::DBLookupComboBox2Click()
{
    const int i = DBLookupComboBox2->currentIndex();
    if (i < 0)
        return;
    Edit4->setText(DBLookupComboBox2->itemText(i));
    Edit4->setFocus();
    if (FInstallMode != "0")
        return;

    const QString name = Edit26->text();
    if (name.isEmpty() || Edit4->text().isEmpty()) {
        Label15->clear();
        Messages::info("Kulüp Adı ve Bölge Boş Olmamalıdır...!");
        return;
    }
    QString code;
    for (const Record& r : db().select("select Durum, Tip1 from C_UYELIKTURU order by Durum"))
        if (r.str("Durum") == Edit4->text()) {
            code = r.str("Tip1");
            break;
        }
    if (code.isEmpty() || code.size() >= 3) {
        Label15->clear();
        Messages::info("Bu Bölge için KOD verilememektedir...!");
        return;
    }
    if (name.size() <= 4) {
        Label15->clear();
        Messages::info("Kulüp adı çok kısa, Lütfen Düzeltiniz...!");
        return;
    }
    Label15->setText("Kod : " + KodCoz(clubCodeInput(name, code)));
}

// --- Saving -------------------------------------------------------------------

bool TKlupGiris2::askRaised(const QString& text)
{
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() - 8);
    Form5->Label1->setText(text);
    Form5->showModal();
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() + 8);
    return Form5->FConfirmed == 1;
}

void TKlupGiris2::Button1Click()
{
    const QString name = Edit26->text();
    const QString region = Edit4->text();
    if (!RadioButton1->isChecked() && !RadioButton2->isChecked()) {
        Messages::error("Lütfen Kulüp veya Salon/Kişisel'den birini seçiniz ...!");
        return;
    }
    if (name.isEmpty()) {
        Messages::error("Kulüp Adını Girmediniz ...!");
        Edit26->setFocus();
        return;
    }
    if (name.startsWith(' ')) {
        Messages::info("Kulüp Adını Hatalı Girdiniz ...");
        Edit26->setFocus();
        return;
    }
    if (name.size() < 5) {
        Messages::info("Kulüp adı çok kısa, Lütfen Düzeltiniz...!");
        Edit26->setFocus();
        return;
    }
    if (name.contains('/') || name.contains('\\')) {
        Messages::error("Lütfen Kulüp Adı İçinde \\ ve / Karakterleri Kullanmayınız ...!");
        Edit26->setFocus();
        return;
    }
    if (region.isEmpty()) {
        Messages::error("Bölgesini Seçmediniz ...!");
        Edit4->setFocus();
        return;
    }
    // The first region, in name order, that begins with the text must be
    // the text itself.
    bool known = false;
    for (const Record& r : db().select("select Durum from C_UYELIKTURU order by Durum")) {
        if (r.str("Durum").startsWith(region)) {
            known = r.str("Durum") == region;
            break;
        }
    }
    if (!known) {
        Messages::error("Bölgesini Hatalı. Lütfen Bölge Seçiniz ...!");
        Edit4->setFocus();
        return;
    }

    // Another club of that name is refused; another club with the same
    // contact person in the same region only asks.
    for (const Record& r : db().select("select Durum_Key, Durum, Ad_Soyad, E1 from C_UYELIKSURESI")) {
        if (r.toInt("Durum_Key") == FClubKey)
            continue;
        if (!r.str("Durum").isEmpty() && r.str("Durum") == name) {
            Messages::info(r.str("Durum").left(35) + " Kayıtlı Bulunmaktadır ...!");
            return;
        }
        if (!r.str("Ad_Soyad").isEmpty() && r.str("Ad_Soyad") == Edit1->text() && r.str("E1") == region) {
            if (!askRaised(r.str("Ad_Soyad").left(35) + " Kayıtlı Bulunmaktadır.\nDevam Etmek İstiyormusunuz ...?"))
                return;
            break;
        }
    }

    Edit3->setText(nameCode(name));

    QString closing;
    bool rename = false;
    QString oldName;
    if (FClubKey != 0) {
        oldName = db().scalar("select Durum from C_UYELIKSURESI where Durum_Key = :k", {{"k", FClubKey}}).toString();
        if (name != oldName) {
            rename = askRaised("Sicil ve Lisans kayıtlarındaki " + oldName + " adları\n" + name +
                               " olarak değiştirilsinmi...?");
            closing = rename ? "\nSicil kayıtlarındaki Kulüp adları değiştirildi ...!"
                             : "\nSicil kayıtlarındaki Kulüp adları değiştirilmedi.";
        }
    }

    QVariantMap row{{"Durum", name},
                    {"Ad_Soyad", Edit1->text()},
                    {"Telefonlar", Edit2->text()},
                    {"E3", Edit5->text()},
                    {"E4", Edit9->text()},
                    {"Fax", Edit46->text()},
                    {"E1", region},
                    {"Cadde", Edit7->text()},
                    {"Sokak", Edit6->text()},
                    {"No1", Edit8->text()},
                    {"Ilce", Edit11->text()},
                    {"PostaKodu", Edit13->text()},
                    {"Il", Edit12->text()},
                    {"E2", Edit3->text()},
                    {"Salon", RadioButton2->isChecked() ? QVariant(1) : QVariant(QMetaType(QMetaType::Int))},
                    {"Faal", CheckBox1->isChecked() ? QVariant("0") : QVariant(QString())}};
    bool sortOk = false;
    const int sort = Edit15->text().toInt(&sortOk);
    row.insert("Sira", sortOk ? QVariant(sort) : QVariant(QMetaType(QMetaType::Int)));

    Database& d = db();
    // The club and the persons that carry its name change together.
    Transaction tx(d);
    int key = FClubKey;
    if (key != 0) {
        d.update("C_UYELIKSURESI", row, "Durum_Key = :w_k", {{"w_k", key}});
    } else {
        key = Counters::next(d, "sayik");
        row.insert("Durum_Key", key);
        d.insert("C_UYELIKSURESI", row);
    }
    if (rename) {
        const QDate today = FNow().date();
        d.exec("Update C_MUSTERI SET E16 = :n, User = :u, M1 = :t where Vergi_Dairesi = :r and E16 = :o",
               {{"n", name},
                {"u", session().user.FUserName + ", " + Formats::dateToStr(today)},
                {"t", today},
                {"r", region},
                {"o", oldName}});
    }
    tx.commit();
    FClubKey = key;
    Messages::info("Bilgiler Kaydedildi ...!" + closing);
}
