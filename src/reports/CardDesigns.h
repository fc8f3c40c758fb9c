#pragma once
// The twenty identity and licence card designs, as one table: what each
// design prints on its front and back, how its two sides are arranged on the
// pages and which of the page-setup dialog's choices it takes. The card form
// (CardReport.h) builds its bands from a row of this table, and the card
// items of the registry screen's report menu (CardLaunch.h) name the row
// they print.
//
// Every measure is in millimetres from the card's top-left corner; a card is
// 83.9 x 51.3 mm.

#include <QColor>
#include <QString>

#include <vector>

namespace Cards {

inline constexpr double kCardWidth = 83.9;
inline constexpr double kCardHeight = 51.3;
// The white a scanner wants left and right of a barcode, in modules (Code
// 128's quiet zone).
inline constexpr int kQuietModules = 10;

// How the two sides of the cards of one print follow each other.
enum class Sides {
    FrontAndBackPages,   // per person a page with the front, then one with the back
    FrontOverBack,       // per person one page, the back right under the front
    FrontsThenBacks,     // every front on a page of its own, then every back
};

// What a printed value is made of, for a person row.
enum class Src {
    Column,       // the column as it stands
    Date,         // a date column as "dd.mm.yyyy"
    Birth,        // M3 and E17 joined by "/"
    City,         // E27 and E28 joined
    Place,        // E29 and E40 joined
    Poomse,       // E74 and M9 joined
    ByKind,       // the category box by the card kind (with the design's rewrite)
    Identity,     // the identity row of a visa back: E42, or E39 on kind 4
    Blood,        // E39 beside the city row of a visa back; not on kind 4
    Register,     // Vergi_Numarasi; left off when the dialog says so
    Competition,  // the national-athlete card's texts of its dialog, by column name
};

struct Field {
    Src src = Src::Column;
    const char* column = "";
};

// A labelled box of the front: its caption 2.1 mm above it, the value inside.
struct FrontBox {
    const char* caption;
    Field field;
    double left, top, width;
};

// A row of a back: a framed row with the Turkish caption (bold) over the
// English one, the value from `valueLeft`.
struct BackRow {
    const char* turkish;
    const char* english;
    Field field;
    double left, top, width, valueLeft;
};

enum class Front {
    Standard,         // logos at both sides, photo left, boxes right
    Mirrored,         // boxes left from 2.1 mm, photo right at 55.6 mm
    Representative,   // one tall logo at the right, values on lines
    BeltCard,         // one 14 mm logo at the top left
    National,         // class circle at the top left, filled boxes, no logos
};

enum class Back {
    PersonalRows,     // eight rows, barcode, signature box
    Visa,             // five rows, barcode, visa box, signature box
    VisaBarcode,      // rows across, the barcode in the visa box
    Belt,             // rows, barcode, belt box with eight circles
};

enum class TitleRule {
    Dialog,               // the dialog's card title replaces the role title; no subtitle then
    DialogBlankSubtitle,  // the same; the subtitle prints as a single space
    None,                 // the design's title stays
};

enum class Rewrite { None, CoachA, CoachB };

struct CardDesign {
    const char* form;             // "TPrintMenu55"
    const char* title;            // role title (the label SPORCU)
    const char* subtitle;         // English subtitle; "" for none
    const char* heading1;         // the two heading lines of the front
    const char* heading2;
    Front front;
    std::vector<FrontBox> boxes;
    Back back;
    std::vector<BackRow> rows;
    Sides sides;
    TitleRule titleRule;
    bool stamp;                   // the dialog's visa stamp goes into the first circle
    Rewrite rewrite;
    char klasman;                 // 'A', 'B', 'C': the category box of the class cards; 0 none
    const char* visaCaption;      // "" for none
    const char* validity1;        // first validity line
    bool cardSizedPage;           // the page is the card itself
    QColor tone;                  // the artwork's colour
};

// Every design, in the order of the card forms.
const std::vector<CardDesign>& designs();
// The design of a form ("TPrintMenu57"), or nullptr.
const CardDesign* design(const QString& form);

}
