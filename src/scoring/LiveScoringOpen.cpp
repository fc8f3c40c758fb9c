// Live scoring: opening a bout on the scoreboard, resetting a bout's scores,
// and what the scoreboard's close leaves behind.
#include "scoring/LiveScoring.h"

#include "app/dialogs/Form5.h"
#include "app/dialogs/SifreCheck.h"
#include "app/kit/Logo.h"
#include "app/kit/RegionFlags.h"
#include "app/kit/WeightCategories.h"
#include "competition/MatchState.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"
#include "platform/ui/Messages.h"
#include "scoring/Advancement.h"
#include "scoring/ScoreboardWidgets.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWindow>

using namespace ScoreboardLook;

namespace {

int typedNumber(const Record& row, const QString& column)
{
    return row.str(column).trimmed().toInt();
}

// A column the bout cannot be scored without.
bool missing(const Record& row, const QString& column)
{
    return row.isNull(column) || row.str(column).trimmed().isEmpty();
}

} // namespace

void LiveScoring::layOutFor(bool semi)
{
    TSkorb_giris& d = *m_dialog;
    TSkor& k = *m_skor;
    // What only a full-contact bout has: the third judge and the hand-box
    // test in the dialog; the judges' boxes, the penalty lines and the totals
    // on the scoreboard.
    QList<QWidget*> fullContact{d.Label11, d.Label13, d.Label16, d.Label6, d.Edit3};
    for (QWidget* m : d.testMarks())
        fullContact << m;
    fullContact << k.Panel4 << k.Panel5 << k.Panel6 << k.Label35 << k.Label36 << k.Label37 << k.Label38
                << k.Label39 << k.Label40 << k.Label48 << k.Label49 << k.Label51 << k.Label52 << k.Panel3;
    // What only a semi-contact bout has: the large points and the warning
    // circles.
    const QList<QWidget*> semiContact{k.PuanS1, k.PuanS2, k.Panel7, k.Panel8};
    for (QWidget* w : fullContact)
        w->setVisible(!semi);
    for (QWidget* w : semiContact)
        w->setVisible(semi);
    const int panelHeight = semi ? 568 : 509;
    for (QFrame* panel : {k.Panel1, k.Panel2}) {
        const QRect g = k.FScale.designGeometry(panel);
        k.FScale.place(panel, QRect(g.topLeft(), QSize(g.width(), panelHeight)));
    }
    if (semi) {
        d.Label19->setText("Uzatma Süresi");
        d.Label19->show();
        d.Edit11->show();
        d.Label20->hide();
        k.Panel7->move(8, 481);
        k.Panel8->move(8, 481);
        FFoulLimit = 4;
        FExitLimit = 4;
        return;
    }
    d.Label19->setText("Test beklenirken farenin pozisyonu");
    d.Label19->setVisible(FMiceMode == 1);
    d.Label20->setVisible(FMiceMode == 1);
    d.Edit11->hide();
    FFoulLimit = 15;
    FExitLimit = 15;
}

QString LiveScoring::regionFor(const Record& row, int side) const
{
    const QString n = QString::number(side);
    if (!row.str("Bolge" + n).isEmpty())
        return row.str("Bolge" + n);
    const auto entry = m_db.first("select Bolge from C_LISTE where Sira = :s", {{"s", typedNumber(row, "Sira" + n)}});
    return entry ? entry->str("Bolge") : QString();
}

QString LiveScoring::clubFor(const Record& row, int side) const
{
    const QString n = QString::number(side);
    if (!row.str("Klup" + n).isEmpty())
        return row.str("Klup" + n);
    const auto entry = m_db.first("select Klup from C_LISTE where Sira = :s", {{"s", typedNumber(row, "Sira" + n)}});
    return entry ? entry->str("Klup") : QString();
}

void LiveScoring::showFlag(int side, const QString& region, bool* english)
{
    QString picture = brivexLogoFile();
    if (!region.isEmpty()) {
        const RegionFlags::Region r = RegionFlags::region(m_db, region);
        if (r.english)
            *english = true;
        picture = RegionFlags::flagOrLogo(r.key, FProgramFolder);
    }
    QToolButton* glyph = side == 1 ? m_skor->SpeedButton1 : m_skor->SpeedButton2;
    glyph->setProperty("picture", picture);
    glyph->setIcon(QIcon(QPixmap(DriveMap::toHost(picture))));
}

void LiveScoring::MsabakayEkranaYkle1Click()
{
    bind();
    if (!m_skor || !m_dialog)
        return;
    if (boutOpen()) {
        Messages::warning("Şu an Açık Skorboard Bulunmaktadır. Yeni Skorboard Açmak için Öncekini Kapatmanız "
                          "Gerekmektedir ...!");
        return;
    }
    const int key = m_host.currentBoutKey();
    if (!m_host.boutListOpen() || key == 0)
        return;
    if (m_host.boutListEditing()) {
        Messages::error("Lütfen skorboard'ı açmayı tekrar deneyiniz ...!");
        m_host.postBoutListEdit();
        return;
    }
    const auto found = m_db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
    if (!found)
        return;
    const Record& row = *found;
    TSkor& k = *m_skor;
    TSkorb_giris& d = *m_dialog;

    // The kind of bout and the layout for it.
    const QString brans = row.str("Brans");
    FSemiContact = WeightCategories::isSemiContact(brans) ? 1 : 0;
    layOutFor(FSemiContact == 1);

    if (s.FRestrictedUser == 1 && !row.str("Karar").isEmpty()) {
        SifreCheck->showModal();
        if (SifreCheck->FPasswordOk != 1) {
            Messages::error("Karara bağlanmış müsabakayı açma yetkiniz bulunmamaktadır...!");
            return;
        }
    }
    if (m_host.boutClockColumnHidden()) {
        Messages::warning(QString("Lütfen Tekrar %1 Seçiniz ...!").arg(m_host.listShowsRings() ? "Ring" : "Branş"));
        return;
    }
    if (row.str("Sira1").isEmpty() || row.str("Sira2").isEmpty() || row.str("Bolge1") == "Pass" ||
        row.str("Bolge2") == "Pass") {
        Messages::warning("Yarışacak Sporcular Belli Olmadığından Skorboard Açılamıyor ...!");
        return;
    }
    for (const char* c : {"Puan1", "Puan2", "Foul1", "Foul2", "Raunt", "n_time"}) {
        if (missing(row, c)) {
            Messages::warning("Müsabaka Bilgilerinin Bazıları Girilmemiş Olduğundan Skorboard Açılamıyor ...!");
            return;
        }
    }

    // The bout's live values.
    if (FHomePending) {
        homeLefts();
        FHomePending = 0;
    }
    k.FOpenBoutKey = QString::number(key);
    Values v;
    v.ad1 = row.str("Ad1");
    v.ad2 = row.str("Ad2");
    v.sira1 = row.str("Sira1");
    v.sira2 = row.str("Sira2");
    v.clock = ClockText::parse(row.str("n_time")).value_or(0);
    v.round = typedNumber(row, "Raunt");
    v.brans = brans;
    for (int j = 0; j < 3; ++j) {
        v.cards.judgeBlue[size_t(j)] = typedNumber(row, QString("H%1M").arg(j + 1));
        v.cards.judgeRed[size_t(j)] = typedNumber(row, QString("H%1K").arg(j + 1));
        v.cards.blue[size_t(j)] = typedNumber(row, QString("C%1M").arg(j + 1));
        v.cards.red[size_t(j)] = typedNumber(row, QString("C%1K").arg(j + 1));
    }
    v.cards.puan1 = typedNumber(row, "Puan1");
    v.cards.puan2 = typedNumber(row, "Puan2");
    m_v = v;
    show();
    if (!row.str("H1").isEmpty())
        d.Edit1->setText(row.str("H1"));
    if (!row.str("H2").isEmpty())
        d.Edit2->setText(row.str("H2"));
    // A semi-contact bout has no third judge: its row keeps what it holds
    // and never the judge of the bout before.
    if (FSemiContact == 1 || !row.str("H3").isEmpty())
        d.Edit3->setText(row.str("H3"));
    d.Edit8->setText(row.str("Hakem"));

    // Ring and match number.
    if (const auto code = RingMatch::split(row.str("Skor"))) {
        d.Edit10->setText(code->ring);
        d.Edit9->setText(code->match);
    } else {
        QStringList codes;
        for (const Record& r : m_db.select("select Skor from C_KURA where Brans = :b and Skor <> '' order by Kura_Key",
                                           {{"b", brans}}))
            codes << r.str("Skor");
        // Without a ring of the branch the ring of the last opened bout is
        // proposed (ring 1 at first), so the proposal can be accepted.
        const int lastRing = d.Edit10->text().trimmed().toInt();
        const RingMatch::Code proposal = RingMatch::propose(codes, lastRing >= 1 ? lastRing : 1);
        d.Edit10->setText(proposal.ring);
        d.Edit9->setText(proposal.match);
    }

    // Times and counts.
    if (const auto stored = ClockText::parse(row.str("d_time"))) {
        FBoutDuration = ClockText::format(*stored);
    } else {
        const bool final = row.str("Tur") == Rounds::Final;
        FBoutDuration = row.str("Cinsiyet") == "BAYAN" ? (final ? s.FFinalTimeWomen : s.FMatchTimeWomen)
                                                       : (final ? s.FFinalTimeMen : s.FMatchTimeMen);
    }
    if (!missing(row, "Raunt_Say"))
        s.FRoundCount = typedNumber(row, "Raunt_Say");
    d.Edit4->setText(FBoutDuration.mid(3, 5));
    d.Edit5->setText(s.FBreakTime.mid(3, 5));
    d.Edit6->setText(QString::number(s.FRoundCount));
    d.Edit7->setText(QString::number(s.FMinusPoints()));

    for (QLabel* l : {k.Label65, k.Label66, k.Label67, k.Label74, k.Label75, k.Label76})
        l->hide();

    // The hand-box test while the dialog is open.
    FTestMode = 1;
    SerialPortAc();
    FMiceLive = 1;
    const bool mice = FMiceLinked == 1 && FMiceMode == 1 && FSemiContact == 0;
    if (mice)
        m_inputs->registerMice();
    d.FSemiContact = FSemiContact;
    d.FByRing = m_host.listShowsRings() ? 1 : 0;
    d.FTestRequired = m_inputs->handBoxesAttached() ? 1 : 0;
    d.FDatabase = &m_db;
    d.showModal();
    FDeviceLive = 0;
    FMiceLive = 0;
    FTestMode = 0;
    if (d.FCancelled == 1) {
        m_inputs->closeDevice();
        if (FSemiContact == 0 && FMiceMode == 1)
            m_inputs->removeMice();
        return;
    }

    // The bout is open.
    m_host.setLinkButtonVisible(false);
    k.FBoutOpen = 1;
    k.FLive = this;
    k.FMatchScreen = m_host.matchScreen();
    FExtraRound = 0;
    MusBilgiGoster();
    setBackground(k.Panel1, Blue);
    setBackground(k.Panel2, Red);
    k.Label4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTransparent(k.Label4, true);
    k.Label2->show();
    FAwaitingJudgeDecision = 0;
    FDecision = row.str("Karar");
    hideWinnerEntry();
    FBoutEnded = 0;
    FBoutDecided = 0;
    FJudgeLocks = {};
    FLastRoundWinners = {};
    setStatus("READY", Black);
    if (!FDecision.isEmpty()) {
        const int left = FNormalSides == 1 ? m_v.cards.puan1 : m_v.cards.puan2;
        const int right = FNormalSides == 1 ? m_v.cards.puan2 : m_v.cards.puan1;
        setStatus(QString("Score: %1-%2 %3").arg(left).arg(right).arg(FDecision), Purple);
    }

    const int ring = d.Edit10->text().trimmed().toInt();
    const int match = d.Edit9->text().trimmed().toInt();
    k.Sira->setText(QString("Ring/Match: %1/%2").arg(d.Edit10->text().trimmed(), d.Edit9->text().trimmed()));
    k.Label71->setText(QString::number(ring));
    const QString ringLabel = m_time->today().toString("dd.MM.yyyy") + " / " + FRingWord + "-" + QString::number(ring);
    FBoutDuration = "00:" + d.Edit4->text();
    s.FBreakTime = "00:" + d.Edit5->text();
    s.FRoundCount = d.Edit6->text().trimmed().toInt();
    s.setMinusPoints(d.Edit7->text().trimmed().toInt());
    FExtraDuration = "00:" + d.Edit11->text();

    // The round length against the clock.
    const int length = ClockText::parse(FBoutDuration).value_or(0);
    const std::optional<int> stored = ClockText::parse(row.str("d_time"));
    const int remaining = m_v.clock;
    bool writeRemaining = false;
    bool writeLength = false;
    const QString updated = "Müsabaka Süresi (" + FBoutDuration.mid(3, 5) + ") olarak Güncellendi";
    if (stored != length) {
        if (stored == remaining || length < remaining) {
            m_v.clock = length;
            writeRemaining = writeLength = true;
            Messages::warning(updated + " ...!");
        } else {
            writeLength = true;
            Messages::warning(updated + ". Kalan Süre Değiştirilmedi ...!");
        }
    } else if (length < remaining) {
        Messages::warning("DİKKAT..! KALAN SÜRE MÜSABAKA SÜRESİNDEN FAZLA");
    }
    if (typedNumber(row, "Raunt") > s.FRoundCount) {
        if (FSemiContact == 1)
            FExtraRound = 1;
        else
            Messages::warning("DİKKAT..! ROUND SAYISINI BULUNULAN ROUND'DAN DÜŞÜK GİRDİNİZ");
    }

    // Regions or clubs under the names, and the flags.
    k.Takim1->show();
    k.Takim2->show();
    const QString region1 = regionFor(row, 1);
    const QString region2 = regionFor(row, 2);
    if (d.RadioButton1->isChecked()) {
        k.Takim1->setText(region1);
        k.Takim2->setText(region2);
    } else if (d.RadioButton2->isChecked()) {
        k.Takim1->setText(clubFor(row, 1));
        k.Takim2->setText(clubFor(row, 2));
    } else {
        k.Takim1->hide();
        k.Takim2->hide();
    }
    bool english = false;
    showFlag(1, region1, &english);
    showFlag(2, region2, &english);
    QString caption = brans;
    if (english)
        caption.replace("ERKEK", "MALE").replace("BAYAN", "FEMALE");
    k.Brans->setText(caption);

    // Names of the officials.
    if (FSemiContact == 0) {
        k.Label5->setText(d.Edit1->text());
        k.Label14->setText(d.Edit2->text());
        k.Label15->setText(d.Edit3->text());
        k.Hakem->setText(d.Edit8->text().isEmpty() ? QString() : "Referee: " + d.Edit8->text());
    } else {
        k.Label5->setText(d.Edit8->text());
        k.Label14->setText(d.Edit1->text());
        k.Label15->setText(d.Edit2->text());
        k.Hakem->clear();
    }

    // The settings into the bout row, in one write.
    QVariantMap fields{{"H1", d.Edit1->text()},
                       {"H2", d.Edit2->text()},
                       {"H3", d.Edit3->text()},
                       {"Hakem", d.Edit8->text()},
                       {"Skor", RingMatch::compose(ring, match)},
                       {"Tar_Saat", ringLabel},
                       {"Raunt_Say", s.FRoundCount},
                       {"Kata1", QString()},
                       {"Kata2", QString()}};
    if (writeRemaining)
        fields.insert("n_time", FBoutDuration);
    if (writeLength)
        fields.insert("d_time", FBoutDuration);
    m_db.update("C_KURA", fields, "Kura_Key = :w_k", {{"w_k", key}});

    // Bars and marks from the cards, the totals as stored.
    const int puan1 = m_v.cards.puan1;
    const int puan2 = m_v.cards.puan2;
    PuanHesap();
    m_v.cards.puan1 = puan1;
    m_v.cards.puan2 = puan2;
    show();

    if (ringLabel != row.str("Tar_Saat"))
        m_host.reloadRingList();
    FRoundEndSave = 0;
    FConvertedWarnings = {};
    FWarningEffects = {};
    k.setWindowState(k.windowState() | Qt::WindowMaximized);
    // The match screen runs modally: the scoreboard's window belongs to it,
    // or the modal screen would keep the scoreboard's keys from it.
    if (QWidget* screen = m_host.matchScreen()) {
        k.winId();
        if (QWindow* own = k.windowHandle())
            own->setTransientParent(screen->window()->windowHandle());
    }
    k.show();
    k.raise();
    k.activateWindow();
}

// ---------------------------------------------------------------------------
// Score reset

void LiveScoring::SkorboardSfrla1Click()
{
    const int key = m_host.currentBoutKey();
    if (!m_host.boutListOpen() || key == 0)
        return;
    // The bout on the scoreboard keeps writing its live values: it is reset
    // once it is closed.
    if (boutOpen() && openBoutKey() == key) {
        Messages::error("Bu Müsabaka Şu an Skorboard'da Açık. Sıfırlamak için Önce Skorboard'ı Kapatınız ...!");
        return;
    }
    if (s.FRestrictedUser == 1) {
        SifreCheck->showModal();
        if (SifreCheck->FPasswordOk != 1) {
            Messages::error("Müsabakayı Admin Kullanıcı sıfırlayabilir...!");
            return;
        }
    }
    // The judges' points of the bout are lost by "Evet": "Hayır" is the default.
    if (!Form5->confirm("Müsabaka Puanları Sıfırlanacaktır. Eminmisiniz...?", false, TForm5::DefaultNo))
        return;

    Transaction tx(m_db);
    const auto before = m_db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
    if (!before)
        return;
    // The reset empties the winner: his place in the next round's bout goes
    // back to the label, so that a new decision advances the new winner.
    if (s.FScoringStation == 1 && !(before->str("Salon").isEmpty() && before->str("Galip").isEmpty())) {
        s.FWinnerBoutKey = key;
        Advancement(m_db, s).GalipSil();
    }
    const Record row = m_db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}}).value_or(*before);
    const QVariantMap old = row.toMap();
    QVariantMap reset = old;
    s.FScoreResetting = 1;
    s.DBSifirla2(reset);
    s.FScoreResetting = 0;
    QVariantMap changed;
    for (auto it = reset.constBegin(); it != reset.constEnd(); ++it)
        if (it.key().compare("Kura_Key", Qt::CaseInsensitive) != 0 && old.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    if (!changed.isEmpty())
        m_db.update("C_KURA", changed, "Kura_Key = :w_k", {{"w_k", key}});
    tx.commit();
    m_host.reloadBoutList(key);
}

// ---------------------------------------------------------------------------
// The scoreboard's close

bool LiveScoring::closeNeedsConfirmation() const
{
    const bool running = Timer1->isEnabled() || Timer2->isEnabled() || FDecision.isEmpty();
    const bool devicesThere = FMiceMode == 0 || FMiceLinked == 1;
    return running && devicesThere;
}

void LiveScoring::scoreboardClosed()
{
    // The clock stops, and the bout row keeps the remaining time of the
    // round; a break that was running is over.
    if (boutOpen()) {
        if (Timer1->isEnabled()) {
            Timer1->setEnabled(false);
            if (clockAtZero()) {
                FRoundEndSave = 1;
                n_time_save();
                FRoundEndSave = 0;
                if (m_v.round < s.FRoundCount)
                    endBreak(false);
            } else {
                n_time_save();
            }
        } else if (Timer2->isEnabled()) {
            endBreak(false);
        }
    }
    stopTimers();
    FDeviceLive = 0;
    FMiceLive = 0;
    if (m_skor)
        m_skor->FBoutOpen = 0;
    s.FSkipActivate = 1;
    GroupBox2->hide();
    m_host.MusVarSenkron();
    const int current = m_host.currentBoutKey();
    if (m_host.boutListOpen() && current != 0)
        m_host.reloadBoutList(current);
    MusBilgiGoster();
    if (FSerialDevice)
        m_inputs->closeDevice();
    if (FMiceMode == 1 && FSemiContact == 0)
        m_inputs->removeMice();
}
