#include "app/kit/DbGrid.h"
#include "app/kit/Formats.h"
#include "platform/db/Schema.h"
#include "platform/ui/Messages.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace {

// A small table of users, as the users screen keeps them.
class DbGridTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        Schema s;
        s.addTable({"T_GRID",
                    {Col::integer("Key_No"), Col::text("Ad"), Col::text("Sifre"), Col::text("RF"), Col::date("Tarih"),
                     Col::real("Kilo"), Col::integer("Kusak_Key"), Col::text("Tipi")},
                    "Key_No",
                    {}});
        s.create(db);
        db.insert("T_GRID", {{"Key_No", 1}, {"Ad", "ADMIN"}, {"Sifre", "1234"}, {"RF", "YOK"},
                             {"Tarih", QDate(2009, 3, 5)}, {"Kilo", 72.5}, {"Kusak_Key", 2}, {"Tipi", "ULUSAL"}});
        db.insert("T_GRID", {{"Key_No", 2}, {"Ad", "HAKEM MASASI"}, {"Sifre", "42"}, {"RF", "VAR"}});
        db.insert("T_GRID", {{"Key_No", 3}, {"Ad", "OPERATÖR"}, {"Sifre", "77"}, {"RF", "VAR"}, {"Kusak_Key", 1}});

        window.resize(700, 300);
        auto* layout = new QVBoxLayout(&window);
        grid = new TDBGrid(&window);
        grid->setObjectName("DBGrid1");
        layout->addWidget(grid);
        GridColumn tarih("Tarih", "Tarih", 70);
        tarih.date = true;
        tarih.alignment = Qt::AlignHCenter;
        GridColumn kilo("Kilo", "", 50);
        kilo.alignment = Qt::AlignRight;
        kilo.titleAlignment = Qt::AlignRight;
        GridColumn kusak("Kusak_Adi", "Kuşak", 80);
        kusak.keyField = "Kusak_Key";
        kusak.lookup = {{1, "BEYAZ"}, {2, "SARI"}};
        GridColumn tipi("Tipi", "Tipi", 90);
        tipi.pickList = {"ULUSAL", "ULUSLAR ARASI"};
        GridColumn key("Key_No", "No", 30);
        key.text = [](const Record& r) { return "#" + r.str("Key_No"); };
        key.color = QColor(128, 128, 128);
        grid->setColumns({{"Ad", "Kullanıcı Adı", 160}, {"Sifre", "Şifre", 60}, {"RF", "Müsabaka", 40}, tarih, kilo,
                          kusak, tipi, key});
        savedSeparator = Formats::decimalSeparator();
        Formats::setDecimalSeparator(',');
        window.show();
        QApplication::setActiveWindow(&window);
        load();
    }
    void TearDown() override
    {
        Formats::setDecimalSeparator(savedSeparator);
        window.hide();
        StationTest::TearDown();
    }
    void load() { grid->setRecords(db.select("select * from T_GRID order by Key_No")); }

    // The users screen's rules: checks before a post, a writer into the table.
    void makeEditable()
    {
        grid->setReadOnly(false);
        grid->setPostCheck([this](Record& row) {
            ++checks;
            if (row.toInt("Key_No") == 1)
                TDBGrid::setValue(row, "RF", "YOK");
            if (row.str("Ad").isEmpty() || row.str("Sifre").isEmpty() || row.str("Ad").startsWith(' ')) {
                Messages::error("Hatalı Giriş ...!");
                return false;
            }
            TDBGrid::setValue(row, "RF", row.str("RF").toUpper());
            return true;
        });
        grid->setWriter([this](const Record& row, bool isNew) {
            writes << qMakePair(row.toInt("Key_No"), isNew);
            QVariantMap f{{"Ad", row.value("Ad")},     {"Sifre", row.value("Sifre")},
                          {"RF", row.value("RF")},     {"Tarih", row.value("Tarih")},
                          {"Kusak_Key", row.value("Kusak_Key")}, {"Tipi", row.value("Tipi")}};
            if (isNew) {
                f.insert("Key_No", row.value("Key_No"));
                db.insert("T_GRID", f);
            } else {
                db.update("T_GRID", f, "Key_No = :k", {{"k", row.value("Key_No")}});
            }
        });
    }
    QModelIndex cell(int row, const QString& field) const
    {
        return grid->model()->index(row, grid->columnOf(field));
    }
    // Types into a cell the way an operator does: the first key opens the
    // cell editor, Enter ends it.
    void typeCell(int row, const QString& field, const QString& text)
    {
        grid->setFocus();
        grid->setCurrentIndex(cell(row, field));
        typeInto(grid, text);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid) << "no cell editor opened";
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    void clickRow(int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->visualRect(cell(row, "Ad")).center());
    }
    QString stored(int key, const QString& field)
    {
        return db.scalar("select " + field + " from T_GRID where Key_No = :k", {{"k", key}}).toString();
    }

    QWidget window;
    TDBGrid* grid = nullptr;
    QChar savedSeparator;
    int checks = 0;
    QList<QPair<int, bool>> writes;
};

// --- Columns -----------------------------------------------------------------

TEST_F(DbGridTest, ColumnsShowTheirTitlesWidthsAndAlignment)
{
    QAbstractItemModel* m = grid->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "Kullanıcı Adı");
    EXPECT_EQ(m->headerData(grid->columnOf("Kilo"), Qt::Horizontal).toString(), "Kilo") << "no title: the field";
    EXPECT_EQ(grid->columnWidth(0), 160);
    EXPECT_EQ(grid->columnWidth(grid->columnOf("Tarih")), 70);
    EXPECT_EQ(m->data(cell(0, "Tarih"), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(m->headerData(grid->columnOf("Kilo"), Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
}

TEST_F(DbGridTest, CellsShowDatesNumbersLookupsAndComputedTexts)
{
    EXPECT_EQ(grid->cellText(0, grid->columnOf("Tarih")), "05.03.2009");
    EXPECT_EQ(grid->cellText(1, grid->columnOf("Tarih")), "");
    EXPECT_EQ(grid->cellText(0, grid->columnOf("Kilo")), "72,5") << "the user's decimal separator";
    EXPECT_EQ(grid->cellText(0, grid->columnOf("Kusak_Adi")), "SARI");
    EXPECT_EQ(grid->cellText(1, grid->columnOf("Kusak_Adi")), "") << "no key, no name";
    EXPECT_EQ(grid->cellText(2, grid->columnOf("Kusak_Adi")), "BEYAZ");
    EXPECT_EQ(grid->cellText(2, grid->columnOf("Key_No")), "#3");
    EXPECT_EQ(grid->model()->data(cell(2, "Key_No"), Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 128));
}

TEST_F(DbGridTest, AnotherScreenHidesRetitlesAndRepointsColumnsByField)
{
    // As the main window treats the bout grid.
    EXPECT_TRUE(grid->setColumnVisible("Sifre", false));
    EXPECT_TRUE(grid->isColumnHidden(1));
    EXPECT_FALSE(grid->setColumnVisible("Tur_Mac", false)) << "no such column";
    EXPECT_TRUE(grid->setColumnReadOnly("rf", true, Qt::CaseInsensitive));
    EXPECT_FALSE(grid->setColumnReadOnly("rf", true)) << "compared exactly by default";
    grid->setReadOnly(false);
    EXPECT_FALSE(grid->model()->flags(cell(0, "RF")) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->model()->flags(cell(0, "Ad")) & Qt::ItemIsEditable);

    const int i = grid->columnOf("Ad");
    GridColumn c = grid->column(i);
    c.field = "Tipi";
    c.title = "Bölge";
    c.width = 100;
    c.alignment = Qt::AlignLeft;
    grid->setColumn(i, c);
    EXPECT_EQ(grid->columnOf("Ad"), -1);
    EXPECT_EQ(grid->columnOf("Tipi"), i);
    EXPECT_EQ(grid->model()->headerData(i, Qt::Horizontal).toString(), "Bölge");
    EXPECT_EQ(grid->columnWidth(i), 100);
    EXPECT_EQ(grid->cellText(0, i), "ULUSAL");

    // A field the rows lack shows empty cells.
    c.field = "Bolge1";
    grid->setColumn(i, c);
    EXPECT_EQ(grid->cellText(0, i), "");
}

// --- Current row ---------------------------------------------------------------

TEST_F(DbGridTest, CurrentRowFollowsLoadClicksKeysAndLocate)
{
    QSignalSpy scrolled(grid, &TDBGrid::rowChanged);
    load();
    ASSERT_EQ(scrolled.count(), 1) << "opening the rows scrolls to the first";
    EXPECT_EQ(scrolled.last().at(0).toInt(), 0);
    EXPECT_EQ(grid->currentRecord().str("Ad"), "ADMIN");
    clickRow(2);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(scrolled.last().at(0).toInt(), 2);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(grid->currentRecord().str("Ad"), "HAKEM MASASI");
    EXPECT_EQ(scrolled.count(), 3);
    // Moving to another column of the same row is no scroll.
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentField(), "Sifre");
    EXPECT_EQ(scrolled.count(), 3);
    EXPECT_TRUE(grid->locate("Key_No", "3"));
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_FALSE(grid->locate("Key_No", 9));
    EXPECT_EQ(grid->currentRow(), 2);

    grid->setRecords({});
    EXPECT_EQ(scrolled.last().at(0).toInt(), -1);
    EXPECT_TRUE(grid->currentRecord().isEmpty());
    EXPECT_TRUE(grid->isEmpty());
}

TEST_F(DbGridTest, DoubleClickAndKeySignals)
{
    QSignalSpy doubled(grid, &TDBGrid::dblClick);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(cell(1, "Ad")).center());
    EXPECT_EQ(doubled.count(), 1);
    EXPECT_EQ(grid->currentRow(), 1);

    QList<int> keys;
    QObject::connect(grid, &TDBGrid::keyPressed, [&](QKeyEvent* e, bool* consumed) {
        keys << e->key();
        if (e->key() == Qt::Key_Down)
            *consumed = true;  // the screen takes Down for itself
    });
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 1) << "a consumed key is not the grid's";
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(keys, QList<int>({Qt::Key_Down, Qt::Key_Up}));
}

TEST_F(DbGridTest, MultiSelectTakesCtrlClicks)
{
    grid->setMultiSelect(true);
    clickRow(0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, grid->visualRect(cell(2, "Ad")).center());
    EXPECT_EQ(grid->selectedRows(), QList<int>({0, 2}));
    clickRow(1);
    EXPECT_EQ(grid->selectedRows(), QList<int>({1}));
}

// --- Editing -------------------------------------------------------------------

TEST_F(DbGridTest, ReadOnlyByDefault)
{
    grid->setFocus();
    typeInto(grid, "x");
    EXPECT_EQ(QApplication::focusWidget(), grid) << "no cell editor";
    EXPECT_FALSE(grid->model()->setData(cell(0, "Ad"), "X"));
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
}

TEST_F(DbGridTest, ChangedRowIsCheckedAndStoredWhenTheCursorLeavesIt)
{
    makeEditable();
    QSignalSpy posted(grid, &TDBGrid::afterPost);
    typeCell(1, "Ad", "MASA 2");
    EXPECT_EQ(grid->state(), TDBGrid::Edit);
    EXPECT_TRUE(grid->isModified());
    EXPECT_EQ(stored(2, "Ad"), "HAKEM MASASI") << "not stored while the row is in edit";
    typeCell(1, "RF", "yok");
    EXPECT_EQ(checks, 0);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
    EXPECT_EQ(stored(2, "Ad"), "MASA 2");
    EXPECT_EQ(stored(2, "RF"), "YOK") << "the check's correction is stored";
    EXPECT_EQ(writes, (QList<QPair<int, bool>>{{2, false}}));
    EXPECT_EQ(posted.count(), 1);
    EXPECT_EQ(grid->record(1).str("RF"), "YOK");
}

TEST_F(DbGridTest, RefusedRowStaysInEditUntilCorrected)
{
    makeEditable();
    typeCell(2, "Ad", " BOŞLUK");
    clickRow(0);
    EXPECT_EQ(ui().texts(), QStringList({"Hatalı Giriş ...!"}));
    EXPECT_EQ(grid->currentRow(), 2) << "the cursor stays on the refused row";
    EXPECT_EQ(grid->state(), TDBGrid::Edit);
    EXPECT_EQ(grid->currentRecord().str("Ad"), " BOŞLUK") << "the typed value is kept for correction";
    EXPECT_EQ(stored(3, "Ad"), "OPERATÖR");
    EXPECT_FALSE(grid->setCurrentRow(1));
    EXPECT_EQ(ui().count(), 2);
    typeCell(2, "Ad", "OPERATÖR 2");
    EXPECT_TRUE(grid->setCurrentRow(1));
    EXPECT_EQ(stored(3, "Ad"), "OPERATÖR 2");
    EXPECT_EQ(writes.size(), 1);
}

TEST_F(DbGridTest, AdministratorRowIsStoredWithYokWhateverWasTyped)
{
    makeEditable();
    typeCell(0, "RF", "VAR");
    ASSERT_TRUE(grid->post());
    EXPECT_EQ(stored(1, "RF"), "YOK");
    EXPECT_EQ(grid->currentRecord().str("RF"), "YOK");
}

TEST_F(DbGridTest, EscapeDropsTheChangesOfTheRow)
{
    makeEditable();
    typeCell(1, "Ad", "YANLIŞ");
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
    EXPECT_EQ(grid->currentRecord().str("Ad"), "HAKEM MASASI");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(writes.isEmpty());
}

TEST_F(DbGridTest, EditAndPostStoresTheCurrentRowThroughTheCheck)
{
    makeEditable();
    grid->setCurrentRow(2);
    ASSERT_TRUE(grid->editRow());
    EXPECT_TRUE(grid->post());
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(writes, (QList<QPair<int, bool>>{{3, false}}));
    // A row put into edit and left unchanged is not posted.
    ASSERT_TRUE(grid->editRow());
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
}

TEST_F(DbGridTest, WriterFailureIsShownAndTheRowStaysInEdit)
{
    makeEditable();
    grid->setWriter([](const Record&, bool) { throw DbError("disk dolu"); });
    typeCell(1, "Ad", "MASA");
    EXPECT_FALSE(grid->post());
    EXPECT_EQ(ui().lastText(), "disk dolu");
    EXPECT_EQ(grid->state(), TDBGrid::Edit);
    EXPECT_EQ(grid->currentRecord().str("Ad"), "MASA");
}

TEST_F(DbGridTest, CheckFailureIsShownAndLaterPostsStillRun)
{
    makeEditable();
    bool fail = true;
    grid->setPostCheck([&](Record&) {
        if (fail)
            throw DbError("sorgu hatası");
        return true;
    });
    typeCell(1, "Ad", "MASA");
    EXPECT_FALSE(grid->post());
    EXPECT_EQ(ui().lastText(), "sorgu hatası");
    EXPECT_EQ(grid->state(), TDBGrid::Edit);
    fail = false;
    EXPECT_TRUE(grid->post());
    EXPECT_EQ(stored(2, "Ad"), "MASA");
}

TEST_F(DbGridTest, WriterThatShowsTheRowsAnewLeavesAConsistentGrid)
{
    makeEditable();
    grid->setWriter([this](const Record& row, bool) {
        db.update("T_GRID", {{"Ad", row.value("Ad")}}, "Key_No = :k", {{"k", row.value("Key_No")}});
        load();  // the screen reopens its query
    });
    QSignalSpy posted(grid, &TDBGrid::afterPost);
    typeCell(2, "Ad", "SON");
    EXPECT_TRUE(grid->post());
    EXPECT_EQ(posted.count(), 1);
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->record(2).str("Ad"), "SON");
}

TEST_F(DbGridTest, DatesLookupsAndPickListsAreTypedOrPicked)
{
    makeEditable();
    typeCell(1, "Tarih", "5.3.2010");
    EXPECT_EQ(grid->cellText(1, grid->columnOf("Tarih")), "05.03.2010");
    typeCell(1, "Tarih", "31.02.2010");
    EXPECT_EQ(ui().lastText(), "Hatalı Tarih Girdiniz ...!");
    EXPECT_EQ(grid->cellText(1, grid->columnOf("Tarih")), "05.03.2010");
    // Picking a belt name writes its key.
    ASSERT_TRUE(grid->model()->setData(cell(1, "Kusak_Adi"), "BEYAZ"));
    EXPECT_EQ(grid->currentRecord().toInt("Kusak_Key"), 1);
    ASSERT_TRUE(grid->post());
    EXPECT_EQ(stored(2, "Tarih"), "2010-03-05");
    EXPECT_EQ(stored(2, "Kusak_Key"), "1");

    // The pick list's cell offers its values and takes free typing.
    grid->setCurrentIndex(cell(1, "Tipi"));
    grid->edit(cell(1, "Tipi"));
    auto* combo = grid->viewport()->findChild<QComboBox*>("InplaceEditor");
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "ULUSLAR ARASI");
}

TEST_F(DbGridTest, ScreenSwallowsTheKeysTypedIntoOneColumn)
{
    // As the belt grid keeps its style column for its own dialog.
    makeEditable();
    QObject::connect(grid, &TDBGrid::keyPressed, [this](QKeyEvent* e, bool* consumed) {
        if (grid->currentField().toLower() == "sifre" && !e->text().isEmpty())
            *consumed = true;
    });
    grid->setFocus();
    grid->setCurrentIndex(cell(0, "Sifre"));
    typeInto(grid, "99");
    EXPECT_EQ(QApplication::focusWidget(), grid) << "no editor opened";
    grid->edit(cell(0, "Sifre"));
    auto* editor = grid->viewport()->findChild<QLineEdit*>("InplaceEditor");
    ASSERT_NE(editor, nullptr);
    typeInto(editor, "99");
    EXPECT_EQ(editor->text(), "1234");
    typeCell(0, "Ad", "YÖNETİCİ");
    EXPECT_EQ(grid->currentRecord().str("Ad"), "YÖNETİCİ") << "other columns take typing";
}

TEST_F(DbGridTest, ReadOnlyColumnsAndComputedColumnsTakeNoInput)
{
    makeEditable();
    grid->setColumnReadOnly("Sifre", true);
    EXPECT_FALSE(grid->model()->setData(cell(0, "Sifre"), "9"));
    EXPECT_FALSE(grid->model()->setData(cell(0, "Key_No"), "9"));
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
}

// --- New rows ----------------------------------------------------------------------

TEST_F(DbGridTest, WithoutANewRowHandlerTheGridStartsNoRowsOfItsOwn)
{
    makeEditable();
    grid->setCurrentRow(2);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
}

TEST_F(DbGridTest, RefusedNewRowsNeverShow)
{
    makeEditable();
    bool inserting = false;  // the users screen's FInserting
    int asked = 0;
    grid->setNewRowHandler([&](Record&) {
        ++asked;
        return inserting;
    });
    QSignalSpy scrolled(grid, &TDBGrid::rowChanged);
    grid->setCurrentRow(2);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
    EXPECT_EQ(scrolled.count(), 1);
}

TEST_F(DbGridTest, NewRowGetsItsKeyAndIsInsertedWhenLeft)
{
    makeEditable();
    int nextKey = 10;
    grid->setNewRowHandler([&](Record& row) {
        TDBGrid::setValue(row, "Key_No", nextKey++);
        TDBGrid::setValue(row, "RF", "VAR");
        return true;
    });
    grid->setCurrentRow(2);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->state(), TDBGrid::Insert);
    EXPECT_EQ(grid->currentRecord().toInt("Key_No"), 10);
    EXPECT_FALSE(grid->isModified()) << "the handler's values are no change";
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->rowCount(), 4) << "Down on an untouched new row adds no other";
    typeCell(3, "Ad", "YENİ");
    typeCell(3, "Sifre", "55");
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(writes, (QList<QPair<int, bool>>{{10, true}}));
    EXPECT_EQ(stored(10, "Ad"), "YENİ");
    EXPECT_EQ(stored(10, "RF"), "VAR");
    EXPECT_EQ(grid->currentRow(), 2);
}

TEST_F(DbGridTest, UntouchedNewRowDisappearsWhenLeft)
{
    makeEditable();
    grid->setNewRowHandler([](Record& row) {
        TDBGrid::setValue(row, "Key_No", 20);
        return true;
    });
    grid->setCurrentRow(1);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Insert);
    ASSERT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->currentRow(), 1) << "inserted at the cursor";
    EXPECT_EQ(grid->currentRecord().toInt("Key_No"), 20);
    EXPECT_EQ(grid->record(2).str("Ad"), "HAKEM MASASI");
    clickRow(3);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->currentRecord().str("Ad"), "OPERATÖR") << "the clicked row, moved up by one";
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(writes.isEmpty());

    // A new row from "Yeni", cancelled with Esc.
    ASSERT_TRUE(grid->appendRow());
    EXPECT_EQ(grid->currentRow(), 3);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->state(), TDBGrid::Browse);
}

// --- Turkish upper-casing ----------------------------------------------------------

TEST_F(DbGridTest, TypedCellsTakeTurkishCapitalsAndEnterStaysInTheGrid)
{
    makeEditable();
    grid->setTurkishUpper();
    typeCell(1, "Ad", QString::fromUtf8("istanbul ışık"));
    EXPECT_EQ(grid->currentRecord().str("Ad").toStdString(), "İSTANBUL IŞIK");
    EXPECT_EQ(QApplication::focusWidget(), grid) << "Enter ended the cell edit inside the grid";
    // Typed into a pick-list cell.
    typeCell(1, "Tipi", "ulusal");
    EXPECT_EQ(grid->currentRecord().str("Tipi"), "ULUSAL");
    ASSERT_TRUE(grid->post());
    EXPECT_EQ(stored(2, "Ad").toStdString(), "İSTANBUL IŞIK");
}

} // namespace
