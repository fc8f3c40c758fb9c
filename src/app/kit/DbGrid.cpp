#include "app/kit/DbGrid.h"

#include "app/kit/Formats.h"
#include "app/kit/TurkishEntry.h"
#include "platform/ui/Messages.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// Whether two field values are the same (a key read as a number matches the
// same key read as text).
bool sameValue(const QVariant& a, const QVariant& b)
{
    const bool aNull = !a.isValid() || a.isNull();
    const bool bNull = !b.isValid() || b.isNull();
    if (aNull || bNull)
        return aNull == bNull;
    if (isNumber(a) && isNumber(b))
        return a.toDouble() == b.toDouble();
    return a.toString() == b.toString();
}

// Sets a flag for the length of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

// A field's value; nothing when the row has no such field.
QVariant fieldValue(const Record& r, const QString& field)
{
    return r.has(field) ? r.value(field) : QVariant();
}

} // namespace

// ---------------------------------------------------------------------------
// The model: the grid's rows and columns as Qt sees them.

class TDBGrid::Model : public QAbstractTableModel {
public:
    explicit Model(TDBGrid* grid) : QAbstractTableModel(grid), m_grid(grid) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_grid->m_rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_grid->m_columns.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return QVariant();
        const GridColumn& c = m_grid->m_columns.at(index.column());
        switch (role) {
        case Qt::DisplayRole:
            return m_grid->cellText(index.row(), index.column());
        case Qt::EditRole:
            return m_grid->editText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(c.alignment | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            return c.color.isValid() ? QVariant(c.color) : QVariant();
        case Qt::FontRole:
            if (c.struckOut && c.struckOut(m_grid->m_rows.at(index.row()))) {
                QFont f = m_grid->font();
                f.setStrikeOut(true);
                return f;
            }
            return QVariant();
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_grid->m_columns.size())
            return QAbstractTableModel::headerData(section, orientation, role);
        const GridColumn& c = m_grid->m_columns.at(section);
        if (role == Qt::DisplayRole)
            return c.shownTitle();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(c.titleAlignment | Qt::AlignVCenter);
        return QVariant();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (m_grid->editable(index.column()))
            f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        if (m_grid->setCell(index.row(), index.column(), value))
            return true;
        m_grid->m_cellRefused = true;
        return false;
    }

    void reset(const std::function<void()>& change)
    {
        beginResetModel();
        change();
        endResetModel();
    }
    void rowChangedData(int row)
    {
        if (row >= 0 && row < rowCount() && columnCount() > 0)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    void insertAt(int row, const Record& r)
    {
        beginInsertRows(QModelIndex(), row, row);
        m_grid->m_rows.insert(row, r);
        endInsertRows();
    }
    void removeAt(int row)
    {
        beginRemoveRows(QModelIndex(), row, row);
        m_grid->m_rows.removeAt(row);
        endRemoveRows();
    }
    void columnChanged(int column)
    {
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
        if (rowCount() > 0)
            Q_EMIT dataChanged(index(0, column), index(rowCount() - 1, column));
    }

private:
    TDBGrid* m_grid;
};

// ---------------------------------------------------------------------------
// The delegate: cell editors (a line, or a drop-down for pick lists and
// lookups).

class TDBGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(TDBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const GridColumn& c = m_grid->m_columns.at(index.column());
        QWidget* editor = nullptr;
        if (!c.keyField.isEmpty()) {
            auto* combo = new QComboBox(parent);
            for (const auto& item : c.lookup)
                combo->addItem(item.second);
            editor = combo;
        } else if (!c.pickList.isEmpty()) {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(c.pickList);
            editor = combo;
        } else {
            editor = QStyledItemDelegate::createEditor(parent, option, index);
        }
        if (editor) {
            editor->setObjectName("InplaceEditor");
            editor->installEventFilter(m_grid);
            for (QWidget* w : editor->findChildren<QWidget*>())
                w->installEventFilter(m_grid);
            m_grid->m_editor = editor;
        }
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const QString text = index.data(Qt::EditRole).toString();
            const int i = combo->findText(text);
            if (combo->isEditable())
                combo->setEditText(text);
            else
                combo->setCurrentIndex(i);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (m_grid->m_editor == editor)
            m_grid->m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    TDBGrid* m_grid;
};

// ---------------------------------------------------------------------------

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent), m_model(new Model(this))
{
    setModel(m_model);
    setItemDelegate(new Delegate(this));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setReadOnly(true);
}

// --- Columns ----------------------------------------------------------------

void TDBGrid::setColumns(const QList<GridColumn>& columns)
{
    discardEditor();
    m_model->reset([&] { m_columns = columns; });
    applyColumnLayout();
    if (!m_rows.isEmpty()) {
        const int row = qBound(0, m_lastRow, rowCount() - 1);
        moveCurrent(row, firstVisibleColumn());
    }
}

int TDBGrid::columnOf(const QString& field, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].field.compare(field, cs) == 0)
            return i;
    return -1;
}

void TDBGrid::setColumn(int index, const GridColumn& column)
{
    if (index < 0 || index >= m_columns.size())
        return;
    discardEditor();
    m_columns[index] = column;
    setColumnHidden(index, !column.visible);
    m_model->columnChanged(index);
    setColumnWidth(index, shownWidth(index));
}

bool TDBGrid::setColumnVisible(const QString& field, bool visible, Qt::CaseSensitivity cs)
{
    bool found = false;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field.compare(field, cs) != 0)
            continue;
        GridColumn c = m_columns[i];
        c.visible = visible;
        setColumn(i, c);
        found = true;
    }
    return found;
}

bool TDBGrid::setColumnReadOnly(const QString& field, bool readOnly, Qt::CaseSensitivity cs)
{
    bool found = false;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field.compare(field, cs) != 0)
            continue;
        GridColumn c = m_columns[i];
        c.readOnly = readOnly;
        setColumn(i, c);
        found = true;
    }
    return found;
}

void TDBGrid::applyColumnLayout()
{
    for (int i = 0; i < m_columns.size(); ++i) {
        setColumnHidden(i, !m_columns[i].visible);
        setColumnWidth(i, shownWidth(i));
    }
}

int TDBGrid::shownWidth(int column) const
{
    // The column's width, or what its title needs when that is more: a
    // title is never cut.
    return std::max(m_columns[column].width, horizontalHeader()->sectionSizeHint(column));
}

int TDBGrid::firstVisibleColumn() const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].visible)
            return i;
    return 0;
}

bool TDBGrid::editable(int column) const
{
    if (m_readOnly || column < 0 || column >= m_columns.size())
        return false;
    const GridColumn& c = m_columns[column];
    return !c.readOnly && !c.text;
}

QString TDBGrid::cellText(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return QString();
    const Record& r = rowAt(row);
    const GridColumn& c = m_columns[column];
    if (c.text)
        return c.text(r);
    if (!c.keyField.isEmpty()) {
        const QVariant key = fieldValue(r, c.keyField);
        for (const auto& item : c.lookup)
            if (sameValue(item.first, key))
                return item.second;
        return QString();
    }
    const QVariant v = fieldValue(r, c.field);
    if (!v.isValid() || v.isNull())
        return QString();
    if (c.date)
        return Formats::dateToStr(r.date(c.field));
    if (v.typeId() == QMetaType::Double)
        return Formats::floatToStr(v.toDouble());
    return v.toString();
}

QVariant TDBGrid::editText(int row, int column) const
{
    return cellText(row, column);
}

// --- Rows -------------------------------------------------------------------

const Record& TDBGrid::rowAt(int row) const
{
    return row == m_editRow && m_state != Browse ? m_buffer : m_rows.at(row);
}

void TDBGrid::setRecords(const Records& rows)
{
    discardEditor();
    ++m_generation;
    m_moving = true;
    m_model->reset([&] {
        m_rows = rows;
        m_buffer = Record();
        m_editRow = -1;
        m_state = Browse;
        m_modified = false;
        if (!rows.isEmpty())
            m_fieldNames = rows.first().fieldNames();
    });
    applyColumnLayout();
    if (!m_rows.isEmpty())
        selectionModel()->setCurrentIndex(m_model->index(0, firstVisibleColumn()), programMove());
    m_moving = false;
    notifyRow(true);
}

int TDBGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

Record TDBGrid::currentRecord() const
{
    const int r = currentRow();
    return r < 0 ? Record() : rowAt(r);
}

Record TDBGrid::record(int row) const
{
    return row < 0 || row >= m_rows.size() ? Record() : rowAt(row);
}

QString TDBGrid::currentField() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() && i.column() < m_columns.size() ? m_columns[i.column()].field : QString();
}

bool TDBGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    if (row == currentRow())
        return true;
    int target = row;
    if (!leaveEditRow(target))
        return false;
    const QModelIndex cur = currentIndex();
    moveCurrent(target, cur.isValid() ? cur.column() : firstVisibleColumn());
    notifyRow();
    return true;
}

bool TDBGrid::locate(const QString& field, const QVariant& value)
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (sameValue(fieldValue(rowAt(i), field), value))
            return setCurrentRow(i);
    return false;
}

void TDBGrid::setMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    if (on)
        setSelectionBehavior(QAbstractItemView::SelectRows);
}

void TDBGrid::setRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

QList<int> TDBGrid::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        if (!rows.contains(i.row()))
            rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QItemSelectionModel::SelectionFlags TDBGrid::programMove() const
{
    // With several rows selectable, only the operator's clicks and keys
    // select: the program moving the current row leaves the selection alone
    // (a new list starts with none).
    if (selectionMode() == QAbstractItemView::ExtendedSelection)
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
}

void TDBGrid::moveCurrent(int row, int column)
{
    const bool was = m_moving;
    m_moving = true;
    if (row < 0 || row >= m_rows.size())
        selectionModel()->clearCurrentIndex();
    else
        selectionModel()->setCurrentIndex(m_model->index(row, column), programMove());
    m_moving = was;
}

void TDBGrid::notifyRow(bool force)
{
    const int r = currentRow();
    if (!force && r == m_lastRow)
        return;
    m_lastRow = r;
    Q_EMIT rowChanged(r);
}

// --- Editing ----------------------------------------------------------------

void TDBGrid::setReadOnly(bool readOnly)
{
    discardEditor();
    m_readOnly = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
}

void TDBGrid::setValue(Record& row, const QString& field, const QVariant& value)
{
    QStringList names = row.fieldNames();
    QVariantList values = row.values();
    const int i = row.indexOf(field);
    if (i < 0) {
        names << field;
        values << value;
    } else {
        values[i] = value;
    }
    row = Record(names, values);
}

QStringList TDBGrid::newRowFields() const
{
    if (!m_fieldNames.isEmpty())
        return m_fieldNames;
    QStringList names;
    for (const GridColumn& c : m_columns) {
        if (!c.field.isEmpty() && !c.text && c.keyField.isEmpty() && !names.contains(c.field, Qt::CaseInsensitive))
            names << c.field;
        if (!c.keyField.isEmpty() && !names.contains(c.keyField, Qt::CaseInsensitive))
            names << c.keyField;
    }
    return names;
}

bool TDBGrid::startNewRow(int position)
{
    if (m_readOnly)
        return false;
    commitEditor();
    if (m_state != Browse) {
        if (!m_modified) {
            // The row in edit was not changed: it is left as it was (an
            // untouched new row disappears).
            const int dropped = m_editRow;
            const bool wasInsert = m_state == Insert;
            dropEdit();
            if (wasInsert && position > dropped)
                --position;
        } else if (!post()) {
            return false;
        }
    }
    const QStringList names = newRowFields();
    Record row(names, QVariantList(names.size()));
    if (m_newRow) {
        const int generation = m_generation;
        try {
            if (!m_newRow(row))
                return false;
        } catch (const DbError& e) {
            Messages::error(e.message());
            return false;
        }
        if (generation != m_generation)
            return false;  // the handler reloaded the grid
    }
    position = qBound(0, position, rowCount());
    m_moving = true;
    m_model->insertAt(position, row);
    m_editRow = position;
    m_buffer = row;
    m_state = Insert;
    m_modified = false;
    moveCurrent(position, currentIndex().isValid() ? currentIndex().column() : firstVisibleColumn());
    m_moving = false;
    notifyRow(true);
    return true;
}

bool TDBGrid::appendRow()
{
    return startNewRow(rowCount());
}

bool TDBGrid::insertRow()
{
    const int r = currentRow();
    return startNewRow(r < 0 ? 0 : r);
}

bool TDBGrid::editRow()
{
    const int r = currentRow();
    if (m_readOnly || r < 0)
        return false;
    if (m_state != Browse)
        return r == m_editRow;
    m_buffer = m_rows.at(r);
    m_editRow = r;
    m_state = Edit;
    m_modified = false;
    return true;
}

bool TDBGrid::setFieldValue(const QString& field, const QVariant& value)
{
    if (m_state == Browse && !editRow())
        return false;
    setValue(m_buffer, field, value);
    m_modified = true;
    m_model->rowChangedData(m_editRow);
    return true;
}

bool TDBGrid::setCell(int row, int column, const QVariant& value)
{
    if (!editable(column) || row < 0 || row >= m_rows.size())
        return false;
    const GridColumn& c = m_columns[column];
    QString field = c.field;
    QVariant stored = value;
    if (!c.keyField.isEmpty()) {
        field = c.keyField;
        stored = QVariant();
        for (const auto& item : c.lookup)
            if (item.second == value.toString())
                stored = item.first;
    } else if (c.date) {
        const QString text = value.toString().trimmed();
        QDate d;
        if (text.isEmpty() || text == "..")
            stored = QVariant();
        else if (Formats::tryStrToDate(text, d))
            stored = d;
        else {
            Messages::error("Hatalı Tarih Girdiniz ...!");
            return false;
        }
    }
    bool unchanged;
    if (c.date) {
        const QDate oldDate = rowAt(row).has(field) ? rowAt(row).date(field) : QDate();
        unchanged = stored.isValid() ? oldDate == stored.toDate() : !oldDate.isValid();
    } else {
        // An editor closed on an empty cell leaves it empty.
        const QVariant old = fieldValue(rowAt(row), field);
        const bool oldEmpty = !old.isValid() || old.isNull() || old.toString().isEmpty();
        const bool newEmpty = !stored.isValid() || stored.isNull() || stored.toString().isEmpty();
        unchanged = oldEmpty || newEmpty ? oldEmpty == newEmpty : sameValue(old, stored);
    }
    if (unchanged)
        return true;
    if (m_state != Browse && row != m_editRow) {
        int target = row;
        if (!leaveEditRow(target) || target != row)
            return false;
    }
    if (m_state == Browse) {
        m_buffer = m_rows.at(row);
        m_editRow = row;
        m_state = Edit;
    }
    setValue(m_buffer, field, stored);
    m_modified = true;
    m_model->rowChangedData(row);
    return true;
}

bool TDBGrid::post()
{
    if (m_state == Browse)
        return true;
    if (m_posting)
        return false;
    commitEditor();
    if (m_state == Browse)
        return true;
    Record row = m_buffer;
    const State state = m_state;
    const int editRow = m_editRow;
    const int generation = m_generation;
    bool passed = false;
    {
        FlagScope posting(m_posting);
        try {
            passed = !m_check || m_check(row);
        } catch (const DbError& e) {
            Messages::error(e.message());
            return false;
        }
    }
    if (m_state == Browse || generation != m_generation)
        return false;  // the check dropped the edit itself
    m_buffer = row;
    m_model->rowChangedData(editRow);
    if (!passed)
        return false;
    if (m_writer) {
        try {
            FlagScope posting(m_posting);
            m_writer(row, state == Insert);
        } catch (const DbError& e) {
            Messages::error(e.message());
            return false;
        }
        if (generation != m_generation) {
            // The writer showed the rows anew: the row is stored.
            Q_EMIT afterPost(row, state == Insert);
            return true;
        }
    }
    m_rows[editRow] = row;
    m_state = Browse;
    m_editRow = -1;
    m_modified = false;
    m_buffer = Record();
    m_model->rowChangedData(editRow);
    Q_EMIT afterPost(row, state == Insert);
    return true;
}

bool TDBGrid::postTyped()
{
    // A refused value is not dropped for the old one: the window stays with
    // the value typed, for the operator to put right or drop (Esc).
    if (!commitEditor(true))
        return false;
    if (m_state == Browse || !m_modified)
        return true;
    return post();
}

void TDBGrid::cancel()
{
    discardEditor();
    if (m_state == Browse)
        return;
    const bool wasInsert = m_state == Insert;
    dropEdit();
    if (wasInsert)
        notifyRow(true);
}

void TDBGrid::dropEdit()
{
    const int row = m_editRow;
    const bool wasInsert = m_state == Insert;
    m_state = Browse;
    m_editRow = -1;
    m_modified = false;
    m_buffer = Record();
    const bool was = m_moving;
    m_moving = true;
    if (wasInsert)
        m_model->removeAt(row);
    else
        m_model->rowChangedData(row);
    m_moving = was;
}

bool TDBGrid::leaveEditRow(int& target)
{
    if (m_state == Browse || target == m_editRow)
        return true;
    commitEditor();
    if (m_state == Browse)
        return true;
    if (!m_modified) {
        const int dropped = m_editRow;
        const bool wasInsert = m_state == Insert;
        dropEdit();
        if (wasInsert && target > dropped)
            --target;
        return true;
    }
    return post();
}

bool TDBGrid::commitEditor(bool keepRefused)
{
    QWidget* e = m_editor;
    if (!e)
        return true;
    m_cellRefused = false;
    commitData(e);
    const bool refused = m_cellRefused;
    m_cellRefused = false;
    if (refused && keepRefused)
        return false;
    closeEditor(e, QAbstractItemDelegate::NoHint);
    return !refused;
}

void TDBGrid::discardEditor()
{
    if (QWidget* e = m_editor)
        closeEditor(e, QAbstractItemDelegate::RevertModelCache);
}

void TDBGrid::setTurkishUpper()
{
    if (m_turkish)
        return;
    m_turkish = true;
    TurkishEntry::grid(this);
}

// --- Events -----------------------------------------------------------------

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_moving)
        return;
    const int row = current.isValid() ? current.row() : -1;
    if (row != m_lastRow && m_state != Browse && row != m_editRow) {
        // A move the view made on its own: the row in edit is left now.
        int target = row;
        const int editRow = m_editRow;
        if (!leaveEditRow(target)) {
            moveCurrent(editRow, previous.isValid() ? previous.column() : firstVisibleColumn());
            return;
        }
        if (target != row)
            moveCurrent(target, current.column());
    }
    notifyRow();
}

QModelIndex TDBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next.row() != currentRow() && m_state != Browse) {
        int target = next.row();
        if (!leaveEditRow(target))
            return currentIndex();
        next = m_model->index(target, next.column());
    }
    return next;
}

void TDBGrid::keyPressEvent(QKeyEvent* event)
{
    bool consumed = false;
    Q_EMIT keyPressed(event, &consumed);
    if (consumed) {
        event->accept();
        return;
    }
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    if (!m_readOnly && m_newRow && plain) {
        const int r = currentRow();
        if (event->key() == Qt::Key_Down && r == rowCount() - 1) {
            // Down past the last row starts a new row (unless the last row
            // is an untouched new row already).
            if (!(m_state == Insert && !m_modified && m_editRow == r))
                appendRow();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Insert) {
            insertRow();
            event->accept();
            return;
        }
    }
    if (event->key() == Qt::Key_Escape && m_state != Browse && !m_editor) {
        cancel();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex idx = indexAt(event->position().toPoint());
    if (idx.isValid() && idx.row() != currentRow() && m_state != Browse) {
        int target = idx.row();
        if (!leaveEditRow(target)) {
            event->accept();
            return;
        }
        if (target != idx.row()) {
            moveCurrent(target, idx.column());
            notifyRow();
            event->accept();
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    Q_EMIT dblClick();
}

bool TDBGrid::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && m_editor && w && (w == m_editor || m_editor->isAncestorOf(w))) {
        bool consumed = false;
        Q_EMIT keyPressed(static_cast<QKeyEvent*>(event), &consumed);
        if (consumed)
            return true;
    }
    return QTableView::eventFilter(watched, event);
}
