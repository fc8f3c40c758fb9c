#pragma once
// The person search screen's batch operations, without widgets: deleting a
// person with his history, licence visa years and seminars for a selection.
// The screen asks its questions, then calls these; each write of one
// person is one transaction.
//
//   const PersonBatch::DeleteCheck c = PersonBatch::checkDelete(db, key);
//   if (!c.refusal.isEmpty()) { Messages::info(c.refusal); return; }
//   if (ask(PersonBatch::deleteQuestion(c))) PersonBatch::deletePerson(db, key, photoHostPath);

#include "platform/db/Database.h"

#include <QDate>
#include <QList>
#include <QString>

namespace PersonBatch {

inline constexpr const char* kInWeighIn = "Bu Sporcu Tartı Listesinde Bulunduğundan Silinemiyor ...!";
inline constexpr const char* kInBout = "Bu Sporcu Kura Listesinde (Müsabakada) Bulunduğundan Silinemiyor ...!";

// What the delete must know before it asks.
struct DeleteCheck {
    QString name;           // Ad_Soyad
    QString refusal;        // why the person cannot be deleted; empty when he can
    int resultRows = 0;     // F_DER rows that go with him
};
DeleteCheck checkDelete(Database& db, int personKey);
// "<first 35 characters of the name> Kaydı Silinecektir. Eminmisiniz ...?",
// with the number of result rows that go too when there are any.
QString deleteQuestion(const DeleteCheck& check);
// Deletes the seven history tables' rows and the person in one transaction
// (all or nothing), then the photo file (read-only or not; a missing file
// is no error). Returns whether the photo was gone afterwards.
bool deletePerson(Database& db, int personKey, const QString& photoHostPath);

// The visa a year goes to.
enum class VisaKind { Referee, Coach, RegionalReferee };
// The caption of the dialog's radio button: "HAKEM", "ANTRENÖR", "BÖLGE HAKEM".
QString visaCaption(VisaKind kind);
// The persons of the selection (keys as in FSelectedKeys), for the count of
// the question.
int countPersons(Database& db, const QString& selectedKeys);
// Writes the year into every selected person whose latest visa of that
// kind is another year (older years move down for referees and coaches),
// stamping M1 with today and User with the stamp. One transaction. Returns
// the number of persons changed.
int postVisa(Database& db, const QString& selectedKeys, VisaKind kind, int year, const QString& userStamp,
             const QDate& today);

// "name, dd.mm.yyyy": how every batch write stamps User, as the editor's save.
QString userStamp(const QString& userName, const QDate& today);

struct Seminar {
    QString name;           // Seminer
    QString place;          // Yer
    QDate end;              // Tarih (required)
    QDate start;            // BTar (invalid: none)
};
// The selected persons in the list's order (Musteri_Key, Ad_Soyad).
Records seminarPersons(Database& db, const QString& selectedKeys, const QString& orderBy);
// Whether the person has a seminar row on that date already.
bool hasSeminarOn(Database& db, int personKey, const QDate& date);
// Adds the seminar row and moves the person's seminar date M8 forward
// (never back), stamping M1 and User. One transaction.
void postSeminar(Database& db, int personKey, const Seminar& seminar, const QString& userStamp, const QDate& today);

}
