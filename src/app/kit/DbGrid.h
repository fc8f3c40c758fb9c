#pragma once
// TDBGrid: the program's data grid. It shows rows of the database layer
// (`Records`) in columns named by field, keeps a current row, and can let
// the operator correct and add rows in place, each row stored through the
// owning screen's check and writer.
//
// Showing rows:
//
//   DBGrid1->setColumns({{"Tip", "Kullanıcı Türü", 90}, {"Ad", "Kullanıcı Adı", 160},
//                        {"Sifre", "Şifre", 80}});
//   DBGrid1->setRecords(db.select("select * from C_SIFRE order by Key_No"));
//   connect(DBGrid1, &TDBGrid::rowChanged, this, &TUsers::Query1AfterScroll);
//   connect(DBGrid1, &TDBGrid::dblClick, this, &TKlupGiris1::DBGrid1DblClick);
//   const int key = DBGrid1->currentRecord().toInt("Key_No");
//
// Columns are addressed by field name, so a screen may change another
// screen's grid:
//
//   grid->setColumnVisible("Tur_Mac", false);
//   grid->setColumnReadOnly("Puan1", true);
//   GridColumn c = grid->column(grid->columnOf("Sira1"));
//   c.field = "Bolge1"; c.title = "Bölge"; c.width = 100;
//   grid->setColumn(grid->columnOf("Sira1"), c);
//
// Editing (off by default: setReadOnly(false)). A changed row is in edit
// mode until the cursor leaves it (or post() is called); then the check
// runs (it may correct the row, or refuse it after showing its message: the
// row stays in edit mode and the cursor stays on it) and the writer stores
// it. A row left unchanged is not posted. Esc, or cancel(), drops the
// changes. New rows come from appendRow()/insertRow() (a "Yeni" command)
// and, when a new-row handler is set, from the grid itself (Down past the
// last row, Insert); the handler fills a new row's keys or refuses it.
//
//   grid->setNewRowHandler([this](Record& row) {
//       if (!FInserting) return false;      // users are added through "Kaydet"
//       TDBGrid::setValue(row, "Tur_Key", Counters::next(db, "Sayi"));
//       return true;
//   });
//   grid->setPostCheck([](Record& row) {
//       if (row.str("Ad").isEmpty()) { Messages::error("Hatalı Giriş ...!"); return false; }
//       TDBGrid::setValue(row, "R/F", row.str("R/F").toUpper());
//       return true;
//   });
//   grid->setWriter([&db](const Record& row, bool isNew) { ... db.insert / db.update ... });
//
// A data-layer error from the writer is shown and the row stays in edit mode.
// Typed letters are upper-cased the Turkish way with setTurkishUpper().

#include "platform/db/Database.h"

#include <QColor>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QTableView>

#include <functional>

struct GridColumn {
    GridColumn() = default;
    GridColumn(QString fieldName, QString titleText = QString(), int widthPixels = 64)
        : field(std::move(fieldName)), title(std::move(titleText)), width(widthPixels) {}

    QString field;                  // the field the column shows and edits
    QString title;                  // "" shows the field name
    int width = 64;                 // pixels (shown at least as wide as the title)
    bool visible = true;
    bool readOnly = false;
    Qt::Alignment alignment = Qt::AlignLeft;        // of the cells
    Qt::Alignment titleAlignment = Qt::AlignLeft;   // of the title
    QColor color;                   // text colour; invalid: the grid's
    bool date = false;              // shown and typed as "dd.mm.yyyy", stored as a date
    QStringList pickList;           // values the cell's drop-down offers; typing stays free
    // A lookup column: shows the name paired with the value of keyField and
    // writes the value of the name picked into keyField.
    QString keyField;
    QList<QPair<QVariant, QString>> lookup;
    // A computed column (read-only): its text for a row.
    std::function<QString(const Record&)> text;
    // Cells drawn struck out for the rows it names (an absent athlete).
    std::function<bool(const Record&)> struckOut;

    QString shownTitle() const { return title.isEmpty() ? field : title; }
};

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    enum State { Browse, Edit, Insert };
    // Runs for every new row before it shows; may fill it; false drops it.
    using NewRowHandler = std::function<bool(Record& row)>;
    // Runs before a row is stored; may change it; false (after its own
    // message) keeps the row in edit mode unstored.
    using PostCheck = std::function<bool(Record& row)>;
    // Stores a checked row (isNew for a row the grid added).
    using Writer = std::function<void(const Record& row, bool isNew)>;

    explicit TDBGrid(QWidget* parent = nullptr);

    // --- Columns -----------------------------------------------------------
    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    // The first column showing the field (-1 when none).
    int columnOf(const QString& field, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    const GridColumn& column(int index) const { return m_columns.at(index); }
    void setColumn(int index, const GridColumn& column);
    // On every column showing the field; false when none does.
    bool setColumnVisible(const QString& field, bool visible, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    bool setColumnReadOnly(const QString& field, bool readOnly, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    // The text a cell shows.
    QString cellText(int row, int column) const;

    // --- Rows --------------------------------------------------------------
    // Shows these rows (an edit in progress is dropped); the first row
    // becomes current and rowChanged follows, as after opening a query.
    void setRecords(const Records& rows);
    const Records& records() const { return m_rows; }
    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // -1 when the grid has no row.
    int currentRow() const;
    // The current row as it stands (with the changes of an edit); empty
    // when the grid has no row.
    Record currentRecord() const;
    Record record(int row) const;
    // Moves the cursor; a row in edit is posted first. False when the move
    // was refused or the row does not exist.
    bool setCurrentRow(int row);
    // Moves to the first row whose field holds the value.
    bool locate(const QString& field, const QVariant& value);
    // The field of the current column.
    QString currentField() const;
    // Several rows selected with Ctrl and Shift clicks (whole rows); the
    // program's own moves of the current row select nothing.
    void setMultiSelect(bool on);
    // Whole rows highlighted instead of single cells.
    void setRowSelect(bool on);
    QList<int> selectedRows() const;

    // --- Editing -----------------------------------------------------------
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    void setNewRowHandler(NewRowHandler handler) { m_newRow = std::move(handler); }
    void setPostCheck(PostCheck check) { m_check = std::move(check); }
    void setWriter(Writer writer) { m_writer = std::move(writer); }
    State state() const { return m_state; }
    bool isModified() const { return m_modified; }
    // Starts a new row after the last row / at the current row. A row in
    // edit is posted first. False when it was refused.
    bool appendRow();
    bool insertRow();
    // Puts the current row into edit mode (without changing it).
    bool editRow();
    // Stores the row in edit: check, then writer. True when it was stored
    // or nothing was in edit.
    bool post();
    // Drops the changes of the row in edit (a new row disappears).
    void cancel();
    // Before the window closes: what was typed (an open cell editor
    // included) is stored through the check and the writer. True when
    // nothing typed is left unstored; false when the check or the writer
    // refused the row (after its message), which then stays in edit, or
    // when the open cell editor's value was refused (a date that is none,
    // after its message): that editor then stays open with what was typed.
    bool postTyped();
    // The open cell editor, if any.
    QWidget* cellEditor() const { return m_editor; }
    // Writes a field of the current row (putting it into edit mode).
    bool setFieldValue(const QString& field, const QVariant& value);
    // Sets a field of a row (adds it when the row lacks it).
    static void setValue(Record& row, const QString& field, const QVariant& value);

    // Typed letters go through the Turkish upper-casing (grid form: Enter
    // keeps its grid meaning).
    void setTurkishUpper();

Q_SIGNALS:
    // The current row changed (also after setRecords and for a new row);
    // -1 when the grid is empty.
    void rowChanged(int row);
    void dblClick();
    // Every key pressed in the grid or in a cell editor, before the grid
    // handles it; a receiver that handles it itself sets *consumed.
    void keyPressed(QKeyEvent* event, bool* consumed);
    // A row was stored.
    void afterPost(const Record& row, bool isNew);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Model;
    class Delegate;
    friend class Model;
    friend class Delegate;

    const Record& rowAt(int row) const;
    QVariant editText(int row, int column) const;
    bool setCell(int row, int column, const QVariant& value);
    bool editable(int column) const;
    bool startNewRow(int position);
    // Before the cursor leaves the row in edit for `target`: an unchanged
    // row is left as it was (a new one dropped), a changed one posted.
    // False when the post was refused. `target` follows a dropped row.
    bool leaveEditRow(int& target);
    void dropEdit();
    // Hands the open cell editor's value to the row and closes the editor.
    // False when the value was refused (its message shown); with
    // `keepRefused` the editor then stays open with what was typed.
    bool commitEditor(bool keepRefused = false);
    void discardEditor();
    void applyColumnLayout();
    int shownWidth(int column) const;
    void moveCurrent(int row, int column);
    QItemSelectionModel::SelectionFlags programMove() const;
    int firstVisibleColumn() const;
    void notifyRow(bool force = false);
    QStringList newRowFields() const;

    Model* m_model;
    QList<GridColumn> m_columns;
    Records m_rows;
    QStringList m_fieldNames;
    Record m_buffer;
    int m_editRow = -1;
    State m_state = Browse;
    bool m_modified = false;
    bool m_readOnly = true;
    bool m_moving = false;
    bool m_posting = false;
    bool m_cellRefused = false;     // the last value handed over was refused
    int m_lastRow = -1;
    int m_generation = 0;
    QPointer<QWidget> m_editor;
    bool m_turkish = false;
    NewRowHandler m_newRow;
    PostCheck m_check;
    Writer m_writer;
};
