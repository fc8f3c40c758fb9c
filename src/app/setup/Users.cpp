#include "app/setup/Users.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kPasswordRule = "Şifreyi 8 Karakteri Geçmeyecek Şekilde Rakam Olarak Giriniz...!";
const char* const kBadEntry = "Hatalı Giriş ...!";

bool digitsOnly(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QChar('0') || c > QChar('9'))
            return false;
    return true;
}

// Clears a flag when the scope ends, also by an error.
struct ResetOnExit {
    int& flag;
    ~ResetOnExit() { flag = 0; }
};

} // namespace

TUsers::TUsers()
{
    using PlacedControls::make;
    setObjectName("Users");
    setWindowTitle("Kullanıcılar");
    // No title-bar buttons: the screen closes through "Çıkış".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    Label1 = make<QLabel>("Label1", "Kullanıcı Adı", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    Edit1->setMaxLength(50);
    Label2 = make<QLabel>("Label2", "Şifre", this);
    Edit2 = make<QLineEdit>("Edit2", this);
    CheckBox1 = make<QCheckBox>("CheckBox1", "Sadece Müsabaka Yetkisi Var", this);
    DBEdit1 = make<QLineEdit>("DBEdit1", this);
    DBEdit1->setVisible(false);

    BitBtn1 = make<QPushButton>("BitBtn1", "Kaydet", this);
    BitBtn2 = make<QPushButton>("BitBtn2", "Sil", this);
    BitBtn2->setEnabled(false);
    BitBtn3 = make<QPushButton>("BitBtn3", "Çıkış", this);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3})
        b->setAutoDefault(false);

    DBGrid1 = make<TDBGrid>("DBGrid1", this);
    GridColumn tip("Tip", "Kullanıcı Türü", 130);
    tip.readOnly = true;
    GridColumn rights("R/F", "Müsabaka", 60);
    rights.visible = false;
    rights.readOnly = true;
    DBGrid1->setColumns({tip, {"Ad", "Kullanıcı Adı", 190}, {"Sifre", "Şifre", 90}, rights});
    DBGrid1->setReadOnly(false);
    DBGrid1->setTurkishUpper();
    // Users are added through "Kaydet" only.
    DBGrid1->setNewRowHandler([this](Record&) { return FInserting != 0; });
    DBGrid1->setPostCheck(&TUsers::checkRow);
    DBGrid1->setWriter([this](const Record& row, bool isNew) {
        if (isNew)
            return;
        db().update("C_SIFRE", {{"Ad", row.value("Ad")}, {"Sifre", row.value("Sifre")}, {"R/F", row.value("R/F")}},
                    "Key_No = :k", {{"k", row.value("Key_No")}});
    });

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Edit2, 1, 1);
    fields->addWidget(CheckBox1, 2, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(DBGrid1, 1);
    resize(460, 420);

    TurkishEntry::textField(Edit1, Edit2);
    TurkishEntry::enterOnly(Edit2, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &TUsers::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TUsers::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TUsers::BitBtn3Click);
}

Database& TUsers::db() const
{
    return session().db;
}

bool TUsers::isWholeNumber(const QString& text)
{
    return text.size() <= 8 && digitsOnly(text);
}

bool TUsers::checkRow(Record& row)
{
    if (row.toInt("Key_No") == 1)
        TDBGrid::setValue(row, "R/F", "YOK");
    const QString name = row.str("Ad");
    if (name.isEmpty() || row.str("Sifre").isEmpty() || name.startsWith(' ')) {
        Messages::error(kBadEntry);
        return false;
    }
    const QString rights = row.str("R/F").toUpper();
    if (rights != "VAR" && rights != "YOK") {
        Messages::error(kBadEntry);
        return false;
    }
    if (!isWholeNumber(row.str("Sifre"))) {
        Messages::error(kPasswordRule);
        return false;
    }
    TDBGrid::setValue(row, "R/F", rights);
    return true;
}

void TUsers::openTable()
{
    DBGrid1->setRecords(db().select("select * from C_SIFRE order by Key_No"));
}

void TUsers::FormActivate()
{
    FInserting = 0;
    const std::optional<Record> counters = db().first("select OzelKod from C_SAYI");
    m_specialCodeRead = counters ? counters->str("OzelKod") : QString();
    DBEdit1->setText(m_specialCodeRead);
    openTable();
    if (!DBGrid1->isEmpty() && !DBGrid1->record(0).isNull("Key_No"))
        BitBtn2->setEnabled(true);
    Edit1->setFocus();
}

void TUsers::BitBtn1Click()
{
    // The special code: digits only, or nothing. A code that is not a number
    // (written by another program) is reported instead of being stored back.
    const QString code = DBEdit1->text();
    if (!code.isEmpty() && !digitsOnly(code)) {
        Messages::error("Sistemde Kayıtlı Özel Kod Rakamlardan Oluşmalıdır. Kayıt Yapılamadı ...!");
        return;
    }
    // Written only when it changed here, so that a code another station
    // stored meanwhile is not overwritten by the one read at activation.
    if (code.toUpper() != m_specialCodeRead) {
        db().update("C_SAYI", {{"OzelKod", code.toUpper()}}, QString());
        m_specialCodeRead = code.toUpper();
    }

    const QString name = Edit1->text();
    const QString password = Edit2->text();
    if (name.isEmpty() && password.isEmpty() && DBGrid1->currentRow() >= 0) {
        // Saves what was typed into the grid, through the row checks.
        DBGrid1->editRow();
        DBGrid1->post();
        return;
    }
    if (name.isEmpty()) {
        Messages::error("Lütfen Kullanıcı Adı Giriniz ...!");
        return;
    }
    if (name.startsWith(' ')) {
        Messages::error("Hatalı Kullanıcı Adı Girdiniz ...!");
        return;
    }
    if (password.isEmpty()) {
        Messages::error("Lütfen Şifre Giriniz ...!");
        return;
    }
    if (!isWholeNumber(password)) {
        Messages::error(kPasswordRule);
        return;
    }
    // A change typed into the grid is stored before the new row, not lost.
    if (!DBGrid1->post())
        return;

    FInserting = 1;
    ResetOnExit reset{FInserting};
    Record row({"Key_No", "Tip", "Ad", "Sifre", "R/F"}, {QVariant(), "User", name, password,
                                                        CheckBox1->isChecked() ? "VAR" : "YOK"});
    if (!checkRow(row))
        return;
    TDBGrid::setValue(row, "Key_No", Counters::next(db(), "Sayi"));
    db().insert("C_SIFRE", row.toMap());

    Edit1->clear();
    Edit2->clear();
    openTable();
    if (!DBGrid1->isEmpty())
        BitBtn2->setEnabled(true);
    Edit1->setFocus();
}

void TUsers::BitBtn2Click()
{
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty())
        return;
    if (row.toInt("Key_No") == 1) {
        Messages::error("Bu Kullanıcıyı Silemezsiniz ...!");
        return;
    }
    Form5->Label1->setText(row.str("Ad").left(20) + " Silinecektir. Emin misiniz ...?");
    Form5->showModal();
    if (Form5->FConfirmed != 1)
        return;
    db().exec("delete from C_SIFRE where Key_No = :k", {{"k", row.value("Key_No")}});
    openTable();
    if (DBGrid1->isEmpty())
        BitBtn2->setEnabled(false);
}

void TUsers::BitBtn3Click()
{
    close();
}

bool TUsers::FormCloseQuery()
{
    // A change typed into the grid is stored before the screen closes; when
    // its check refuses it, the screen stays open to correct or cancel it.
    return DBGrid1->post();
}

void TUsers::FormClose()
{
    DBGrid1->setRecords({});
}
