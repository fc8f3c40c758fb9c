#pragma once
// Expressions of report expression controls, and the number formatting they
// and data texts use.
//
// Grammar (names and functions without regard to case):
//   values    12  3.5  'text' (a quote inside doubled: 'O''NEIL')  TRUE  FALSE
//   fields    Ad  [Ad]  Query1.Ad    (the band's row, then its masters')
//   operators + - * /  (+ joins when either side is text)
//             = <> < > <= >=  AND OR NOT  ( )
//             (text compares in Turkish alphabetical order without regard
//             to case, numbers as numbers)
//   functions SUM(x) COUNT COUNT(x) MIN(x) MAX(x) AVERAGE(x)   over the rows
//               printed since the last reset (a group, the report)
//             IF(condition, a, b)  STR(x)  UPPER(s)  COPY(s, start, length)
//             FORMATNUMERIC(mask, x)  INT(x)  ROUND(x[, decimals])
//             DATE  TIME  NOW        (the report's clock)
//             PAGENUMBER  PAGECOUNT   (the report is laid out twice when an
//               expression uses PAGECOUNT: the second time it is the number)
// A NULL field is "" as text and 0 as a number; sums and counts of a value
// leave NULLs out.

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// An error in a report's design (an expression that does not parse, an
// unknown field); the application shows its message and the run ends.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// What an expression reads while it is evaluated.
struct ReportExprContext {
    // A field by name, optionally qualified by its dataset ("Query1.Ad");
    // returns false when no dataset of the band has it.
    std::function<bool(const QString& dataset, const QString& field, QVariant& value)> field;
    std::function<int()> pageNumber;
    // The page count as text; a stand-in that is no number while the count
    // is not yet known (PAGECOUNT then gives that text).
    std::function<QString()> pageCount;
    std::function<QDateTime()> now;
};

class ReportExpression {
public:
    ReportExpression();
    ~ReportExpression();
    ReportExpression(ReportExpression&&) noexcept;
    ReportExpression& operator=(ReportExpression&&) noexcept;

    // Throws ReportError when the text does not parse.
    static ReportExpression parse(const QString& text);
    // The deepest nesting an expression may have (brackets, NOT, signs,
    // chains of operators); deeper is a ReportError.
    static constexpr int kMaxDepth = 256;

    QString text() const { return m_text; }
    bool hasAggregates() const;
    // Whether the expression uses PAGECOUNT.
    bool usesPageCount() const;
    // The value with the aggregates as they stand.
    QVariant evaluate(const ReportExprContext& context) const;
    // Adds the current row to every aggregate of the expression.
    void accumulate(const ReportExprContext& context);
    // Clears the aggregates (a new group, a new run).
    void reset();

    struct Node;

private:
    QString m_text;
    std::unique_ptr<Node> m_root;
    std::vector<Node*> m_aggregates;
};

namespace ReportFormat {
// The decimal separator printed numbers carry (the program's, set at start;
// "." until then); the thousands separator is ",".
void setDecimalSeparator(QChar separator);
QChar decimalSeparator();
// Formats a number by a mask in the manner of the classic FormatFloat:
// "0" a digit, "#" a digit when significant, "." the decimal point, ","
// anywhere in the integer part groups thousands, text between quotes and any
// other character printed as it stands, up to three sections
// "positive;negative;zero". An empty mask gives the shortest exact form.
QString formatFloat(const QString& mask, double value);
// A value as a report prints it: numbers in the shortest form with the
// decimal separator, dates as "dd.mm.yyyy", times as "HH:mm:ss".
QString toText(const QVariant& value);
}
