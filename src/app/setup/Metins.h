#pragma once
// "Metin Adları": the letter texts of METINLER. Each has a name and, once one
// is attached, a rich-text document "M" + Met_Key + ".rtf" in the letters
// folder that the letter reports print as the body. Names are added,
// corrected and deleted in the grid; a double click in the document column
// opens the document in the desktop's word processor, or attaches a chosen
// RTF file to a saved text that has none yet. Shown modally from the main
// window and from the letter header dialog.

#include "app/kit/Form.h"

class Database;
class QAction;
class QMenu;
class Record;
class TDBGrid;

class TMetins : public Form {
    Q_OBJECT
public:
    TMetins();

    // Length of a letter text's name.
    static constexpr int kNameLength = 30;

    // The letters folder, computed at each activation ("C:\CO\" or the root
    // of the database's drive).
    QString FLetterFolder;

    TDBGrid* DBGrid1;           // Met_Adi, and the document mark Met ("Metin Aç")
    QMenu* PopupMenu1;
    QAction* Sil1;              // "Sil"
    QAction* Yeni1;             // "Yeni"

    // The document of a letter text, in Windows form.
    QString documentPath(int key) const;
    // The calculated field Met: "r" when the row's document exists, else "".
    QString Table1CalcFields(const Record& row) const;

public Q_SLOTS:
    void Yeni1Click();
    void Sil1Click();
    void DBGrid1DblClick();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void openTable();
    bool Table1NewRecord(Record& row);
    bool Table1BeforePost(Record& row);
    void writeRow(const Record& row, bool isNew);
};

inline TMetins* Metins = nullptr;
