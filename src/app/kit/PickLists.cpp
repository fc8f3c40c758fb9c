#include "app/kit/PickLists.h"

#include "app/kit/PlacedControls.h"

#include <QComboBox>

namespace PickLists {

QComboBox* make(const QString& name, QWidget* parent, const QRect& place)
{
    auto* c = PlacedControls::make<QComboBox>(name, parent, place);
    c->setFixedWidth(20);
    c->setMaxVisibleItems(14);
    c->setFocusPolicy(Qt::NoFocus);
    return c;
}

void fill(QComboBox* combo, const Records& rows, const QString& nameField, const QString& keyField)
{
    combo->clear();
    for (const Record& r : rows)
        combo->addItem(r.str(nameField), keyField.isEmpty() ? QVariant() : r.value(keyField));
    combo->setCurrentIndex(-1);
}

}
