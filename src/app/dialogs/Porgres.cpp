#include "app/dialogs/Porgres.h"

#include "app/kit/PlacedControls.h"

#include <QKeyEvent>
#include <QProgressBar>
#include <QVBoxLayout>

TPorgres::TPorgres()
{
    setObjectName("Porgres");
    setWindowTitle("İşlem");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* layout = new QVBoxLayout(this);
    ProgressBar1 = PlacedControls::make<QProgressBar>("ProgressBar1", this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    layout->addWidget(ProgressBar1);
    setFixedSize(300, sizeHint().height());
}

void TPorgres::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}
