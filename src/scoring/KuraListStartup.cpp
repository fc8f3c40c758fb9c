// The match screen's start-up configuration (what the main window sets once
// after the login) and its activation (what every showing loads: the lists,
// the special code, the main computer's database, the scoring device's port).
#include "scoring/KuraList.h"

#include "app/comport/DevicePort.h"
#include "app/comport/SerialPort.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Session.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"
#include "scoring/JudgeDevices.h"
#include "scoring/KuraListParts.h"
#include "scoring/MainDatabaseCopy.h"
#include "scoring/MatchDefaults.h"
#include "scoring/ScoringDevices.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

using KuraListParts::kWeighInTitle;

namespace {

const QString kPortError = QStringLiteral("Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu "
                                          "Seçili.\nLütfen 'İletişim Portu Seçme' Ekranından Düzeltiniz ...!");
// The scoring station's own text: its port settings screen is out of reach
// (the menus are hidden), so it says where the port is set.
const QString kScoringPortError = QStringLiteral(
    "Puanlama cihazının seri portu (%1) açılamadı: puanlar klavyeden ve hakem farelerinden verilecektir.\n"
    "Düzeltmek için programı kapatıp portu 'brivex-station map-port %1 AYGIT' komutuyla cihaza bağlayınız "
    "(kullanıcı 'dialout' grubunda olmalıdır). Bu mesaj bir kez gösterilir ...!");
const QString kDeviceKey = QStringLiteral("\\HARDWARE\\DEVICEMAP\\SERIALCOMM");
const QString kDeviceValue = QStringLiteral("\\Device\\VCP0");
const QString kMainDatabase = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");

} // namespace

// ---------------------------------------------------------------------------
// Start-up configuration

void TKuraList::applyStartupConfiguration(bool isAdmin, bool matchOnlyUser)
{
    FScoringStation = 1;

    // An office station keeps the whole screen for its users: the draw panel
    // with "Kura Çek" and its toggle, the list area, "Kura Sil", the tool
    // bar's "Raporlar" with every chart and list, bout entry and the score
    // sheets. A scoring station, and a match-only user at any station, has
    // bout entry, the score sheets and the scoreboard.
    const bool office = session().station.isOffice() && !matchOnlyUser;

    // Commands of the station.
    MsabakayEkranaYkle1->setEnabled(true);
    KuraizelgesiYatay1->setVisible(office);
    MaSonuSayfas1->setVisible(true);
    SonuListesi1->setVisible(true);
    SkorbTestDefault();

    // Defaults of a bout.
    const MatchDefaults d = scoringStationDefaults(isAdmin);
    FMatchTimeMen = d.FMatchTimeMen;
    FMatchTimeWomen = d.FMatchTimeWomen;
    FExtraTimeMen = d.FExtraTimeMen;
    FExtraTimeWomen = d.FExtraTimeWomen;
    FFinalTimeMen = d.FFinalTimeMen;
    FFinalTimeWomen = d.FFinalTimeWomen;
    FBreakTime = d.FBreakTime;
    FRoundCount = d.FRoundCount;
    setMinusPoints(d.FMinusPoints);

    setWindowTitle("Müsabaka Ekranı");
    BitBtn12->setText("Raporlar");
    m_gridPopup = PopupMenu6;

    if (office) {
        // The design's screen: both panels, the list area, the draw and the
        // charts; bout entry and the score sheets on the row under "Kura
        // Sil". The bout panel is narrower beside the draw panel: "Kapat"
        // (BitBtn4) comes in from the right edge to stand beside
        // "Bağlantı", and the chart and list drop-down goes beside the
        // gender, so both show whole.
        m_closeHomeLeft = BitBtn15->x() + BitBtn15->width() + 10;
        BitBtn4->move(m_closeHomeLeft, BitBtn4->y());
        m_toolButton2Item->setVisible(true);
        ToolBar2->setGeometry(Edit4->x() + Edit4->width() + 8, Edit4->y() - 3, ToolBar2->width(),
                              ToolBar2->height());
        BitBtn11->show();
        BitBtn12->show();
    } else {
        // The bout grid: no round label and winner number; the regions in
        // place of the back numbers.
        DBGrid1->setColumnVisible("Tur_Mac", false);
        DBGrid1->setColumnVisible("Galip", false);
        for (const auto& [number, region] : {std::pair{"Sira1", "Bolge1"}, std::pair{"Sira2", "Bolge2"}}) {
            const int i = DBGrid1->columnOf(number);
            if (i < 0)
                continue;
            GridColumn c = DBGrid1->column(i);
            c.field = region;
            c.title = "Bölge";
            c.width = 100;
            c.alignment = Qt::AlignLeft;
            c.titleAlignment = Qt::AlignLeft;
            DBGrid1->setColumn(i, c);
        }

        // Layout of the branch choice and of "Kapat".
        Label2->move(10, Label2->y());
        DBLookupComboBox1->setGeometry(DBLookupComboBox1->x() + 14, DBLookupComboBox1->y(),
                                       DBLookupComboBox1->width() + 24, DBLookupComboBox1->height());
        Edit7->setGeometry(DBLookupComboBox1->x(), Edit7->y(), DBLookupComboBox1->width() - 19, Edit7->height());
        Edit1->setGeometry(DBLookupComboBox1->x(), Edit1->y(), Edit7->width(), Edit1->height());
        BitBtn14->move(BitBtn14->x() + 8, BitBtn14->y());

        // No list area, no draw, no charts: bout entry, reports and "Kapat".
        GroupBox1->hide();
        for (QPushButton* b : {BitBtn6, BitBtn2}) {
            b->setText(QString());
            b->setEnabled(false);
            b->setFixedWidth(0);
        }
        ToolButton3Click();
        ToolButton3->hide();
        m_toolButton2Item->setVisible(false);
        ToolBar2->hide();
        BitBtn11->show();
        BitBtn12->show();
        BitBtn14->show();
        BitBtn4->hide();
        for (QPushButton* b : {BitBtn11, BitBtn12, BitBtn13, BitBtn14})
            b->move(b->x(), BitBtn4->y());
    }

    // A match-only user changes no scores and no winners.
    if (matchOnlyUser) {
        for (const char* field : {"Puan1", "Puan2", "Raunt", "n_time"})
            DBGrid1->setColumnReadOnly(field, true);
        DBGrid1->setColumnReadOnly("HAKEM", true, Qt::CaseInsensitive);
        DBGrid1->setColumnReadOnly("KARAR", true, Qt::CaseInsensitive);
        for (QAction* a : {N31, N41, Sil1, N1, Delete1})
            a->setVisible(false);
    }

    // The administrator alone reopens decided bouts and resets scores.
    FRestrictedUser = d.FRestrictedUser;
    SkorboardSfrla1->setVisible(isAdmin);
}

void TKuraList::ToolButton3Click()
{
    Panel2->setVisible(ToolButton3ImageIndex != 0);
    ToolButton3ImageIndex = ToolButton3ImageIndex == 0 ? 1 : 0;
    ToolButton3->setText(ToolButton3ImageIndex == 0 ? "<" : ">");
}

void TKuraList::SkorbTestDefault()
{
    m_live->SkorbTestDefault();
}

void TKuraList::EkranDegis()
{
    m_live->EkranDegis();
}

// ---------------------------------------------------------------------------
// Activation

void TKuraList::FormShow()
{
    // Every showing loads its lists; the flag only guards a return from a
    // window opened while the screen was showing.
    FSkipActivate = 0;
}

void TKuraList::FormActivate()
{
    if (FSkipActivate) {
        FSkipActivate = 0;
        return;
    }
    if (boutOpen())
        return;
    // Live scoring's part: the scoreboard's home positions (once), the
    // sounds, the idle state, " Skorboard Kontrol " hidden.
    m_live->activate();

    // Judges' mice.
    const int mice = JudgeDevices::MouseKontrol() ? 1 : 0;
    FMiceMode = mice;
    FMiceLinked = mice;

    // The special code unlocks the exchange of athletes.
    FSpecialCode = db().scalar("select OzelKod from C_SAYI").toString();
    Edit5->setVisible(FRestrictedUser == 0 && !FSpecialCode.isEmpty());

    FChartSilent = 0;
    FBranchFromList = 1;

    // Lists.
    DBLookupComboBox2->clear();
    for (const Record& r : db().select("select distinct(Brans) as Br from C_LISTE order by Brans"))
        DBLookupComboBox2->addItem(r.str("Br"));
    DBLookupComboBox2->setCurrentIndex(-1);
    reloadBoutBranches();
    DBLookupComboBox1->setCurrentIndex(-1);
    reloadRings();
    DBLookupComboBox3->setCurrentIndex(-1);
    Edit2->clear();
    Edit1->clear();
    Edit7->clear();
    Edit6->clear();
    Edit5->clear();

    RadioButton1Click();
    SecClear();
    DBGrid2->setColumn(0, [&] {
        GridColumn c = DBGrid2->column(0);
        c.title = kWeighInTitle;
        return c;
    }());

    // Folders and the main computer's database.
    FProgramFolder = Folders::programFolderFor(RegistryValues::dbq());
    FMainDatabasePath = kMainDatabase;
    MusVarSenkron();

    openPorts();
    updateLabels();

    // What live scoring takes from this activation.
    m_live->FProgramFolder = FProgramFolder;
    m_live->FMainDatabasePath = FMainDatabasePath;
    m_live->FSerialDevice = FSerialDevice;
    m_live->FDevicePortFailed = FDevicePortFailed;
    m_live->FMiceMode = FMiceMode;
    m_live->FMiceLinked = FMiceLinked;
    m_devices->activated();

    // Bouts decided but not yet on the main database (the ring stopped
    // after a decision, or no decision came after it) go now.
    sendWaitingBouts(false);
}

void TKuraList::openPorts()
{
    // A scoring device plugged in through a USB adapter becomes the chosen
    // port.
    Registry hardware(Registry::HKEY_LOCAL_MACHINE);
    if (hardware.openKeyReadOnly(kDeviceKey)) {
        if (hardware.valueExists(kDeviceValue)) {
            const QString port = hardware.readString(kDeviceValue);
            Registry user(Registry::HKEY_CURRENT_USER);
            if (user.openKey(DevicePort::registryKey(), true))
                user.writeString("comport", port);
        }
        hardware.closeKey();
    }

    FDevicePortFailed = 0;
    QString port;
    Registry user(Registry::HKEY_CURRENT_USER);
    if (user.openKeyReadOnly(DevicePort::registryKey()))
        port = user.readString("comport");
    SerialPort1->setPort(port);
    // The activation only tests the port; live scoring opens it.
    try {
        SerialPort1->OpenPort();
    } catch (const ESerialPort&) {
        SerialPort1->ClosePort();
        FDevicePortFailed = 1;
        // Another station is told at every activation, and fixes it on the
        // port settings screen. A scoring station is told once per run, and
        // where to fix it; without a device on its port (none plugged in,
        // the port named to no device) it scores from the keys and the mice
        // and is told nothing.
        if (FScoringStation != 1) {
            Messages::error(kPortError);
        } else if (!m_portFailureTold) {
            const QString device = PortMap::devicePath(port);
            if (!device.isEmpty() && QFileInfo::exists(device)) {
                Messages::error(kScoringPortError.arg(port));
                m_portFailureTold = true;
            }
        }
    }
    SerialPort1->ClosePort();
    FSerialDevice = 1;
}

void TKuraList::MusVarSenkron()
{
    FMainDbReachable = FProgramFolder.startsWith('C') && DriveMap::exists(FMainDatabasePath) ? 1 : 0;
    BitBtn15->setVisible(FMainDbReachable == 1 && !boutOpen());
    BitBtn16->move(FMainDbReachable == 1 ? 552 : BitBtn15->x(), BitBtn16->y());
}

void TKuraList::BitBtn15Click()
{
    MusVarSenkron();
    if (FMainDbReachable == 0) {
        QString text = "Ana Sistem bağlantınsı sağlanamadı. Lütfen M sürücüsü oluşturulduğundan emin olunuz ...!";
        int waiting = 0;
        try {
            waiting = int(MainDatabaseCopy::pendingKeys(db()).size());
        } catch (const DbError&) {
        }
        if (waiting > 0)
            text += "\n" + MainDatabaseCopy::waitingMessage(waiting);
        Messages::error(text);
        return;
    }
    if (const int sent = sendWaitingBouts(true); sent > 0)
        Messages::info(QString("Bekleyen %1 Müsabaka Ana Sistem Veritabanına Aktarıldı ...!").arg(sent));
}

int TKuraList::sendWaitingBouts(bool pressed)
{
    MainDatabaseCopy copy(db(), FProgramFolder, FMainDatabasePath);
    try {
        const int before = int(MainDatabaseCopy::pendingKeys(db()).size());
        const MainDatabaseCopy::Result result = copy.sendWaiting();
        const int waiting = int(MainDatabaseCopy::pendingKeys(db()).size());
        if (result == MainDatabaseCopy::Result::NotLinked || waiting == 0) {
            m_waitingTold = false;
            return result == MainDatabaseCopy::Result::Copied ? before : 0;
        }
        if (pressed || !m_waitingTold) {
            Messages::warning(MainDatabaseCopy::waitingMessage(waiting));
            m_waitingTold = true;
        }
    } catch (const DbError&) {
        // The station's own database is held by another station: the bouts
        // stay where they are, for the next activation.
    }
    return 0;
}
