#include "app/dialogs/Form5.h"

#include "app/kit/PlacedControls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {
const int kLabelLeft = 64;
const int kMinWidth = 330;
const int kButtonTop = 76;
}

TForm5::TForm5()
{
    using PlacedControls::make;
    setObjectName("Form5");
    setWindowTitle("Uyarı");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    // Fixed positions: callers move Label1 by a few pixels for two lines.
    Image1 = make<QLabel>("Image1", this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    Image1->setGeometry(16, 20, 32, 32);

    Label1 = make<QLabel>("Label1", "XXX", this);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->move(kLabelLeft, 28);
    Label1->adjustSize();

    BitBtn1 = make<QPushButton>("BitBtn1", "Evet", this);
    BitBtn1->setDefault(true);
    BitBtn2 = make<QPushButton>("BitBtn2", "Hayır", this);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm5::BitBtn2Click);
    // Space on a button presses it, except in a question asked with "Hayır"
    // as its default.
    BitBtn1->installEventFilter(this);
    BitBtn2->installEventFilter(this);
    setFixedSize(kMinWidth, kButtonTop + 40);
}

void TForm5::setDefaultButton(DefaultButton defaultButton)
{
    m_default = defaultButton;
    BitBtn1->setDefault(defaultButton == DefaultYes);
    BitBtn2->setDefault(defaultButton == DefaultNo);
}

bool TForm5::eventFilter(QObject* watched, QEvent* event)
{
    if (m_default == DefaultNo && (watched == BitBtn1 || watched == BitBtn2) &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
        return true;
    return Form::eventFilter(watched, event);
}

void TForm5::FormShow()
{
    // The window grows with a long question so that nothing is cut off.
    Label1->adjustSize();
    const int width = qMax(kMinWidth, Label1->x() + Label1->width() + 24);
    setFixedSize(width, kButtonTop + 40);
    const int buttonWidth = 88;
    const int left = (width - 2 * buttonWidth - 12) / 2;
    BitBtn1->setGeometry(left, kButtonTop, buttonWidth, 28);
    BitBtn2->setGeometry(left + buttonWidth + 12, kButtonTop, buttonWidth, 28);
    // The default button has the focus, so that Enter answers it.
    (m_default == DefaultNo ? BitBtn2 : BitBtn1)->setFocus();
}

bool TForm5::confirm(const QString& question, bool twoLines, DefaultButton defaultButton)
{
    Label1->setText(question);
    const int shift = twoLines ? 8 : 0;
    Label1->move(Label1->x(), Label1->y() - shift);
    setDefaultButton(defaultButton);
    showModal();
    setDefaultButton(DefaultYes);
    Label1->move(Label1->x(), Label1->y() + shift);
    return FConfirmed == 1;
}

void TForm5::FormActivate()
{
    FConfirmed = 0;
}

void TForm5::BitBtn1Click()
{
    FConfirmed = 1;
    accept();
}

void TForm5::BitBtn2Click()
{
    FConfirmed = 0;
    reject();
}
