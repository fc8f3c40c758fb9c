#include "app/setup/Isyeri.h"

#include "app/dialogs/ReferenceScreens.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "platform/db/Database.h"
#include "platform/ui/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextEdit>

TIsyeri::TIsyeri()
{
    using PlacedControls::make;
    setObjectName("Isyeri");
    setWindowTitle("Federasyon Adresi");

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Federasyon Adı", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    Edit1->setMaxLength(kNameLength);
    Label2 = make<QLabel>("Label2", "Spor Dalı", this);
    Edit2 = make<QLineEdit>("Edit2", this);
    Edit2->setMaxLength(kSportLength);
    Label3 = make<QLabel>("Label3", "Federasyon Adresi", this);
    RichEdit1 = make<QTextEdit>("RichEdit1", this);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setTabChangesFocus(true);
    BitBtn1 = make<QPushButton>("BitBtn1", "Kaydet", this);
    BitBtn1->setAutoDefault(false);
    BitBtn3 = make<QPushButton>("BitBtn3", "Kapat", this);
    BitBtn3->setAutoDefault(false);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1, 1, 2);
    grid->addWidget(Label3, 2, 0, Qt::AlignTop);
    grid->addWidget(RichEdit1, 2, 1, 1, 2);
    grid->addWidget(BitBtn1, 3, 1);
    grid->addWidget(BitBtn3, 3, 2);
    resize(520, 260);

    TurkishEntry::textField(Edit1, Edit2);
    TurkishEntry::textField(Edit2, RichEdit1);

    connect(BitBtn1, &QPushButton::clicked, this, &TIsyeri::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TIsyeri::BitBtn3Click);
    connect(RichEdit1, &QTextEdit::textChanged, this, &TIsyeri::RichEdit1Change);
}

void TIsyeri::FormActivate()
{
    Edit1->setFocus();
    const std::optional<Record> row = ReferenceScreens::db().first("select * from C_YAZILAR");
    Edit1->setText(row ? row->str("FirmaAdi") : QString());
    Edit2->setText(row ? row->str("Ihbar") : QString());
    // Each line of the stored address is a line of the field; one empty
    // last line (an address that ends with a line break) is not shown.
    static const QRegularExpression lineBreak("\r\n|\r|\n");
    QStringList lines = (row ? row->str("Adres") : QString()).split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    RichEdit1->setPlainText(lines.join('\n'));
}

QString TIsyeri::addressText() const
{
    return RichEdit1->toPlainText();
}

void TIsyeri::RichEdit1Change()
{
    // The address holds at most kAddressLength characters: what was typed
    // beyond that is taken back.
    const int excess = RichEdit1->toPlainText().size() - kAddressLength;
    if (excess <= 0)
        return;
    QTextCursor c = RichEdit1->textCursor();
    const int end = c.position();
    c.setPosition(qMax(0, end - excess));
    c.setPosition(end, QTextCursor::KeepAnchor);
    if (!c.hasSelection()) {
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, excess);
    }
    c.removeSelectedText();
    RichEdit1->setTextCursor(c);
}

void TIsyeri::BitBtn1Click()
{
    Database& db = ReferenceScreens::db();
    const QVariantMap fields{{"FirmaAdi", Edit1->text()}, {"Ihbar", Edit2->text()}, {"Adres", addressText()}};
    if (db.first("select * from C_YAZILAR"))
        db.update("C_YAZILAR", fields, "rowid = (select min(rowid) from C_YAZILAR)");
    else
        db.insert("C_YAZILAR", fields);
    session().edition.SportName = Edit2->text();
    Messages::info("Kayıt Yapıldı ...!");
}

void TIsyeri::BitBtn3Click()
{
    close();
}
