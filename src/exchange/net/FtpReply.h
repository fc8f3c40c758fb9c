#pragma once
// Reading FTP replies, without sockets: the reply buffer that cuts the
// received bytes into lines, the reader that tells the final line of a reply
// from its continuation lines, and the helpers that take numbers, quoted
// names, words and the passive-mode address out of a reply line.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace FtpReply {

// Steps over tab, line feed, carriage return and space from `pos`.
int skipBlanks(const QString& text, int pos);
// A signed decimal number after optional blanks and sign. Returns the
// position after the last digit; `ok` is false when there is no digit or the
// number does not fit.
int getInteger(const QString& text, int pos, int& value, bool* ok = nullptr);
int getInt64(const QString& text, int pos, int64_t& value, bool* ok = nullptr);
// A double-quoted name after optional blanks, two quotes in a row standing
// for one; `value` stays empty when no quote starts there. Returns the
// position after the closing quote.
int getQuotedString(const QString& text, int pos, QString& value);
// The next word: up to the next space or the end.
int getNextWord(const QString& text, int pos, QString& value);
// The host and port of a passive-mode reply ("227 Entering Passive Mode
// (127,0,0,1,200,13)"). False when the fields are missing or out of range.
bool parsePassiveAddress(const QString& reply, QString& host, quint16& port);
// The leading reply code of a line, or -1 when it does not start with a digit.
int leadingCode(const QString& line);

} // namespace FtpReply

// The reply buffer of the control connection: at most `Capacity` received
// bytes wait for their line end.
class FtpReplyBuffer {
public:
    static constexpr int Capacity = 4095;

    // Room left for received bytes.
    int space() const { return Capacity - int(m_data.size()); }
    int size() const { return int(m_data.size()); }
    void clear() { m_data.clear(); }
    // Appends at most space() bytes; returns how many were taken.
    int append(const char* data, int length);

    enum class Take { None, Line, Overlong };
    // Takes the next complete line (without its line end, trailing CR and LF
    // removed). With `acceptLF` a bare line feed ends a line, else only CR LF.
    // A full buffer without any line end gives `Overlong` with the capped
    // text in `line`, and empties the buffer.
    Take takeLine(QByteArray& line, bool acceptLF);

private:
    QByteArray m_data;
};

// Tells the lines of one reply apart. A reply is either one line "ddd text",
// or starts with "ddd-text" and ends only at a line that starts with the same
// code followed by a blank; every line between is part of the reply, whatever
// it starts with.
class FtpReplyReader {
public:
    enum class Kind {
        Text,         // not a reply line (garbage, or an empty line): shown only
        Continuation, // a line inside a multi-line reply
        Final,        // the line that completes the reply
    };
    struct Line {
        Kind kind = Kind::Text;
        int code = -1; // the reply's code for Continuation and Final
    };

    Line feed(const QString& line);
    void reset() { m_multiCode = -1; }
    bool insideMultiLine() const { return m_multiCode >= 0; }

private:
    int m_multiCode = -1;
};
