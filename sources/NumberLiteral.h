#pragma once
// The one grammar of a plain number literal: what the statement builder may write as a bare
// value, what the statement check reads as a number, and what the .xlsx reader accepts in a
// number cell.
//
//     digits ["." digits] [exponent]  |  "." digits [exponent]
//     exponent = ("e" | "E") ["+" | "-"] digits
//
// A sign stands before the literal and is not part of it: SQL reads it as an operator. The
// one freedom is a point that ends the digits ("1."): a workbook may write it (Point::MayEnd),
// while the statements this tool builds and checks never hold one.
namespace numberliteral {

enum class Point { NeedsDigits, MayEnd };

template <class Ch> constexpr bool isDigit(Ch c)
{
    return c >= Ch('0') && c <= Ch('9');
}

template <class Ch> constexpr const Ch* skipDigits(const Ch* p, const Ch* end)
{
    while (p < end && isDigit(*p))
        ++p;
    return p;
}

// The end of the longest literal that starts at p; p itself when none starts there. An "e"
// without digits after it is not part of the literal, so the literal ends before it.
template <class Ch> constexpr const Ch* scan(const Ch* p, const Ch* end, Point point = Point::NeedsDigits)
{
    const Ch* q = skipDigits(p, end);
    const bool whole = q > p;
    if (q < end && *q == Ch('.')) {
        const Ch* fraction = skipDigits(q + 1, end);
        if (fraction > q + 1 || (whole && point == Point::MayEnd))
            q = fraction;
    }
    if (q == p)
        return p;
    if (q < end && (*q == Ch('e') || *q == Ch('E'))) {
        const Ch* x = q + 1;
        if (x < end && (*x == Ch('+') || *x == Ch('-')))
            ++x;
        const Ch* digits = skipDigits(x, end);
        if (digits > x)
            q = digits;
    }
    return q;
}

// Whether [p, end) is exactly one literal, after at most one sign.
template <class Ch> constexpr bool isSignedLiteral(const Ch* p, const Ch* end, Point point = Point::NeedsDigits)
{
    if (p < end && (*p == Ch('+') || *p == Ch('-')))
        ++p;
    return p < end && scan(p, end, point) == end;
}

} // namespace numberliteral
