#include "scoring/Test.h"

#include "app/comport/SerialPort.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"
#include "scoring/KuraList.h"
#include "scoring/LiveScoring.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

const QString kPortError = QStringLiteral("Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu "
                                          "Seçili.\nLütfen 'İletişim Portu Seçme' Ekranından Düzeltiniz ...!");
const QString kDeviceGone =
    QStringLiteral("Skor kontrol cihazının bağlantısı kesildi. Cihazı takıp ekranı yeniden açınız ...!");
const QString kSerialComm = QStringLiteral("\\HARDWARE\\DEVICEMAP\\SERIALCOMM");
const QString kDeviceValue = QStringLiteral("\\Device\\VCP0");
const QString kPortKey = QStringLiteral("\\Software\\Classes\\.comport\\Shellex\\PropertySheet");

const QColor kPanel(48, 50, 54);
const QColor kBlueButton(30, 70, 190);
const QColor kRedButton(200, 35, 35);
const QColor kGreyButton(95, 98, 104);

// What each counted button is on the device.
struct ButtonFace {
    int code;
    const char* caption;
    QColor colour;
};

const QList<ButtonFace>& faces()
{
    static const QList<ButtonFace> list{
        {16, "Mavi +1", kBlueButton},       {24, "Mavi +2", kBlueButton},      {25, "Mavi +3", kBlueButton},
        {26, "Kırmızı +1", kRedButton},     {27, "Kırmızı +2", kRedButton},    {28, "Kırmızı +3", kRedButton},
        {17, "Mavi Minus", kBlueButton},    {20, "Maç Bitir (Semi)", kGreyButton},
        {21, "İlave Round", kGreyButton},   {19, "Maç Bitir", kGreyButton},    {29, "Kırmızı Minus", kRedButton},
        {18, "Mavi Foul", kBlueButton},     {1, "Hakem 1 Mavi", kBlueButton},  {4, "Hakem 1 Kırmızı", kRedButton},
        {23, "Kırmızı Foul", kRedButton},   {2, "Hakem 2 Mavi", kBlueButton},  {5, "Hakem 2 Kırmızı", kRedButton},
        {15, "Mavi Exit", kBlueButton},     {14, "Başlat / Durdur", kGreyButton},
        {22, "Kırmızı Exit", kRedButton},   {3, "Hakem 3 Mavi", kBlueButton},  {6, "Hakem 3 Kırmızı", kRedButton},
    };
    return list;
}

// A judge's link picture: a green ring with a tick, or a red ring with a
// cross.
QPixmap linkPicture(bool linked)
{
    QPixmap p(35, 35);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor c = linked ? QColor(40, 170, 60) : QColor(220, 30, 30);
    g.setPen(QPen(Qt::white, 2));
    g.setBrush(c);
    g.drawEllipse(QRectF(2, 2, 31, 31));
    g.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (linked) {
        QPainterPath tick;
        tick.moveTo(10, 18);
        tick.lineTo(15, 24);
        tick.lineTo(25, 11);
        g.setBrush(Qt::NoBrush);
        g.drawPath(tick);
    } else {
        g.drawLine(QPointF(11, 11), QPointF(24, 24));
        g.drawLine(QPointF(24, 11), QPointF(11, 24));
    }
    return p;
}

bool isJudgeCode(int code)
{
    return code >= 1 && code <= 6;
}

} // namespace

const QList<TTest::CounterPlace>& TTest::counterPlaces()
{
    static const QList<CounterPlace> places{
        {16, "Label1", 64, 72},    {24, "Label2", 208, 72},   {25, "Label3", 352, 72},   {26, "Label4", 568, 72},
        {27, "Label5", 712, 72},   {28, "Label6", 856, 72},   {17, "Label7", 64, 280},   {20, "Label13", 316, 280},
        {21, "Label14", 460, 280}, {19, "Label15", 604, 280}, {29, "Label10", 856, 280}, {18, "Label8", 64, 416},
        {1, "Label17", 251, 413},  {4, "Label20", 669, 413},  {23, "Label11", 856, 416}, {2, "Label18", 251, 501},
        {5, "Label21", 669, 501},  {15, "Label9", 64, 552},   {14, "Label16", 460, 552}, {22, "Label12", 856, 552},
        {3, "Label19", 251, 592},  {6, "Label22", 669, 592},
    };
    return places;
}

QPixmap TTest::devicePanel()
{
    QPixmap p(1024, 727);
    p.fill(kPanel);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    // The two halves of the device: blue corner left, red corner right.
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(38, 48, 80));
    g.drawRoundedRect(QRectF(20, 20, 480, 690), 18, 18);
    g.setBrush(QColor(80, 38, 40));
    g.drawRoundedRect(QRectF(524, 20, 480, 690), 18, 18);

    QFont caption("DejaVu Sans", 10, QFont::Bold);
    g.setFont(caption);
    for (const CounterPlace& place : counterPlaces()) {
        ButtonFace face{};
        for (const ButtonFace& f : faces())
            if (f.code == place.code)
                face = f;
        const QRectF button(place.left - 6, place.top - 4, 109, 83);
        g.setPen(QPen(QColor(20, 20, 20), 2));
        g.setBrush(face.colour);
        g.drawRoundedRect(button, 12, 12);
        g.setPen(Qt::white);
        QString text = QString::fromUtf8(face.caption);
        if (isJudgeCode(place.code)) {
            // The judges' buttons are labelled at their outer side, in the
            // gap before the penalty buttons.
            const bool blue = place.code <= 3;
            const QRectF beside = blue ? QRectF(button.left() - 80, button.top(), 74, button.height())
                                       : QRectF(button.right() + 6, button.top(), 74, button.height());
            g.drawText(beside, (blue ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       text.replace(' ', '\n').replace("Hakem\n", "Hakem "));
        } else {
            g.drawText(QRectF(button.left() - 20, button.top() - 26, button.width() + 40, 22), Qt::AlignCenter, text);
        }
    }
    // The judges' link lamps.
    g.setPen(Qt::white);
    for (int judge = 1; judge <= 3; ++judge) {
        const int left = 407 + (judge - 1) * 84;
        g.drawText(QRectF(left - 20, 410, 75, 24), Qt::AlignCenter, QString("Hakem %1").arg(judge));
        g.setPen(QPen(QColor(20, 20, 20), 2));
        g.setBrush(QColor(25, 25, 25));
        g.drawEllipse(QRectF(left - 4, 437, 43, 43));
        g.setPen(Qt::white);
    }
    g.setFont(QFont("DejaVu Sans", 16, QFont::Bold));
    g.drawText(QRectF(0, 660, 1024, 40), Qt::AlignCenter, "SKOR KONTROL CİHAZI");
    return p;
}

TTest::TTest()
{
    setObjectName("Test");
    setWindowTitle("Device Button Test");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(1024, 727);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, 1024, 727);
    Image1->setPixmap(devicePanel());

    QFont counterFont("Arial");
    counterFont.setPixelSize(64);
    counterFont.setBold(true);
    QLabel** counters[22] = {&Label1,  &Label2,  &Label3,  &Label4,  &Label5,  &Label6,  &Label7,  &Label8,
                             &Label9,  &Label10, &Label11, &Label12, &Label13, &Label14, &Label15, &Label16,
                             &Label17, &Label18, &Label19, &Label20, &Label21, &Label22};
    for (const CounterPlace& place : counterPlaces()) {
        auto* l = new QLabel("0", this);
        l->setObjectName(place.name);
        l->setGeometry(place.left, place.top, 97, 75);
        l->setFont(counterFont);
        l->setAlignment(Qt::AlignCenter);
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->setStyleSheet("color: white; background: transparent;");
        l->installEventFilter(this);
        *counters[QByteArray(place.name).mid(5).toInt() - 1] = l;
        m_counters.insert(place.code, l);
    }

    QLabel** lost[3] = {&Image2, &Image3, &Image4};
    QLabel** linked[3] = {&Image5, &Image6, &Image7};
    for (int i = 0; i < 3; ++i) {
        *lost[i] = new QLabel(this);
        (*lost[i])->setObjectName(QString("Image%1").arg(i + 2));
        (*lost[i])->setGeometry(407 + i * 84, 441, 35, 35);
        (*lost[i])->setPixmap(linkPicture(false));
        *linked[i] = new QLabel(this);
        (*linked[i])->setObjectName(QString("Image%1").arg(i + 5));
        (*linked[i])->resize(35, 35);
        (*linked[i])->setPixmap(linkPicture(true));
        // Each judge has one spot showing one of his two pictures.
        (*linked[i])->move((*lost[i])->pos());
    }

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Exit1 = PopupMenu1->addAction("Exit");
    Exit1->setObjectName("Exit1");
    Exit1->setShortcut(Qt::Key_Escape);
    Exit1->setShortcutContext(Qt::WindowShortcut);
    addAction(Exit1);
    connect(Exit1, &QAction::triggered, this, &TTest::Exit1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });

    // The window's own port: 9600 baud, 8 data bits, no parity, one stop
    // bit, null bytes dropped, no handshake, DTR and RTS off.
    SerialPort1 = new TSerialPort(this);
    SerialPort1->setObjectName("SerialPort1");
    SerialPort1->setBaudRate(br9600);
    SerialPort1->Parity()->setBits(prNone);
    SerialPort1->setStopBits(sbOneStopBit);
    SerialPort1->setDataBits(dbEight);
    SerialPort1->setDiscardNull(true);
    SerialPort1->FlowControl()->setOutCTSFlow(false);
    SerialPort1->FlowControl()->setOutDSRFlow(false);
    SerialPort1->FlowControl()->setControlDTR(dtrDisable);
    SerialPort1->FlowControl()->setControlRTS(rtsDisable);
    SerialPort1->FlowControl()->setXonXoffOut(false);
    SerialPort1->FlowControl()->setXonXoffIn(false);
    SerialPort1->setPort("COM1");
    SerialPort1->OnRxChar = [this](QObject* sender, int count) { SerialPort1RxChar(sender, count); };
    SerialPort1->OnError = [this](QObject*, TSerialErrors errors) {
        if (errors.contains(ceIO))
            portGone();
    };
    resetDisplay();
}

void TTest::resetDisplay()
{
    for (QLabel* c : std::as_const(m_counters))
        c->setText("0");
    for (int judge = 1; judge <= 3; ++judge)
        setLink(judge, true);
}

void TTest::setLink(int judge, bool linked)
{
    QLabel* lost[3] = {Image2, Image3, Image4};
    QLabel* shown[3] = {Image5, Image6, Image7};
    lost[judge - 1]->setVisible(!linked);
    shown[judge - 1]->setVisible(linked);
}

void TTest::FormActivate()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    resetDisplay();

    // The device's adapter becomes the chosen port.
    Registry hardware(Registry::HKEY_LOCAL_MACHINE);
    if (hardware.openKeyReadOnly(kSerialComm)) {
        if (hardware.valueExists(kDeviceValue)) {
            const QString port = hardware.readString(kDeviceValue);
            Registry user(Registry::HKEY_CURRENT_USER);
            if (user.openKey(kPortKey, true))
                user.writeString("comport", port);
        }
        hardware.closeKey();
    }
    QString port;
    Registry user(Registry::HKEY_CURRENT_USER);
    if (user.openKeyReadOnly(kPortKey))
        port = user.readString("comport");

    TKuraList* match = FMatchScreen ? FMatchScreen : KuraList;
    SerialPort1->ClosePort();
    SerialPort1->setPort(port);
    if (!match) {
        SerialPort1->OpenPort();
        return;
    }

    // The match screen's port wakes the device; the screen is left as it
    // was found.
    TSerialPort* matchPort = match->SerialPort1;
    LiveScoring& live = match->live();
    const QString matchPortName = matchPort->Port();
    const bool matchPortOpen = matchPort->Connected();
    const int deviceLive = live.FDeviceLive;
    const TRxCharEvent matchHandler = matchPort->OnRxChar;
    const auto restore = [&] {
        matchPort->ClosePort();
        matchPort->OnRxChar = matchHandler;
        matchPort->setPort(matchPortName);
        live.FDeviceLive = deviceLive;
        if (matchPortOpen)
            matchPort->OpenPort();
    };
    // Codes the device sends meanwhile are this window's, not the bout's.
    matchPort->OnRxChar = nullptr;
    matchPort->ClosePort();
    matchPort->setPort(port);
    try {
        matchPort->OpenPort();
    } catch (const ESerialPort&) {
        restore();
        Messages::error(kPortError);
        return;
    }
    try {
        matchPort->ClosePort();
        live.SerialPortAc();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    SerialPort1->OpenPort();
}

void TTest::FormClose()
{
    SerialPort1->ClosePort();
}

void TTest::Exit1Click()
{
    close();
}

void TTest::SerialPort1RxChar(QObject*, int Count)
{
    QByteArray text;
    SerialPort1->ReadText(text, Count);
    for (char c : text) {
        const int code = static_cast<unsigned char>(c);
        if (code == 0)
            break;
        if (code == 13 || code > 29)
            continue;
        if (QLabel* counter = m_counters.value(code)) {
            counter->setText(QString::number(counter->text().toInt() + 1));
            continue;
        }
        if (code >= 7 && code <= 12)
            setLink((code - 7) / 2 + 1, code % 2 == 0);
    }
}

void TTest::LabelClick(QLabel* counter)
{
    counter->setText("0");
}

void TTest::Label1Click() { LabelClick(Label1); }
void TTest::Label2Click() { LabelClick(Label2); }
void TTest::Label3Click() { LabelClick(Label3); }
void TTest::Label4Click() { LabelClick(Label4); }
void TTest::Label5Click() { LabelClick(Label5); }
void TTest::Label6Click() { LabelClick(Label6); }
void TTest::Label7Click() { LabelClick(Label7); }
void TTest::Label8Click() { LabelClick(Label8); }
void TTest::Label9Click() { LabelClick(Label9); }
void TTest::Label10Click() { LabelClick(Label10); }
void TTest::Label11Click() { LabelClick(Label11); }
void TTest::Label12Click() { LabelClick(Label12); }
void TTest::Label13Click() { LabelClick(Label13); }
void TTest::Label14Click() { LabelClick(Label14); }
void TTest::Label15Click() { LabelClick(Label15); }
void TTest::Label16Click() { LabelClick(Label16); }
void TTest::Label17Click() { LabelClick(Label17); }
void TTest::Label18Click() { LabelClick(Label18); }
void TTest::Label19Click() { LabelClick(Label19); }
void TTest::Label20Click() { LabelClick(Label20); }
void TTest::Label21Click() { LabelClick(Label21); }
void TTest::Label22Click() { LabelClick(Label22); }

void TTest::portGone()
{
    SerialPort1->ClosePort();
    for (int judge = 1; judge <= 3; ++judge)
        setLink(judge, false);
    Messages::error(kDeviceGone);
}

bool TTest::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && std::find(m_counters.cbegin(), m_counters.cend(), label) != m_counters.cend() &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            LabelClick(label);
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}
