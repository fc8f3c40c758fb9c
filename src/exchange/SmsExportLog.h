#pragma once
// Shows what an SMS export did: the warnings of a run that could not start,
// the error of a failed one, or the status log TImtRapor with the refused
// and shared numbers and the list of recipients added (for "SMS Listesi").
//
//   SmsExport::showOutcome(SmsExport::exportClubs(session().db, selection), this, &FInPreview, false);

#include "exchange/SmsExport.h"

class QWidget;

namespace SmsExport {

// `screen` is disabled until the log window closes when `disableScreen`
// (the person search); `inPreview` is set while the log shows (the
// screen's activation then keeps its list).
void showOutcome(const Outcome& outcome, QWidget* screen, int* inPreview, bool disableScreen);

}
