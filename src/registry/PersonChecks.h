#pragma once
// The checks the person record editor runs before it writes a person, and
// the national identity number check. Neither needs the window: the editor
// gathers its fields into PersonValues and shows what the checks return.

#include "platform/db/Database.h"
#include "registry/PersonValues.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// True when the text is a Turkish national identity number: eleven digits,
// the first not 0, the tenth and eleventh the check digits of the first
// nine. Any other character, or another length, gives false.
bool TCKimlikDogrula(const QString& number);

// The first check that stopped a save.
struct CheckFailure {
    enum Kind {
        ErrorBox,   // an error box shows the message
        Notice,     // a plain message box shows it
        Silent      // the operator answered "no" to a question: nothing more to show
    };
    int number = 0;       // the check's place in the order (1 to 47)
    QString message;
    Kind kind = ErrorBox;
    QString focus;        // column of the field that gets the focus; "" for none
};

// What the checks show on the way without stopping: the category warnings,
// the weight questions and the participation notice.
struct CheckPrompts {
    std::function<void(const QString&)> warning;    // a warning box
    std::function<bool(const QString&)> question;   // the yes/no question; true for yes
    std::function<void(const QString&)> notice;     // a plain notice
};

// The lists the checks compare with.
struct CheckLists {
    Records categories;           // C_BRANS rows in name order (Durum, E_B, AltKilo, UstKilo)
    QStringList regions;          // names of C_UYELIKTURU
    QString beltCaption = "Kuşak";
    // Reads the lists from a database.
    static CheckLists read(Database& db);
};

// Runs the checks in their fixed order on the editor's values and returns
// the first that fails, or nothing when the person may be written. Two steps
// between the checks correct the values on the way: an athlete without a
// weight gets "0", and a person who is not an athlete loses a participation
// choice (with a notice, unless in batch mode). In batch mode (the exam
// import) the identity number, category and participation checks are left
// out.
std::optional<CheckFailure> KayitKontrol(PersonValues& values, bool batchMode, const CheckLists& lists,
                                         const CheckPrompts& prompts);

// A visa year as the editor and the title dialog take it: exactly four
// digits, a year from 1900 to 2100. The stored column holds one year, so
// "2009-2010" is not one.
bool isVisaYear(const QString& text);

// The dates of the belt, coach and referee rows lie in this range, both
// ends included, when the editor saves them.
inline const QDate kTitleDateFrom{1900, 1, 1};
inline const QDate kTitleDateTo{2099, 1, 1};
// The entry dialog of a new belt or title takes its date from this narrower
// range, both ends included (so whatever it takes the editor saves).
inline const QDate kTitleEntryDateFrom{1950, 1, 1};
inline const QDate kTitleEntryDateTo{2050, 1, 1};

// Whether a "Kilo" text reads as a number with the user's decimal separator.
bool readsAsWeight(const QString& text, double* value = nullptr);
