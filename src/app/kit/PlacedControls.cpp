#include "app/kit/PlacedControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace PlacedControls {

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* makeEdit(const QString& name, QWidget* parent, const QRect& r, const QString& mask)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(r);
    if (!mask.isEmpty())
        e->setInputMask(mask);
    return e;
}

QComboBox* makeList(const QString& name, QWidget* parent, const QRect& r)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(r);
    c->setMaxVisibleItems(20);
    return c;
}

}
