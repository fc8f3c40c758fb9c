#include "app/setup/CmPort.h"

#include "app/comport/DevicePort.h"
#include "app/comport/SerialPort.h"
#include "app/kit/PlacedControls.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TCmPort::TCmPort()
{
    using PlacedControls::make;
    setObjectName("CmPort");
    setWindowTitle("Seri İletişim Portu Seçme");
    // A fixed dialog with a close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    Label1 = make<QLabel>("Label1", "Seri İletişim Portu", this);
    ComboBox1 = make<QComboBox>("ComboBox1", this);
    ComboBox1->setEditable(false);
    ComboBox1->setMaxVisibleItems(9);
    for (int n = 1; n <= 90; ++n)
        ComboBox1->addItem(QString("COM%1").arg(n));
    ComboBox1->setCurrentIndex(-1);
    Label1->setBuddy(ComboBox1);

    Label2 = make<QLabel>("Label2", "Tartı Tipi", this);
    auto* types = new QWidget(this);
    auto* typesRow = new QHBoxLayout(types);
    typesRow->setContentsMargins(0, 0, 0, 0);
    RadioButton1 = make<QRadioButton>("RadioButton1", "TİP-1", types);
    RadioButton2 = make<QRadioButton>("RadioButton2", "TİP-2 (BX 1)", types);
    typesRow->addWidget(RadioButton1);
    typesRow->addWidget(RadioButton2);

    BitBtn1 = make<QPushButton>("BitBtn1", "Tamam", this);
    BitBtn1->setDefault(true);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(types, 1, 1);
    grid->addWidget(BitBtn1, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    SerialPort1 = DevicePort::make(this);

    connect(BitBtn1, &QPushButton::clicked, this, &TCmPort::BitBtn1Click);
}

void TCmPort::FormActivate()
{
    for (QRadioButton* r : {RadioButton1, RadioButton2}) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
    ComboBox1->setCurrentIndex(-1);

    // The key is only read here, never created.
    const DevicePort::Choice stored = DevicePort::stored();
    // The stored name is matched exactly: "com3" selects nothing.
    for (int i = 0; i < ComboBox1->count(); ++i) {
        if (ComboBox1->itemText(i) == stored.port) {
            ComboBox1->setCurrentIndex(i);
            break;
        }
    }
    if (stored.type == "1")
        RadioButton1->setChecked(true);
    else if (stored.type == "2")
        RadioButton2->setChecked(true);

    SerialPort1->ClosePort();
}

void TCmPort::BitBtn1Click()
{
    if (ComboBox1->currentIndex() < 0) {
        Messages::info("Lütfen Seri İletişim Portu Seçiniz ...!");
        return;
    }
    const QString name = ComboBox1->currentText();

    // The chosen port must open: one that is missing or held by another
    // program is refused and nothing is stored.
    SerialPort1->ClosePort();
    SerialPort1->setPort(name);
    try {
        SerialPort1->OpenPort();
    } catch (const ESerialPort&) {
        SerialPort1->ClosePort();
        Messages::error("Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu Seçtiniz. Lütfen "
                        "Düzeltiniz ...!");
        ComboBox1->setCurrentIndex(-1);
        return;
    }

    // A setting that did not reach the settings file has been reported by
    // the store; the screen stays open so the choice is not taken as saved.
    Registry reg(Registry::HKEY_CURRENT_USER);
    bool saved = reg.openKey(DevicePort::registryKey(), true) && reg.writeString("comport", name);
    if (saved && RadioButton1->isChecked())
        saved = reg.writeString("Type", "1");
    else if (saved && RadioButton2->isChecked())
        saved = reg.writeString("Type", "2");
    reg.closeKey();
    if (!saved) {
        SerialPort1->ClosePort();
        return;
    }
    close();
}

void TCmPort::FormClose()
{
    // The port opened as a test is released with the screen.
    SerialPort1->ClosePort();
}
