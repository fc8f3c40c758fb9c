#include "app/dialogs/Agirlik.h"

#include "app/kit/Formats.h"
#include "app/kit/PlacedControls.h"
#include "platform/ui/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

TAgirlik::TAgirlik()
{
    using PlacedControls::make;
    setObjectName("Agirlik");
    setWindowTitle("Kilo Girişi");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Tartılan Kilo", this);
    Edit1 = make<QLineEdit>("Edit1", this);
    BitBtn1 = make<QPushButton>("BitBtn1", "Tamam", this);
    BitBtn1->setDefault(true);
    BitBtn2 = make<QPushButton>("BitBtn2", "İptal", this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(BitBtn1, 1, 1);
    grid->addWidget(BitBtn2, 1, 2);

    connect(BitBtn1, &QPushButton::clicked, this, &TAgirlik::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TAgirlik::BitBtn2Click);
    setFixedSize(280, sizeHint().height());
}

bool TAgirlik::readsAsNumber(const QString& text, QChar decimalSeparator, double* value)
{
    const QString sep = QRegularExpression::escape(QString(decimalSeparator));
    const QRegularExpression re("^\\s*([+-]?(?:\\d+(?:" + sep + "\\d*)?|" + sep + "\\d+)(?:[eE][+-]?\\d+)?)\\s*$");
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return false;
    QString number = m.captured(1);
    number.replace(decimalSeparator, QChar('.'));
    bool ok = false;
    const double v = number.toDouble(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

void TAgirlik::FormActivate()
{
    FConfirmed = 0;
    Edit1->clear();
    Edit1->setFocus();
}

void TAgirlik::BitBtn1Click()
{
    if (!readsAsNumber(Edit1->text(), Formats::decimalSeparator())) {
        Messages::error("Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)");
        Edit1->setFocus();
        return;
    }
    FConfirmed = 1;
    accept();
}

void TAgirlik::BitBtn2Click()
{
    FConfirmed = 0;
    reject();
}
