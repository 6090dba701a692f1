#pragma once
// A check that a generated product insert has the one shape it may have: a single
// "insert into c000025 (names) values (values)" with as many values as names, each value a
// quoted string, a number or NULL. Whatever a source value holds, it must stay inside its
// literal; if it ever got out it would show up here as a changed shape, and the statement
// is not sent.
#include <QString>
#include <QStringView>

#include <vector>

namespace shape {

enum class TokenKind {
    String, // '...' with '' for a quote inside; text holds the literal as written
    Number, // digits with an optional fraction and exponent, no sign
    Name,   // a letter or "_", then letters, digits, "_" or "$" (NULL and keywords too)
    Symbol, // one of ( ) , ; + - * / = . and the like
};

struct Token {
    TokenKind kind;
    QStringView text;
};

struct Lexed {
    std::vector<Token> tokens;
    QString problem; // empty when the whole text lexed
};

// Splits SQL text into tokens. Comments ("--", "/*"), quoted names, parameter markers
// (":name", "?"), an unclosed string and any character no token starts with are problems:
// none of them belongs in a generated statement. The tokens view into text.
Lexed lex(QStringView text);

// Why text is not one insert into table with exactly `columns` distinct column names and as
// many values; empty when it is. Names and keywords are compared without regard to case.
QString insertProblem(QStringView text, QStringView table, int columns);

// The check for the statement of one product row: 22 columns of c000025.
constexpr int kProductColumns = 22;
QString productInsertProblem(QStringView text);

} // namespace shape
