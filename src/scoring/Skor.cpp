#include "scoring/Skor.h"

#include "app/dialogs/Form5.h"
#include "app/kit/PlacedControls.h"
#include "platform/display/Display.h"
#include "platform/ui/Messages.h"
#include "scoring/LiveScoring.h"
#include "scoring/ScoreboardWidgets.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace ScoreboardLook;

namespace {

const QSize kScoreboardMode(1024, 768);

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& place, const QString& family,
              int pixels, bool bold, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = PlacedControls::make<QLabel>(name, text, parent, place);
    ScoreboardLook::setFont(l, family, pixels, bold);
    l->setAlignment(align);
    return l;
}

SymbolLabel* marks(QWidget* parent, const char* name, const QString& text, const QRect& place, Qt::Alignment align,
                   const QColor& colour)
{
    auto* l = new SymbolLabel(SymbolLabel::MarkLine, text, parent);
    l->setObjectName(name);
    l->setGeometry(place);
    l->setAlignment(align | Qt::AlignVCenter);
    setTextColour(l, colour);
    return l;
}

QFrame* panel(QWidget* parent, const char* name, const QRect& place, const QColor& colour)
{
    auto* p = PlacedControls::make<QFrame>(name, parent, place);
    setBackground(p, colour);
    return p;
}

// The winner list draws each item in its side's colours.
class WinnerItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto [text, back] = TSkor::ComboBox1DrawItem(index.row());
        if (!text.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->fillRect(option.rect, back);
        painter->setPen(text);
        painter->setFont(option.font);
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
    }
    // Rows of 32 pixels, or as tall as the list's large type needs, so that
    // a name shows whole.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(32, QFontMetrics(option.font).height() + 2));
        s.setWidth(std::max(s.width(), QFontMetrics(option.font).horizontalAdvance(index.data().toString()) + 8));
        return s;
    }
};

} // namespace

TSkor::TSkor()
{
    setObjectName("Skor");
    setWindowTitle("Scoreboard");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setBackground(this, QColor(0xC4, 0xC5, 0xC6));
    resize(1016, 734);
    setFocusPolicy(Qt::StrongFocus);

    buildTop();
    buildSides();
    buildBottom();
    buildMenu();

    // The keys act wherever the keyboard is on the scoreboard.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void TSkor::buildTop()
{
    Label4 = label(this, "Label4", "Winner:", {4, 4, 1009, 49}, "Verdana", 35, true);
    setTransparent(Label4, true);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(160, 8, 425, 38);
    ScoreboardLook::setFont(ComboBox1, "Verdana", 27, true);
    ComboBox1->setItemDelegate(new WinnerItemDelegate(ComboBox1));
    ComboBox1->hide();
    Label1 = label(this, "Label1", "Decision:", {592, 4, 177, 49}, "Verdana", 35, true);
    Label1->hide();
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName("ComboBox2");
    ComboBox2->setGeometry(776, 8, 147, 38);
    ScoreboardLook::setFont(ComboBox2, "Verdana", 27, true);
    ComboBox2->addItems({"AB", "RSC", "WO", "RSCH", "KO", "Points", "Disq", "Even", "Other"});
    ComboBox2->setCurrentIndex(-1);
    ComboBox2->hide();
    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(929, 8, 80, 38);
    ScoreboardLook::setFont(BitBtn1, "Verdana", 27, true);
    BitBtn1->setAutoDefault(false);
    BitBtn1->hide();
    connect(BitBtn1, &QPushButton::clicked, this, &TSkor::BitBtn1Click);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setGeometry(4, 44, 1009, 9);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    Label2 = label(this, "Label2", "Round", {452, 15, 121, 29}, "Verdana", 24, false, Qt::AlignCenter);
    Raunt = label(this, "Raunt", "0", {448, 42, 129, 105}, "Arial", 93, true, Qt::AlignCenter);
    n_time = label(this, "n_time", ":00:00", {764, 42, 237, 105}, "Arial", 93, true, Qt::AlignRight | Qt::AlignVCenter);
    Sira = label(this, "Sira", "Ring/Match: ", {8, 54, 345, 25}, "Verdana", 21, false);
    Brans = label(this, "Brans", QString(), {8, 82, 457, 25}, "Verdana", 21, false);
    Hakem = label(this, "Hakem", QString(), {8, 110, 457, 25}, "Verdana", 21, false);
    Label71 = new QLabel(this);
    Label71->setObjectName("Label71");
    Label71->hide();
}

void TSkor::buildSides()
{
    Panel1 = panel(this, "Panel1", {0, 138, 512, 509}, Blue);
    Panel2 = panel(this, "Panel2", {512, 138, 512, 509}, Red);

    for (QFrame* side : {Panel1, Panel2}) {
        const bool blue = side == Panel1;
        QLabel* name = label(side, blue ? "Ad1" : "Ad2", QString(), {8, 10, 489, 39}, "Verdana", 27, true,
                             Qt::AlignCenter);
        setTextColour(name, White);
        QFrame* flagPanel = new QFrame(side);
        flagPanel->setObjectName(blue ? "Panel9" : "Panel10");
        flagPanel->setGeometry(185, 50, 135, 128);
        flagPanel->setEnabled(false);
        auto* flag = new QToolButton(flagPanel);
        flag->setObjectName(blue ? "SpeedButton1" : "SpeedButton2");
        flag->setGeometry(0, 0, 135, 128);
        flag->setAutoRaise(true);
        flag->setIconSize({131, 124});
        QLabel* team = label(side, blue ? "Takim1" : "Takim2", "Bölge / Kulüp", {8, 186, 489, 33}, "Verdana", 21,
                             true, Qt::AlignCenter);
        setTextColour(team, White);
        if (blue) {
            Ad1 = name; Panel9 = flagPanel; SpeedButton1 = flag; Takim1 = team;
        } else {
            Ad2 = name; Panel10 = flagPanel; SpeedButton2 = flag; Takim2 = team;
        }
    }

    // Lead marks: the blue lines end at the middle of the screen, the red
    // ones begin there.
    const int tops[3] = {250, 274, 298};
    const int markWidth = SymbolLabel::lineWidth(5);
    SymbolLabel** blueMarks[3] = {&Label19, &Label20, &Label21};
    SymbolLabel** redMarks[3] = {&Label16, &Label17, &Label18};
    QLabel** blueLeads[3] = {&Label44, &Label45, &Label46};
    QLabel** redLeads[3] = {&Label41, &Label42, &Label43};
    const char* blueMarkNames[3] = {"Label19", "Label20", "Label21"};
    const char* redMarkNames[3] = {"Label16", "Label17", "Label18"};
    const char* blueLeadNames[3] = {"Label44", "Label45", "Label46"};
    const char* redLeadNames[3] = {"Label41", "Label42", "Label43"};
    for (int j = 0; j < 3; ++j) {
        *blueMarks[j] = marks(Panel1, blueMarkNames[j], "nnnnn", {412, tops[j], markWidth, 31}, Qt::AlignRight, Yellow);
        *redMarks[j] = marks(Panel2, redMarkNames[j], "nnnnn", {0, tops[j], markWidth, 31}, Qt::AlignLeft, Yellow);
        *blueLeads[j] = label(Panel1, blueLeadNames[j], QString(), {352, tops[j], 50, 29}, "Verdana", 21, true,
                              Qt::AlignRight | Qt::AlignVCenter);
        *redLeads[j] = label(Panel2, redLeadNames[j], QString(), {100, tops[j], 50, 29}, "Verdana", 21, true,
                             Qt::AlignLeft | Qt::AlignVCenter);
        setTextColour(*blueLeads[j], Yellow);
        setTextColour(*redLeads[j], Yellow);
    }

    // Penalty captions, marks and the counts they are drawn from.
    const int captionTops[3] = {414, 438, 462};
    const int markTops[3] = {416, 440, 464};
    const QString captions[3] = {"Minus:", "Fo:", "Ex:"};
    QLabel** blueCaptions[3] = {&Label35, &Label36, &Label37};
    QLabel** redCaptions[3] = {&Label38, &Label39, &Label40};
    SymbolLabel** bluePen[3] = {&Label47, &Label48, &Label49};
    SymbolLabel** redPen[3] = {&Label50, &Label51, &Label52};
    QLabel** blueCounts[3] = {&Label28, &Label29, &Label30};
    QLabel** redCounts[3] = {&Label31, &Label32, &Label33};
    for (int k = 0; k < 3; ++k) {
        const QByteArray bc = "Label" + QByteArray::number(35 + k);
        const QByteArray rc = "Label" + QByteArray::number(38 + k);
        const QByteArray bp = "Label" + QByteArray::number(47 + k);
        const QByteArray rp = "Label" + QByteArray::number(50 + k);
        const QByteArray bn = "Label" + QByteArray::number(28 + k);
        const QByteArray rn = "Label" + QByteArray::number(31 + k);
        *blueCaptions[k] = label(Panel1, bc.constData(), captions[k], {56, captionTops[k], 65, 23}, "Verdana", 19,
                                 false, Qt::AlignRight | Qt::AlignVCenter);
        *redCaptions[k] = label(Panel2, rc.constData(), captions[k], {216, captionTops[k], 65, 23}, "Verdana", 19,
                                false, Qt::AlignRight | Qt::AlignVCenter);
        setTextColour(*blueCaptions[k], White);
        setTextColour(*redCaptions[k], White);
        *bluePen[k] = marks(Panel1, bp.constData(), QString(), {125, markTops[k], 0, 21}, Qt::AlignLeft, White);
        *redPen[k] = marks(Panel2, rp.constData(), QString(), {287, markTops[k], 0, 21}, Qt::AlignLeft, White);
        *blueCounts[k] = new QLabel("0", Panel1);
        (*blueCounts[k])->setObjectName(bn);
        (*blueCounts[k])->hide();
        *redCounts[k] = new QLabel("0", Panel2);
        (*redCounts[k])->setObjectName(rn);
        (*redCounts[k])->hide();
    }

    Label54 = new QLabel(Panel1);
    Label54->setObjectName("Label54");
    Label54->hide();
    Label55 = new QLabel(Panel2);
    Label55->setObjectName("Label55");
    Label55->hide();

    PuanS1 = label(Panel1, "PuanS1", "00", {96, 184, 313, 289}, "Arial", 293, true, Qt::AlignCenter);
    PuanS2 = label(Panel2, "PuanS2", "00", {96, 184, 313, 289}, "Arial", 293, true, Qt::AlignCenter);
    setTextColour(PuanS1, White);
    setTextColour(PuanS2, White);
    PuanS1->hide();
    PuanS2->hide();

    // Foul and Exit circles of a semi-contact bout.
    auto circles = [this](QFrame* side, const char* panelName, const char* foulPrefix, const char* exitPrefix,
                          std::array<MarkCircle**, 4> fouls, std::array<MarkCircle**, 4> exits) {
        QFrame* p = new QFrame(side);
        p->setObjectName(panelName);
        p->setGeometry(8, 481, 496, 80);
        QLabel* foul = label(p, "", "F o u l", {8, 0, 220, 22}, "Verdana", 18, true, Qt::AlignCenter);
        QLabel* exit = label(p, "", "E x i t", {264, 0, 220, 22}, "Verdana", 18, true, Qt::AlignCenter);
        setTextColour(foul, White);
        setTextColour(exit, White);
        for (int i = 0; i < 4; ++i) {
            auto* f = new MarkCircle(i + 1, p);
            f->setObjectName(QString("%1%2").arg(foulPrefix).arg(i + 1));
            f->setGeometry(8 + i * 56, 26, 50, 50);
            *fouls[size_t(i)] = f;
            auto* e = new MarkCircle(i + 1, p);
            e->setObjectName(QString("%1%2").arg(exitPrefix).arg(i + 1));
            e->setGeometry(264 + i * 56, 26, 50, 50);
            *exits[size_t(i)] = e;
        }
        p->hide();
        return p;
    };
    Panel7 = circles(Panel1, "Panel7", "FMF", "FM", {&FMF1, &FMF2, &FMF3, &FMF4}, {&FM1, &FM2, &FM3, &FM4});
    Panel8 = circles(Panel2, "Panel8", "FKF", "FK", {&FKF1, &FKF2, &FKF3, &FKF4}, {&FK1, &FK2, &FK3, &FK4});
}

void TSkor::buildBottom()
{
    Panel3 = panel(this, "Panel3", {355, 472, 313, 105}, White);
    Puan1 = label(Panel3, "Puan1", "0", {4, 8, 145, 89}, "Arial", 93, true, Qt::AlignCenter);
    Label34 = label(Panel3, "Label34", ":", {130, 8, 30, 89}, "Arial", 93, true, Qt::AlignCenter);
    Puan2 = label(Panel3, "Puan2", "0", {160, 8, 145, 89}, "Arial", 93, true, Qt::AlignCenter);

    const int lefts[3] = {103, 440, 776};
    QFrame** boxes[3] = {&Panel4, &Panel5, &Panel6};
    QLabel** blues[3] = {&Label25, &Label26, &Label27};
    QLabel** reds[3] = {&Label22, &Label23, &Label24};
    QLabel** errors[3] = {&Label65, &Label66, &Label67};
    QLabel** lastRounds[3] = {&Label74, &Label75, &Label76};
    QLabel** names[3] = {&Label5, &Label14, &Label15};
    const char* boxNames[3] = {"Panel4", "Panel5", "Panel6"};
    const char* blueNames[3] = {"Label25", "Label26", "Label27"};
    const char* redNames[3] = {"Label22", "Label23", "Label24"};
    const char* errorNames[3] = {"Label65", "Label66", "Label67"};
    const char* lastNames[3] = {"Label74", "Label75", "Label76"};
    const char* nameNames[3] = {"Label5", "Label14", "Label15"};
    const int errorLefts[3] = {242, 579, 915};
    const int lastLefts[3] = {2, 339, 676};
    const int nameLefts[3] = {7, 345, 680};
    for (int j = 0; j < 3; ++j) {
        *boxes[j] = panel(this, boxNames[j], {lefts[j], 662, 137, 43}, White);
        *blues[j] = label(*boxes[j], blueNames[j], "0", {3, 0, 59, 38}, "Verdana", 32, true, Qt::AlignCenter);
        label(*boxes[j], "", ":", {60, 0, 12, 38}, "Verdana", 32, true, Qt::AlignCenter);
        *reds[j] = label(*boxes[j], redNames[j], "0", {72, 0, 59, 38}, "Verdana", 32, true, Qt::AlignCenter);
        *errors[j] = label(this, errorNames[j], "Connection Error", {errorLefts[j], 662, 98, 48}, "Arial", 19, false);
        (*errors[j])->setWordWrap(true);
        setTextColour(*errors[j], QColor(0xEC, 0x00, 0x00));
        *lastRounds[j] = label(this, lastNames[j], "Last Round", {lastLefts[j], 662, 102, 48}, "Arial", 19, false);
        (*lastRounds[j])->setWordWrap(true);
        setTextColour(*lastRounds[j], Yellow);
        *names[j] = label(this, nameNames[j], QString(), {nameLefts[j], 710, 329, 29}, "Verdana", 19, false,
                          Qt::AlignCenter);
    }

    QTimer** timers[3] = {&Timer1, &Timer2, &Timer3};
    void (TSkor::*ends[3])() = {&TSkor::Timer1Timer, &TSkor::Timer2Timer, &TSkor::Timer3Timer};
    for (int j = 0; j < 3; ++j) {
        auto* t = new QTimer(this);
        t->setObjectName(QString("Timer%1").arg(j + 1));
        t->setInterval(200);
        connect(t, &QTimer::timeout, this, ends[j]);
        *timers[j] = t;
    }
}

QAction* TSkor::item(const char* name, const QString& caption, const QKeySequence& key, void (TSkor::*slot)())
{
    auto* a = new QAction(caption, PopupMenu1);
    a->setObjectName(name);
    a->setShortcut(key);
    // The window's own key handling runs the items; the shortcut shows in
    // the menu and acts while the menu is open.
    a->setShortcutContext(Qt::WidgetShortcut);
    connect(a, &QAction::triggered, this, slot);
    PopupMenu1->addAction(a);
    return a;
}

void TSkor::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    MaviMinus1 = item("MaviMinus1", "Mavi Minus", Qt::Key_N, &TSkor::MaviMinus1Click);
    RedMinus1 = item("RedMinus1", "Red Minus", Qt::Key_M, &TSkor::RedMinus1Click);
    MaviFo1 = item("MaviFo1", "Mavi Fo", Qt::Key_J, &TSkor::MaviFo1Click);
    RedFo1 = item("RedFo1", "Red Fo", Qt::Key_K, &TSkor::RedFo1Click);
    MaviEx1 = item("MaviEx1", "Mavi Ex", Qt::Key_I, &TSkor::MaviEx1Click);
    RedEx1 = item("RedEx1", "Red Ex", Qt::Key_O, &TSkor::RedEx1Click);
    MaviMinus2 = item("MaviMinus2", "Mavi Minus-", Qt::CTRL | Qt::Key_N, &TSkor::MaviMinus2Click);
    RedMinus2 = item("RedMinus2", "Red Minus-", Qt::CTRL | Qt::Key_M, &TSkor::RedMinus2Click);
    MaviFo2 = item("MaviFo2", "Mavi Fo-", Qt::CTRL | Qt::Key_J, &TSkor::MaviFo2Click);
    RedFo2 = item("RedFo2", "Red Fo-", Qt::CTRL | Qt::Key_K, &TSkor::RedFo2Click);
    MaviEx2 = item("MaviEx2", "Mavi Ex-", Qt::CTRL | Qt::Key_I, &TSkor::MaviEx2Click);
    RedEx2 = item("RedEx2", "Red Ex-", Qt::CTRL | Qt::Key_O, &TSkor::RedEx2Click);
    StartStop1 = item("StartStop1", "Start Stop", Qt::Key_Space, &TSkor::StartStop1Click);
    Exit1 = item("Exit1", "Mac Bitir", Qt::Key_X, &TSkor::Exit1Click);
    MaBitir1 = item("MaBitir1", "Mac Bitir", Qt::Key_S, &TSkor::MaBitir1Click);
    laveRound1 = item("laveRound1", "İlave Round", Qt::Key_A, &TSkor::laveRound1Click);
    MaviPuan1 = item("MaviPuan1", "Mavi Puan+1", Qt::Key_1, &TSkor::MaviPuan1Click);
    MaviPuan21 = item("MaviPuan21", "Mavi Puan+2", Qt::Key_2, &TSkor::MaviPuan21Click);
    MaviPuan31 = item("MaviPuan31", "Mavi Puan+3", Qt::Key_3, &TSkor::MaviPuan31Click);
    RedH1Puan1 = item("RedH1Puan1", "Red Puan+1", Qt::Key_8, &TSkor::RedH1Puan1Click);
    RedPuan21 = item("RedPuan21", "Red Puan+2", Qt::Key_9, &TSkor::RedPuan21Click);
    RedPuan31 = item("RedPuan31", "Red Puan+3", Qt::Key_0, &TSkor::RedPuan31Click);
    MaviH2Puan1 = item("MaviH2Puan1", "Mavi Puan-1", Qt::CTRL | Qt::Key_1, &TSkor::MaviH2Puan1Click);
    MaviPuan22 = item("MaviPuan22", "Mavi Puan-2", Qt::CTRL | Qt::Key_2, &TSkor::MaviPuan22Click);
    MaviPuan32 = item("MaviPuan32", "Mavi Puan-3", Qt::CTRL | Qt::Key_3, &TSkor::MaviPuan32Click);
    RedH2Puan1 = item("RedH2Puan1", "Red Puan-1", Qt::CTRL | Qt::Key_8, &TSkor::RedH2Puan1Click);
    RedPuan22 = item("RedPuan22", "Red Puan-2", Qt::CTRL | Qt::Key_9, &TSkor::RedPuan22Click);
    RedPuan32 = item("RedPuan32", "Red Puan-3", Qt::CTRL | Qt::Key_0, &TSkor::RedPuan32Click);
    ScreenChange1 = item("ScreenChange1", "ScreenChange", Qt::Key_T, &TSkor::ScreenChange1Click);
    Exit2 = item("Exit2", "Exit", Qt::Key_Escape, &TSkor::Exit2Click);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });
}

QList<QWidget*> TSkor::mirroredControls() const
{
    return {Panel1,  Panel2,  Label35, Label36, Label37, Label38, Label39, Label40, Label47, Label48, Label49,
            Label50, Label51, Label52, Puan1,   Puan2,   Label22, Label23, Label24, Label25, Label26, Label27};
}

// ---------------------------------------------------------------------------
// Keys

bool TSkor::handleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(QKeyCombination(mods, Qt::Key(event->key())));
    for (QAction* a : PopupMenu1->actions()) {
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) {
            a->trigger();
            return true;
        }
    }
    return false;
}

bool TSkor::eventFilter(QObject* watched, QEvent* event)
{
    FScale.watch(watched, event);
    // Esc on the open right-click menu closes the menu only.
    if (event->type() == QEvent::KeyPress && watched == PopupMenu1 &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        return Form::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && watched != this && isVisible()) {
        if (handleKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return Form::eventFilter(watched, event);
}

void TSkor::keyPressEvent(QKeyEvent* event)
{
    if (handleKey(event))
        return;
    Form::keyPressEvent(event);
}

void TSkor::showEvent(QShowEvent* event)
{
    // Questions and errors raised while the scoreboard shows come above it,
    // and the keyboard comes back to it after them.
    FrontWindow::set(this);
    Form::showEvent(event);
}

void TSkor::hideEvent(QHideEvent* event)
{
    FrontWindow::clear(this);
    Form::hideEvent(event);
}

void TSkor::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    FScale.fit(size());
}

void TSkor::penalty(int kind, bool blue, bool add)
{
    if (!FLive)
        return;
    FLive->selectPenalty(Penalty(kind));
    if (blue)
        add ? FLive->SpeedButton5Click() : FLive->SpeedButton6Click();
    else
        add ? FLive->SpeedButton7Click() : FLive->SpeedButton8Click();
}

void TSkor::MaviMinus1Click() { penalty(Minus, true, true); }
void TSkor::RedMinus1Click() { penalty(Minus, false, true); }
void TSkor::MaviFo1Click() { penalty(Foul, true, true); }
void TSkor::RedFo1Click() { penalty(Foul, false, true); }
void TSkor::MaviEx1Click() { penalty(Exit, true, true); }
void TSkor::RedEx1Click() { penalty(Exit, false, true); }
void TSkor::MaviMinus2Click() { penalty(Minus, true, false); }
void TSkor::RedMinus2Click() { penalty(Minus, false, false); }
void TSkor::MaviFo2Click() { penalty(Foul, true, false); }
void TSkor::RedFo2Click() { penalty(Foul, false, false); }
void TSkor::MaviEx2Click() { penalty(Exit, true, false); }
void TSkor::RedEx2Click() { penalty(Exit, false, false); }

void TSkor::StartStop1Click()
{
    if (!FLive)
        return;
    if (FLive->Timer1->isEnabled())
        FLive->SpeedButton2Click();
    else
        FLive->SpeedButton1Click();
}

void TSkor::Exit1Click()
{
    if (FLive && FLive->FSemiContact == 0)
        FLive->SpeedButton13Click();
}

void TSkor::MaBitir1Click()
{
    if (FLive && FLive->FSemiContact == 1)
        FLive->SpeedButton13Click();
}

void TSkor::laveRound1Click() { if (FLive) FLive->IlaveRound(); }
void TSkor::MaviPuan1Click() { if (FLive) FLive->M_Arti_Puan(1); }
void TSkor::MaviPuan21Click() { if (FLive) FLive->M_Arti_Puan(2); }
void TSkor::MaviPuan31Click() { if (FLive) FLive->M_Arti_Puan(3); }
void TSkor::RedH1Puan1Click() { if (FLive) FLive->K_Arti_Puan(1); }
void TSkor::RedPuan21Click() { if (FLive) FLive->K_Arti_Puan(2); }
void TSkor::RedPuan31Click() { if (FLive) FLive->K_Arti_Puan(3); }
void TSkor::MaviH2Puan1Click() { if (FLive) FLive->M_Eksi_Puan(1); }
void TSkor::MaviPuan22Click() { if (FLive) FLive->M_Eksi_Puan(2); }
void TSkor::MaviPuan32Click() { if (FLive) FLive->M_Eksi_Puan(3); }
void TSkor::RedH2Puan1Click() { if (FLive) FLive->K_Eksi_Puan(1); }
void TSkor::RedPuan22Click() { if (FLive) FLive->K_Eksi_Puan(2); }
void TSkor::RedPuan32Click() { if (FLive) FLive->K_Eksi_Puan(3); }
void TSkor::ScreenChange1Click() { if (FLive) FLive->EkranDegis(); }
void TSkor::Exit2Click() { close(); }
void TSkor::BitBtn1Click() { if (FLive) FLive->X_Tus_Ok(); }

// ---------------------------------------------------------------------------
// Judge boxes

void TSkor::flashJudge(int judge, const QColor& colour)
{
    QFrame* boxes[3] = {Panel4, Panel5, Panel6};
    QTimer* timers[3] = {Timer1, Timer2, Timer3};
    if (judge < 1 || judge > 3)
        return;
    setBackground(boxes[judge - 1], colour);
    // A flash already running keeps its end.
    if (!timers[judge - 1]->isActive())
        timers[judge - 1]->start();
}

void TSkor::Timer1Timer()
{
    Timer1->stop();
    setBackground(Panel4, White);
}

void TSkor::Timer2Timer()
{
    Timer2->stop();
    setBackground(Panel5, White);
}

void TSkor::Timer3Timer()
{
    Timer3->stop();
    setBackground(Panel6, White);
}

std::pair<QColor, QColor> TSkor::ComboBox1DrawItem(int index)
{
    switch (index) {
    case 0: return {White, Blue};
    case 1: return {White, Red};
    case 2: return {QColor(0x80, 0x80, 0x80), White};
    default: return {QColor(), QColor()};
    }
}

// ---------------------------------------------------------------------------
// Display switch and close

void TSkor::FormActivate()
{
    if (!FScoringEdition)
        return;
    if (!m_switchedThisShowing) {
        const QSize now = DisplayMode::currentSize();
        FSavedScreenWidth = now.width();
        FSavedScreenHeight = now.height();
        if (FMatchScreen) {
            FSavedMatchScreenTop = FMatchScreen->y();
            FSavedMatchScreenLeft = FMatchScreen->x();
        }
        m_switchedThisShowing = true;
    }
    if (QSize(FSavedScreenWidth, FSavedScreenHeight) == kScoreboardMode || DisplayMode::currentSize() == kScoreboardMode)
        return;
    DisplayMode::changeSize(kScoreboardMode);
}

void TSkor::closeUnasked()
{
    m_closeUnasked = true;
    close();
    m_closeUnasked = false;
}

bool TSkor::FormCloseQuery()
{
    if (m_closeUnasked || !FLive || !FLive->closeNeedsConfirmation() || !Form5)
        return true;
    // "Evet" would end the running bout: "Hayır" is the default, and the
    // operator's next Space (the clock key) answers nothing.
    return Form5->confirm("Skorboard şu an aktif. Çıkmak istediğinizden emin misiniz...?", false, TForm5::DefaultNo);
}

void TSkor::FormClose()
{
    if (FLive)
        FLive->scoreboardClosed();
    else
        FBoutOpen = 0;
    if (FScoringEdition && m_switchedThisShowing && QSize(FSavedScreenWidth, FSavedScreenHeight) != kScoreboardMode) {
        DisplayMode::changeSize({FSavedScreenWidth, FSavedScreenHeight});
        if (FMatchScreen)
            FMatchScreen->move(FSavedMatchScreenLeft, FSavedMatchScreenTop);
    }
    m_switchedThisShowing = false;
}
