// A row typed into a data grid and not yet stored when its window is
// closed: closing stores it through the row's own checks, and a row the
// checks refuse keeps the window open with its message. Typed data is never
// dropped without a word.

#include "app/Main.h"
#include "app/setup/Metins.h"
#include "competition/TurnuvaGir.h"
#include "support/ScreenDriving.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace TypedRowsOnCloseTestLocal {

class TypedRowsOnClose : public SignedInTest {
protected:
    // Opens a screen from its main window command; `script` runs while it
    // shows.
    void fromCommand(const QString& command, const QString& screen, const std::function<void(QDialog*)>& script)
    {
        modals().expect(screen, [script](QDialog* d) {
            QApplication::setActiveWindow(d);
            script(d);
            // Whatever the script left open is given up.
            if (d->isVisible()) {
                for (TDBGrid* g : d->findChildren<TDBGrid*>())
                    g->cancel();
            }
        });
        Main->runCommand(command);
        EXPECT_EQ(modals().pending(), 0);
    }
    // Types into a cell and leaves its editor open, as a clerk who goes for
    // the close box.
    // On the activity screen: a new row of the seniors' "TÜRKİYE ŞAMPİYONASI".
    static TDBGrid* newSeniorsActivity(int seniors)
    {
        TTurnuvaGir* s = TurnuvaGir;
        s->DBLookupComboBox2->setCurrentIndex(s->DBLookupComboBox2->findText("TÜRKİYE ŞAMPİYONASI"));
        Q_EMIT s->DBLookupComboBox2->activated(s->DBLookupComboBox2->currentIndex());
        s->DBLookupComboBox1->setCurrentIndex(s->DBLookupComboBox1->findData(seniors));
        Q_EMIT s->DBLookupComboBox1->activated(s->DBLookupComboBox1->currentIndex());
        s->Yeni1->trigger();
        return s->DBGrid1;
    }

    static void typeAndLeave(TDBGrid* grid, int row, const QString& field, const QString& text)
    {
        grid->setFocus();
        grid->setCurrentIndex(gridCell(grid, row, field));
        typeInto(grid, text);
        ASSERT_NE(QApplication::focusWidget(), grid) << "no cell editor opened";
    }
    int count(const QString& sql, const QVariantMap& p = {}) { return db.scalar(sql, p).toInt(); }
};

TEST_F(TypedRowsOnClose, ALetterTextsNameTypedAndLeftIsStoredWhenTheWindowCloses)
{
    fromCommand("MektupMetni1", "TMetins", [](QDialog* d) {
        Metins->Yeni1->trigger();
        typeAndLeave(Metins->DBGrid1, 0, "Met_Adi", "bayram kutlaması");
        d->close();
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    EXPECT_EQ(count("select count(*) from METINLER where Met_Adi = 'BAYRAM KUTLAMASI'"), 1);
}

TEST_F(TypedRowsOnClose, AnActivityTypedAndLeftIsStoredWhenTheWindowCloses)
{
    const int seniors = count("select Durum_Key from C_BRANSADI where Durum = 'BÜYÜKLER'");
    fromCommand("FaaliyetGiriEkran1", "TTurnuvaGir", [seniors](QDialog* d) {
        TDBGrid* grid = newSeniorsActivity(seniors);
        grid->setFieldValue("Yer", "İZMİR");
        grid->setFieldValue("Tarih1", QDate(2009, 3, 5));
        grid->setFieldValue("Tarih2", QDate(2009, 3, 8));
        typeAndLeave(grid, grid->currentRow(), "Adi", "bahar kupası");
        d->close();
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    EXPECT_EQ(count("select count(*) from C_TURNUVA where Adi = 'BAHAR KUPASI' and Yer = 'İZMİR'"), 1);
}

TEST_F(TypedRowsOnClose, ARowTheChecksRefuseKeepsTheWindowOpenUntilItIsPutRightOrDropped)
{
    db.insert("METINLER", {{"Met_Key", 610}, {"Met_Adi", "DAVET"}});
    fromCommand("MektupMetni1", "TMetins", [this](QDialog* d) {
        TDBGrid* grid = Metins->DBGrid1;
        Metins->Yeni1->trigger();
        const int row = grid->currentRow();
        typeAndLeave(grid, row, "Met_Adi", "davet");
        d->close();
        EXPECT_TRUE(d->isVisible()) << "the refused row keeps the window open";
        EXPECT_EQ(ui().texts(), QStringList{"Girmiş Olduğunuz Bilgiler Daha Önce Girilmiştir. Lütfen Düzeltiniz ...!"});
        EXPECT_EQ(grid->state(), TDBGrid::Insert);
        EXPECT_EQ(grid->currentRecord().str("Met_Adi"), "DAVET") << "what was typed is still there";

        // Esc drops the row on purpose; then the window closes.
        ui().clear();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Escape);
        EXPECT_EQ(grid->state(), TDBGrid::Browse);
        d->close();
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(ui().texts().isEmpty());
    });
    EXPECT_EQ(count("select count(*) from METINLER"), 1);
}

TEST_F(TypedRowsOnClose, ADateThatIsNoneKeepsTheWindowOpenWithWhatWasTyped)
{
    const int seniors = count("select Durum_Key from C_BRANSADI where Durum = 'BÜYÜKLER'");
    fromCommand("FaaliyetGiriEkran1", "TTurnuvaGir", [this, seniors](QDialog* d) {
        TDBGrid* grid = newSeniorsActivity(seniors);
        grid->setFieldValue("Adi", "BAHAR KUPASI");
        grid->setFieldValue("Yer", "İZMİR");
        grid->setFieldValue("Tarih1", QDate(2009, 3, 5));
        grid->setFieldValue("Tarih2", QDate(2009, 3, 8));
        typeAndLeave(grid, grid->currentRow(), "Tarih2", "35.13.2009");
        auto* editor = qobject_cast<QLineEdit*>(grid->cellEditor());
        ASSERT_NE(editor, nullptr);
        d->close();
        EXPECT_TRUE(d->isVisible()) << "the refused date keeps the window open";
        EXPECT_EQ(ui().texts(), QStringList{"Hatalı Tarih Girdiniz ...!"});
        ASSERT_EQ(grid->cellEditor(), editor) << "the cell editor stays open";
        EXPECT_EQ(editor->text(), "35.13.2009") << "with what was typed";
        EXPECT_EQ(QApplication::focusWidget(), editor);
        EXPECT_EQ(count("select count(*) from C_TURNUVA where Adi = 'BAHAR KUPASI'"), 0) << "nothing stored yet";

        // Put right, the row is stored with the date typed and the window
        // closes.
        ui().clear();
        editor->selectAll();
        typeInto(editor, "09.03.2009");
        d->close();
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    });
    const auto stored = db.first("select * from C_TURNUVA where Adi = 'BAHAR KUPASI'");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->date("Tarih2"), QDate(2009, 3, 9));
}

} // namespace TypedRowsOnCloseTestLocal
