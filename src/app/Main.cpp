#include "app/Main.h"

#include "app/MainCommands.h"
#include "app/MusteriGiris1.h"
#include "app/Sifre.h"
#include "app/Version.h"
#include "app/comport/DevicePort.h"
#include "app/kit/Formats.h"
#include "app/kit/Session.h"
#include "app/publish/Publish1.h"
#include "app/setup/Users.h"
#include "competition/MusteriGiris3.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Guarded.h"
#include "registry/Bilgi_Giris_1.h"
#include "registry/MusteriGiris2.h"
#include "reports/Baslik1S.h"
#include "reports/PrintScore.h"
#include "reports/PrintMenu1S.h"
#include "scoring/KuraList.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Width of each button of the left tool bar, at least.
const int kMenuButtonWidth = 188;

// The application's hint: the hint of the control under the mouse, or of the
// nearest of its parents that has one (a status tip, else a tool tip).
QString& currentHint()
{
    static QString hint;
    return hint;
}

QString hintOf(QObject* object)
{
    for (auto* w = qobject_cast<QWidget*>(object); w; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (!w->toolTip().isEmpty())
            return w->toolTip();
        if (w->isWindow())
            break;
    }
    return QString();
}

QIcon toolIcon(const QString& button)
{
    static const QHash<QString, QStyle::StandardPixmap> icons = {
        {"ToolButton2", QStyle::SP_DirHomeIcon},
        {"ToolButton4", QStyle::SP_MediaPlay},
        {"ToolButton6", QStyle::SP_DialogSaveButton},
        {"ToolButton8", QStyle::SP_TrashIcon},
        {"ToolButton10", QStyle::SP_FileDialogDetailedView},
        {"ToolButton11", QStyle::SP_DialogCloseButton},
        {"ToolButton13", QStyle::SP_ToolBarVerticalExtensionButton},
    };
    const auto it = icons.constFind(button);
    return it == icons.constEnd() ? QIcon() : QApplication::style()->standardIcon(*it);
}

} // namespace

TMain::TMain()
    : ExportFilters({{"Metin Dosyası", "txt", ""},
                     {"Virgülle Ayrılmış Değerler (CSV)", "csv", ","},
                     {"HTML Dosyası", "htm", ""}}),
      m_tracker(this, [this] { FormActivate(); })
{
    setObjectName("Main");
    setWindowTitle(kProductTitle);
    buildMenus();
    buildToolBars();
    buildWorkArea();
    StatusBar1 = statusBar();
    StatusBar1->setObjectName("StatusBar1");
    // The application's hint follows the mouse over every window, and the
    // blank label takes its double click.
    qApp->installEventFilter(this);

    // Creation: it touches only the registry and this window.
    setWindowState(Qt::WindowMaximized);
    FInPreview = 0;
    ComportDefault();
}

void TMain::buildMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    QHash<QString, QMenu*> menus;
    for (const MainMenu& m : MainCommands::menus()) {
        QMenu* menu = MainMenu1->addMenu(QString::fromUtf8(m.title));
        menu->setObjectName(m.name);
        menu->menuAction()->setObjectName(QString(m.name) + "_title");
        menus.insert(m.name, menu);
    }
    for (const MainCommand& c : MainCommands::commands()) {
        QMenu* menu = menus.value(c.menu);
        if (c.isSeparator()) {
            QAction* s = menu->addSeparator();
            s->setObjectName(c.name);
            continue;
        }
        auto* a = new QAction(QString::fromUtf8(c.caption), this);
        a->setObjectName(c.name);
        // No shortcuts: the keyboard reaches no hidden menu.
        a->setShortcuts({});
        if (menu)
            menu->addAction(a);
        const MainCommand* row = &c;
        connect(a, &QAction::triggered, this, [this, row] { MainCommands::run(*row, *this); });
    }
}

void TMain::buildToolBars()
{
    auto fill = [this](QToolBar* bar, const QList<ToolBarItem>& items, bool left) {
        for (const ToolBarItem& item : items) {
            if (item.kind == ToolBarItem::Separator) {
                QAction* s = bar->addSeparator();
                s->setObjectName(item.name);
                // Separators are disabled buttons.
                s->setEnabled(false);
                continue;
            }
            auto* b = new QToolButton(bar);
            b->setObjectName(item.name);
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            if (left)
                b->setIconSize(QSize(24, 24));
            if (item.kind == ToolBarItem::Blank) {
                b->setEnabled(false);
            } else if (const MainCommand* c = MainCommands::forToolButton(item.name)) {
                // A tool button runs the command of the menu item it is linked to.
                b->setText(QString::fromUtf8(c->caption));
                b->setIcon(toolIcon(item.name));
                const QString command = c->name;
                connect(b, &QToolButton::clicked, this, [this, command] { runCommand(command); });
            }
            bar->addWidget(b)->setObjectName(QString(item.name) + "_place");
        }
    };

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, ToolBar1);
    fill(ToolBar1, MainCommands::topToolBar(), false);

    Menu = new QToolBar(this);
    Menu->setObjectName("Menu");
    Menu->setOrientation(Qt::Vertical);
    // It can be dragged off and docked elsewhere until the start-up
    // configuration fixes it.
    Menu->setMovable(true);
    Menu->setFloatable(true);
    addToolBar(Qt::LeftToolBarArea, Menu);
    fill(Menu, MainCommands::leftToolBar(), true);
    // The buttons are one width: 188 pixels, or what the longest caption
    // needs in the font of this machine.
    int width = kMenuButtonWidth;
    const QList<QToolButton*> buttons = Menu->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (QToolButton* b : buttons)
        width = qMax(width, b->sizeHint().width());
    for (QToolButton* b : buttons)
        if (b->objectName().startsWith("ToolButton"))
            b->setFixedWidth(width);
}

void TMain::buildWorkArea()
{
    auto* central = new QWidget(this);
    central->setObjectName("WorkArea");
    central->setAutoFillBackground(true);
    QPalette p = central->palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    p.setColor(QPalette::WindowText, Qt::white);
    central->setPalette(p);

    Label_t = new QLabel("     ", central);
    Label_t->setObjectName("Label_t");
    Label_t->setFixedSize(19, 21);

    Label1 = new QLabel(kProductTitle, central);
    Label1->setObjectName("Label1");
    QFont title = Label1->font();
    title.setPointSize(title.pointSize() * 3);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Panel1 = new QLabel("Tarih : ", central);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    QPalette panel = Panel1->palette();
    panel.setColor(QPalette::Window, QColor(192, 192, 192));
    panel.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(panel);
    Panel1->setMargin(3);

    Label_User = new QLabel("Kullanıcı : ", central);
    Label_User->setObjectName("Label_User");
    Label2 = new QLabel("Version", central);
    Label2->setObjectName("Label2");
    Label_Version = new QLabel(brivexVersion(), central);
    Label_Version->setObjectName("Label_Version");

    auto* grid = new QGridLayout(central);
    grid->addWidget(Label_t, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* topRight = new QVBoxLayout;
    topRight->addWidget(Label1, 0, Qt::AlignRight);
    topRight->addWidget(Panel1, 0, Qt::AlignRight);
    grid->addLayout(topRight, 0, 2, Qt::AlignRight | Qt::AlignTop);
    auto* bottomRight = new QHBoxLayout;
    bottomRight->setSpacing(8);
    bottomRight->addWidget(Label_User);
    bottomRight->addSpacing(16);
    bottomRight->addWidget(Label2);
    bottomRight->addWidget(Label_Version);
    grid->addLayout(bottomRight, 2, 0, 1, 3, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    setCentralWidget(central);
}

QString TMain::versionText() const
{
    return Label_Version->text();
}

QAction* TMain::command(const QString& name) const
{
    auto* a = findChild<QAction*>(name);
    return a && MainCommands::find(name) ? a : nullptr;
}

void TMain::runCommand(const QString& name)
{
    if (QAction* a = command(name))
        a->trigger();
}

QMenu* TMain::menu(const QString& name) const
{
    return MainMenu1->findChild<QMenu*>(name);
}

QToolButton* TMain::toolButton(const QString& name) const
{
    return findChild<QToolButton*>(name);
}

QAction* TMain::toolBarSeparator(const QString& name) const
{
    for (QToolBar* bar : {Menu, ToolBar1})
        for (QAction* a : bar->actions())
            if (a->objectName() == name && a->isSeparator())
                return a;
    return nullptr;
}

namespace {
// Shows or hides a control of a tool bar (through its place on the bar).
void setOnBar(QToolBar* bar, const QString& name, bool visible)
{
    for (QAction* a : bar->actions())
        if (a->objectName() == name || a->objectName() == name + "_place")
            a->setVisible(visible);
}
// A control of a tool bar is shown there.
bool shownOnBar(QToolBar* bar, const QString& name)
{
    for (QAction* a : bar->actions())
        if (a->objectName() == name + "_place")
            return a->isVisible();
    return false;
}
}

void TMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_tracker.shown();
    if (!m_firstShowDone) {
        m_firstShowDone = true;
        // The configuration runs inside the message loop, after every screen
        // exists, as the first thing the loop does.
        QTimer::singleShot(0, this, guarded(this, &TMain::FormShow));
    }
}

void TMain::FormActivate()
{
    if (FInPreview) {
        FInPreview = 0;
        return;
    }
    m_hintHandler = true;
}

void TMain::ShowHint()
{
    StatusBar1->showMessage(applicationHint());
}

QString TMain::applicationHint()
{
    return currentHint();
}

void TMain::SetPreviewReport(QObject* report)
{
    FPreviewReport = report;
}

ReportCaller TMain::reportCaller()
{
    ReportCaller c;
    c.window = this;
    c.inPreview = &FInPreview;
    c.toolBar = Menu;
    c.setPreviewReport = [this](QObject* r) { SetPreviewReport(r); };
    return c;
}

void TMain::RunPreview(QObject* report, QWidget* window, const std::function<void()>& preview)
{
    SetPreviewReport(report);
    FInPreview = 1;
    const bool hideBar = window == this && !Menu->isHidden();
    if (hideBar)
        Menu->hide();
    window->setEnabled(false);
    // The window comes back also when the preview ends with an error.
    struct Restore {
        TMain* main;
        QPointer<QWidget> window;
        bool showBar;
        ~Restore()
        {
            if (window)
                window->setEnabled(true);
            if (showBar)
                main->Menu->show();
        }
    } restore{this, window, hideBar};
    preview();
}

void TMain::ComportDefault()
{
    QString port;
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (reg.openKeyReadOnly(DevicePort::registryKey())) {
        port = reg.readString("comport");
        reg.closeKey();
    }
    if (port.left(3).toUpper() == "COM")
        return;
    reg.openKey(DevicePort::registryKey(), true);
    reg.writeString("comport", "COM1");
    reg.closeKey();
}

void TMain::FormShow()
{
    if (m_configured || m_programEnded)
        return;

    // The login; without a signed-in user the login has closed this window.
    Sifre->showModal();
    if (Sifre->FLoginState != 1)
        return;

    ScoringEdition = 1;
    // The scoreboard switches the display to 1024 x 768 in this edition.
    Skor->FScoringEdition = ScoringEdition;

    // Captions of other screens, each a fixed text:
    MusteriGiris1->Label28->setText("Prof.Hakem");
    PrintMenu1S->QRLabel79->caption = " Kick Beden No";
    PrintMenu1S->QRLabel80->caption = " Kick Ayakkabı No";
    PrintMenu1S->QRLabel39->caption = " Profesyonel Hakem";
    Bilgi_Giris_1->Label10->setText("Menajer");
    MusteriGiris2->Label46->setText("Kick Beden No");
    MusteriGiris2->Label47->setText("Kick Ayak.No");
    MusteriGiris2->Label29->setText("Prof. Hakem");
    {
        GridColumn seventh = MusteriGiris2->DBGrid1->column(6);
        seventh.title = "Menajer";
        MusteriGiris2->DBGrid1->setColumn(6, seventh);
    }
    // Person search screen's print menu: hide "Sporcu Kuşak Kimlik", "Millilik Diploması",
    //   "Hakem Kimlik", "Diploma", "Temsilci", "Milli Sporcu Kimlik", "Poomse Hakem"; retitle
    //   "Sporcu Dan Kimlik" to "Sporcu Kimlik"; hide "Antrenör Kimlik (Vizesiz)".
    // Person editor: no "    Mesleki Bilgiler    " page.
    MusteriGiris2->PageControl1->setTabVisible(MusteriGiris2->PageControl1->indexOf(MusteriGiris2->TabSheet5), false);
    // Person search screen: retitle "Sporcu Lisans Kartı" to "Profesyonel Sporcu Lisans Kartı".
    // File-transfer screen: the photos go to the remote folder "fed".
    PublishForm->FPhotoSubdirectory = "fed";

    ThirdPlaceBouts = 0;
    RegionSeparation = 1;

    // Weigh-in screen: its quick registration "Kaydet" on an office station,
    // none on a scoring station.
    session().station.kind = StationKinds::read();
    const bool office = session().station.isOffice();
    MusteriGiris3->BitBtn10->setVisible(office);

    FederationCode = "049";

    // Weigh-in screen: its lists by name.
    MusteriGiris3->FOrderBy = "Ad";

    // Every new user gets match rights only.
    Users->CheckBox1->setChecked(true);
    Users->CheckBox1->setVisible(false);

    // The match screen's defaults.
    FMatchDefaults = scoringStationDefaults(Sifre->FIsAdmin);

    Panel1->setText("Tarih : " + Formats::dateToStr(Today()));

    // Scoreboard settings dialog: no referee lists, the names are typed.
    for (QComboBox* list : {Skorb_giris->DBLookupComboBox1, Skorb_giris->DBLookupComboBox2,
                            Skorb_giris->DBLookupComboBox3, Skorb_giris->DBLookupComboBox4})
        list->hide();

    // A scoring station uses only the left tool bar; the menu items remain
    // commands. An office station keeps the five menus and "Kısayollar", so
    // the register, the weigh-in and the print commands can be reached.
    for (const MainMenu& m : MainCommands::menus())
        menu(m.name)->menuAction()->setVisible(office);
    MainMenu1->setVisible(office);
    setOnBar(ToolBar1, "ToolButton12", office);
    setOnBar(ToolBar1, "ToolButton13", office);
    // A club prepares its belt exams on its office computer.
    MusteriGiris1->GIPmtihanListesiOlutur1->setVisible(office);
    Menu->setMovable(false);
    Menu->setFloatable(false);

    toolButton("ToolButton4")->setText("  MÜSABAKA EKRANI  ");

    setWindowTitle(kProductTitle);
    Label1->setText(kProductTitle);

    // Scoreboard settings dialog: "Kulüp Adı Göster" 6 pixels to the left.
    Skorb_giris->RadioButton2->move(Skorb_giris->RadioButton2->x() - 6, Skorb_giris->RadioButton2->y());
    // Bout score sheet report (TPrintScore): do not print "Tur", ":" and "Tur_Mac".
    PrintScore->QRLabel1->enabled = false;
    PrintScore->QRLabel2->enabled = false;
    PrintScore->QRDBText1->enabled = false;
    // Competition report title dialog: no activity picker, so its activity
    // title and name stay empty.
    Baslik1S->DBLookupComboBox1->hide();

    // Rights of a match-only user.
    if (Sifre->FMatchOnlyUser)
        applyMatchOnlyRights();

    // Rights by administrator status.
    FMatchDefaults.FRestrictedUser = Sifre->FIsAdmin ? 0 : 1;

    // The match screen as a scoring station: its defaults, commands, grid,
    // layout and the rights of this user.
    KuraList->applyStartupConfiguration(Sifre->FIsAdmin, Sifre->FMatchOnlyUser);
    // Person search screen, for every user but the administrator: hide the card items
    //   "Sporcu Kimlik", "Antrenör Kimlik", "Hakem Kimlik", "Federasyon Kurulu Kimlik",
    //   "İl Temsilcisi Kimlik", "Yönetim Kurulu Kimlik", "Personel Kimlik",
    //   "Profesyonel Sporcu Lisans Kartı", "Amatör Sporcu Lisans Kartı", "Menajer Kimlikler".

    Label_User->setText("Kullanıcı : " + Sifre->FUserName);
    FInPreview = 0;
    m_configured = true;

    // A data-layer error here ends the configuration with its message;
    // everything before stays set.
    const std::optional<Record> identity = Sifre->ADOConnection1.first("select * from C_YAZILAR");
    SportName = identity ? identity->str("Ihbar") : QString();
}

void TMain::applyMatchOnlyRights()
{
    // The user keeps "  MÜSABAKA EKRANI  " and "  Bilgilerin Yedeklenmesi    "
    // with the separator between them.
    for (const char* hidden : {"ToolButton2", "ToolButton3", "ToolButton7", "ToolButton8", "ToolButton9",
                               "ToolButton10"})
        setOnBar(Menu, hidden, false);
    // An office station's menus follow the same rights: the user finds there
    // only the commands his tool bar offers, so he has what he has on a
    // scoring station; a menu left empty goes, and with the menus the
    // "Kısayollar" button.
    if (session().station.isOffice()) {
        for (const MainCommand& c : MainCommands::commands()) {
            if (!*c.menu)
                continue;
            const bool kept = !c.isSeparator() && *c.toolButton && shownOnBar(Menu, c.toolButton);
            if (QAction* item = command(c.name))
                item->setVisible(kept);
        }
        for (const MainMenu& m : MainCommands::menus()) {
            const QList<QAction*> items = menu(m.name)->actions();
            if (std::none_of(items.begin(), items.end(), [](QAction* a) { return a->isVisible(); }))
                menu(m.name)->menuAction()->setVisible(false);
        }
        setOnBar(ToolBar1, "ToolButton12", false);
        setOnBar(ToolBar1, "ToolButton13", false);
    }
    // Weigh-in screen: no new person and no quick registration.
    MusteriGiris3->BitBtn7->hide();
    MusteriGiris3->BitBtn10->hide();
    // The match screen's grid and pop-up items follow in its own configuration.
}

void TMain::Label_tDblClick()
{
    runCommand("Label_t");
}

bool TMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (watched == Label_t) {
            Label_tDblClick();
            return true;
        }
        break;
    case QEvent::Enter:
        currentHint() = hintOf(watched);
        if (m_hintHandler)
            ShowHint();
        break;
    case QEvent::Leave:
        if (auto* w = qobject_cast<QWidget*>(watched); w && !w->isWindow()) {
            currentHint() = hintOf(w->parentWidget());
            if (m_hintHandler)
                ShowHint();
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMain::endProgram()
{
    m_programEnded = true;
    setFixedSize(1, 1);
    close();
}

void TMain::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        m_programEnded = true;
        QCoreApplication::quit();
    }
}
