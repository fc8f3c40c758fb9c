#include "reports/Baslik1.h"

#include "app/kit/TurkishEntry.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
class LabelClick : public QObject {
public:
    LabelClick(QLabel* label, std::function<void()> action) : QObject(label), m_action(std::move(action))
    {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            m_action();
            return true;
        }
        return false;
    }

private:
    std::function<void()> m_action;
};

QFont bold(QFont f)
{
    f.setBold(true);
    return f;
}
}

void onLabelClick(QLabel* label, std::function<void()> action)
{
    new LabelClick(label, std::move(action));
}

TBaslik1::TBaslik1() : TBaslik1("Baslik1", true) {}

TBaslik1::TBaslik1(const QString& name, bool upperCase)
{
    setObjectName(name);
    setWindowTitle("Rapor Başlığı Girişi");

    Label15 = new QLabel("Başlık", this);
    Label15->setObjectName("Label15");
    Label15->setFont(bold(Label15->font()));
    Label15->setCursor(Qt::PointingHandCursor);
    Label15->setGeometry(12, 16, 60, 21);
    Edit8 = new QLineEdit(this);
    Edit8->setObjectName("Edit8");
    Edit8->setGeometry(72, 14, 420, 24);
    BitBtn4 = new QPushButton("Tamam", this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setFont(bold(BitBtn4->font()));
    BitBtn4->setGeometry(412, 52, 80, 30);

    onLabelClick(Label15, [this] { Label15Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, &TBaslik1::BitBtn4Click);
    if (upperCase)
        TurkishEntry::textField(Edit8, BitBtn4);
    else
        TurkishEntry::enterOnly(Edit8, BitBtn4);
    setFixedSize(506, kTitleHeight);
}

void TBaslik1::FormActivate()
{
    Edit8->setFocus();
}

void TBaslik1::Label15Click()
{
    Edit8->clear();
}

void TBaslik1::BitBtn4Click()
{
    accept();
}
