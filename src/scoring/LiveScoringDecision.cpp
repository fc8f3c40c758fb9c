// Live scoring: the judges' evaluation, the operator's end of the bout, the
// announcement with the winner's advancement, and the copy to the main
// database.
#include "scoring/LiveScoring.h"

#include "competition/MatchState.h"
#include "platform/db/Database.h"
#include "platform/ui/Messages.h"
#include "scoring/Advancement.h"
#include "scoring/MainDatabaseCopy.h"
#include "scoring/ScoreboardWidgets.h"
#include "scoring/Skor.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace ScoreboardLook;

QString LiveScoring::judgeName(int judge) const
{
    if (!m_skor)
        return QString();
    const QLabel* names[3] = {m_skor->Label5, m_skor->Label14, m_skor->Label15};
    return names[judge - 1]->text();
}

void LiveScoring::SonucDeg()
{
    Event event(*this);
    if (FBoutEnded == 1 || !m_skor)
        return;
    TSkor& k = *m_skor;
    // The last round's points from the round records; a bout of four rounds
    // is settled on its fourth.
    QStringList records;
    if (const auto row = m_db.first("Select Kura_Key,R1,R2,R3,R4 from C_KURA where Kura_Key = :k", {{"k", openBoutKey()}}))
        records = {row->str("R1"), row->str("R2"), row->str("R3"), row->str("R4")};
    const std::array<int, 12> last = RoundRecord::lastRound(records);
    for (int i = records.size() - 1; i >= 0; --i) {
        if (!records[i].isEmpty()) {
            Analiz(records[i]);
            break;
        }
    }

    QLabel* captions[3] = {k.Label74, k.Label75, k.Label76};
    for (QLabel* c : captions)
        c->hide();
    const Judging::Evaluation e = Judging::evaluate(m_v.cards, last);
    FLastRoundWinners = e.lastRoundWinners;
    for (int j = 0; j < 3; ++j) {
        if (FLastRoundWinners[size_t(j)] == 0)
            continue;
        const bool blue = FLastRoundWinners[size_t(j)] == 1;
        captions[j]->setText(blue ? "Last round BLUE" : "Last round RED");
        setTextColour(captions[j], blue ? Blue : Red);
        captions[j]->show();
    }

    if (e.askJudge == 0) {
        FAwaitingJudgeDecision = 0;
        FDecision = "Points";
        m_v.cards.puan1 = e.puan1;
        m_v.cards.puan2 = e.puan2;
        show();
        FWinnerSide = e.winnerSide;
        KazananIlan();
        FJudgeLocks = {1, 1, 1};
        return;
    }

    // A card level in the last round too: its judge decides with his next
    // button.
    const int j = e.askJudge;
    k.Label2->hide();
    k.Label4->setAlignment(Qt::AlignCenter);
    setTransparent(k.Label4, false);
    setStatus(QString("Referee-%1 (%2) Decision?").arg(j).arg(judgeName(j)), Black);
    FJudgeLocks = {1, 1, 1};
    FJudgeLocks[size_t(j - 1)] = 0;
    setBackground(k.Panel1, Blue);
    setBackground(k.Panel2, Red);
    FAwaitingJudgeDecision = 1;
    SerialPortAc();
    FMiceLive = 1;
}

void LiveScoring::SpeedButton13Click()
{
    Event event(*this);
    if (!boutOpen() || !m_skor)
        return;
    if (FSemiContact == 0 && FBoutEnded == 1)
        return;
    FBoutEnded = 1;
    TSkor& k = *m_skor;
    if (Timer2->isEnabled()) {
        // The next break tick ends the break.
        m_v.clock = 0;
        k.n_time->setText(clockText());
    } else {
        SpeedButton2Click();
    }
    k.ComboBox1->clear();
    k.ComboBox1->addItems({m_v.ad1, m_v.ad2, "EVEN"});
    k.ComboBox1->setCurrentIndex(-1);
    k.ComboBox2->setCurrentIndex(-1);
    k.Label4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTransparent(k.Label4, false);
    setStatus("Winner:", Black);
    // The winner list takes the place of the "Round" caption.
    k.Label2->hide();
    k.ComboBox1->show();
    k.Label1->show();
    k.ComboBox2->show();
    k.BitBtn1->show();
}

void LiveScoring::X_Tus_Ok()
{
    Event event(*this);
    if (!boutOpen() || !m_skor)
        return;
    TSkor& k = *m_skor;
    if (k.ComboBox1->currentIndex() < 0) {
        Messages::error("Lütfen Kazanan Sporcuyu Seçiniz ...!");
        return;
    }
    if (k.ComboBox2->currentIndex() < 0) {
        Messages::error("Lütfen Kararı Seçiniz ...!");
        return;
    }
    FDecision = k.ComboBox2->currentText();
    switch (k.ComboBox1->currentIndex()) {
    case 0:
        FWinnerSide = 1;
        if (FSemiContact == 0) {
            m_v.cards.puan1 = 3;
            m_v.cards.puan2 = 0;
        }
        break;
    case 1:
        FWinnerSide = 2;
        if (FSemiContact == 0) {
            m_v.cards.puan1 = 0;
            m_v.cards.puan2 = 3;
        }
        break;
    default:
        FDecision = "EVEN";
        FWinnerSide = 0;
        break;
    }
    show();
    setTransparent(k.Label4, true);
    hideWinnerEntry();
    KazananIlan();
    FDeviceLive = 0;
    FMiceLive = 0;
}

void LiveScoring::KazananIlan()
{
    Event event(*this);
    if (!m_skor)
        return;
    TSkor& k = *m_skor;
    const int key = openBoutKey();
    QString warning;
    bool advanced = false;
    {
        // The winner, his advancement and the decision reach the database
        // together, with the rest of the event that decided the bout.
        eventWrite();
        Transaction tx(m_db);
        if (FWinnerSide == 1 || FWinnerSide == 2) {
            const bool blue = FWinnerSide == 1;
            setTransparent(k.Label4, true);
            setStatus("WINNER by " + FDecision + "!", Yellow);
            setBackground(blue ? k.Panel1 : k.Panel2, blue ? Blue : Red);
            const bool left = blue == (FNormalSides == 1);
            k.Label4->setAlignment((left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            const QString name = blue ? m_v.ad1 : m_v.ad2;
            if (m_host.boutListOpen() && !name.isEmpty()) {
                s.FWinnerNo = blue ? k.Label54->text() : k.Label55->text();
                s.FWinnerName = name;
                if (m_host.locateBout(key))
                    advanced = Advancement(m_db, s).GalipIs(key);
                else
                    warning = QString("Ekranda farkı bir %1 açık olduğundan Galip Sporcu işlenemedi. Lütfen manual "
                                      "olarak işleyiniz ...!")
                                  .arg(m_host.listShowsRings() ? "Ring" : "Branş");
            } else if (!m_host.boutListOpen()) {
                warning = "Listeleme alanı aktif olmadığından Galip Sporcu işlenemedi. Lütfen manual olarak "
                          "işleyiniz ...!";
            }
        } else {
            k.Label2->hide();
            setTransparent(k.Label4, true);
            setStatus("EVEN!", Yellow);
            k.Label4->setAlignment(Qt::AlignCenter);
            setBackground(k.Panel1, Blue);
            setBackground(k.Panel2, Red);
        }
        m_db.update("C_KURA", {{"Karar", FDecision}, {"Puan1", m_v.cards.puan1}, {"Puan2", m_v.cards.puan2}},
                    "Kura_Key = :w_k", {{"w_k", key}});
        // The bouts the advancement wrote wait for the main database from
        // the moment the decision is stored: a decision stored without them
        // could be lost there for good by a kill before the copy.
        if (advanced)
            MainDatabaseCopy(m_db, FProgramFolder, FMainDatabasePath).queue(s.FChangedBoutKeys);
        tx.commit();
    }
    // Stored before anything is said or copied to the main database.
    settleEvent();
    setTextColour(k.PuanS1, White);
    setTextColour(k.PuanS2, White);
    FBoutDecided = 1;
    if (advanced)
        m_host.reloadBoutList(key);
    if (!warning.isEmpty())
        Messages::warning(warning);
    if (advanced)
        MusServeraIsle();
    if (FWinnerSide == 1)
        setBackground(k.Panel2, bgr(FLoserColour));
    else if (FWinnerSide == 2)
        setBackground(k.Panel1, bgr(FLoserColour));
}

void LiveScoring::MusServeraIsle()
{
    m_host.MusVarSenkron();
    MainDatabaseCopy(m_db, FProgramFolder, FMainDatabasePath).copy(s.FChangedBoutKeys);
}
