#pragma once
// The upload of an exam package to the federation's web form: the address
// with the club, region and exam period, and the one file part holding the
// archive just written under the program's work folder.
//
//   const QUrl url = ExamUpload::address(ExamUpload::server(), club, region, "15.06.2010");
//   upload.post(url, ExamUpload::body("200"));     // posts "C:\CO\QVX_PROG\F200.zip"
//
// The address's values are percent-encoded (code page 1254, as the form
// reads its texts), so a club name with blanks or Turkish letters arrives
// whole.

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace ExamUpload {

// The federation's web server ("http://host[:port]"): the registry value
// "ExamUploadServer" under "\Software\Brivex", else the federation's site.
QString server();
void setServer(const QString& address);

// The folder the web mode writes the archive to: "C:\CO\QVX_PROG\".
QString folder();
// Its file, Windows form: folder() + "F" + club key + ".zip".
QString archivePath(const QString& clubKey);

// server + "/destek/fupload.asp?kod=1&klp=" + club + "&blg=" + region +
// "&donem=" + month + year of the exam date "dd.mm.yyyy".
QUrl address(const QString& server, const QString& club, const QString& region, const QString& examDate);

// The body: one file part named after the archive, its path as file name.
QByteArray body(const QString& clubKey);

}
