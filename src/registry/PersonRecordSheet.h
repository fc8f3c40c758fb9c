#pragma once
// The record sheet ("Sicil Dökümü") of one stored person, printed from the
// person record editor's "Rapor". The sheet shows what is stored, not what
// is typed and not yet saved. Its report form belongs to the reports; the
// editor reaches it only through preview() below.
//
//   Baslik2->showModal();
//   const QString title = PersonRecordSheet::title(Baslik2->Edit8->text(), session().edition.SportName);
//   PersonRecordSheet::preview(caller, FPersonKey, title, Formats::dateToStr(today));

#include "reports/ReportLaunch.h"
#include "app/kit/Session.h"

#include <QString>

namespace PersonRecordSheet {

// The sheet's title: the typed title, or the sport name followed by
// " SİCİL BİLGİLERİ" when none was typed.
QString title(const QString& typed, const QString& sportName);

// Previews the sheet of the stored person `personKey`: the title and the
// date ("dd.mm.yyyy") into its labels, its query replaced by the person's
// row ("select * from C_MUSTERI where Musteri_key = " + key) and opened,
// the preview through ReportLaunch::preview with this caller (which keeps
// the editor as it is and disables it meanwhile), the query closed
// afterwards. False, after a notice, while the program has no record sheet.
bool preview(const ReportCaller& caller, int personKey, const QString& title, const QString& date);

// The notice shown while the program has no record sheet.
inline constexpr const char* kNoSheet = "Sicil Dökümü Bu Programda Henüz Bulunmamaktadır ...!";

} // namespace PersonRecordSheet
