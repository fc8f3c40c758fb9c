#pragma once
// "İşlem": the progress window of long operations (the draw). The caller
// shows it modeless, sets ProgressBar1 to the percentage done after each
// step and closes it when the work ends.
//
//   Porgres->show();
//   for (...) { ...; Porgres->ProgressBar1->setValue(i * 100 / n); }
//   Porgres->close();

#include "app/kit/Form.h"

class QProgressBar;

class TPorgres : public Form {
    Q_OBJECT
public:
    TPorgres();

    QProgressBar* ProgressBar1;     // 0 to 100

protected:
    // Esc does not close the window: the caller closes it when the work ends.
    void keyPressEvent(QKeyEvent* event) override;
};

inline TPorgres* Porgres = nullptr;
