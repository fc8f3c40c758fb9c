#pragma once
// The copy of decided bouts into the competition's main database.
//
// A ring computer that scores on a database of its own (its program folder
// on drive C) keeps the main computer's database "M:\QVX_PROG\Fdr.mdb"
// current: after a decision has advanced its winner, the decided bout is
// copied whole and the bouts the winner moved into get the sides that the
// advancement filled. Columns are matched by name, so the two files may hold
// them in different orders or one may have columns the other lacks.
//
// When the station is linked to a main database (drive M: is mapped, or the
// file is there), every bout to be copied first goes on the waiting list
// C_BEKLEYEN of the station's own database; the decision puts its bouts
// there in its own transaction (queue()), so a decision that is stored is
// never left off the main database, even when the program is killed before
// the copy. A copy takes every bout of the list and removes the bouts from
// it only after the main database holds them; a main database that cannot be
// reached or written keeps them waiting for the next copy (the operator is
// told). The copy is one transaction on the main database, so a lost
// connection leaves no half-made copy there, and a bout copied twice changes
// nothing.
//
// Bouts still waiting when no later decision comes (the day's last decision,
// a ring stopped right after one) go with sendWaiting(), which the match
// screen runs at its activation and on "Bağlantı".

#include <QString>
#include <QStringList>

class Database;

class MainDatabaseCopy {
public:
    enum class Result {
        NotLinked,      // the station works on the main database, or has none
        Copied,         // every waiting bout reached the main database
        Pending,        // the main database was not reached; the bouts wait
        Busy            // other rings held the main database through every
                        // try; the bouts wait, quietly, for the next copy
    };
    // How often a copy meets a busy main database before the bouts wait.
    static constexpr int kBusyAttempts = 3;

    MainDatabaseCopy(Database& station, QString programFolder, QString mainDatabasePath);

    // Whether the station scores on a database of its own and the main
    // database file exists (the match screen's station link).
    bool reachable() const;

    // Puts the bouts of `changedKeys` ("12,14", the keys the last advancement
    // wrote) on the waiting list, after the bouts already there, when the
    // station is linked to a main database; otherwise does nothing. Joins the
    // caller's transaction on the station's database.
    void queue(const QString& changedKeys);

    // Puts the bouts of `changedKeys` on the waiting list and copies every
    // bout of the list.
    Result copy(const QString& changedKeys);

    // Copies the bouts already waiting and says nothing when they cannot be
    // sent (the caller tells the operator what it needs: waitingMessage).
    // Reads only the list when it is empty. NotLinked for a station without
    // a main database of its own to copy to.
    Result sendWaiting();

    // How long each try waits for another ring's lock on the main database
    // (ms); the database's busy timeout unless set.
    void setBusyWait(int ms) { m_busyWait = ms; }

    // The bouts waiting for the main database, in their order.
    static QStringList pendingKeys(const Database& station);

    static QString unreachableMessage();
    // How many bouts wait for the main database.
    static QString waitingMessage(int bouts);

private:
    bool linked() const;
    // The copy: the bouts of `changedKeys` and the waiting list; `tell`:
    // the operator is told when the main database cannot be reached.
    Result send(const QString& changedKeys, bool tell);
    void takeOverSettingsList();
    void copyRows(Database& main, const QStringList& keys);

    Database& m_station;
    QString m_programFolder;
    QString m_mainPath;
    int m_busyWait = -1;
};
