#include "checks/TaxCode.h"

#include "data/CodePage.h"

#include <array>

namespace TaxCode {
namespace {

// Values of the characters "0" to "Z" (codes 48 to 90); the seven signs between "9" and "A" are 0.
constexpr int kFirst = '0';
constexpr int kLast = 'Z';
using Table = std::array<int, kLast - kFirst + 1>;

// Odd positions 1, 3, ..., 15: the digits take the values of the letters A to J.
constexpr Table makeOddTable()
{
    constexpr int letters[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    Table table{};
    for (int d = 0; d < 10; ++d)
        table['0' + d - kFirst] = letters[d];
    for (int l = 0; l < 26; ++l)
        table['A' + l - kFirst] = letters[l];
    return table;
}

// Even positions 2, 4, ..., 14: a digit counts its own value, a letter its place in the alphabet.
constexpr Table makeEvenTable()
{
    Table table{};
    for (int d = 0; d < 10; ++d)
        table['0' + d - kFirst] = d;
    for (int l = 0; l < 26; ++l)
        table['A' + l - kFirst] = l;
    return table;
}

constexpr Table kOdd = makeOddTable();
constexpr Table kEven = makeEvenTable();

static_assert(kOdd['0' - kFirst] == 1 && kOdd['A' - kFirst] == 1 && kOdd['1' - kFirst] == 0 && kOdd['K' - kFirst] == 2
              && kOdd['Z' - kFirst] == 23 && kOdd[':' - kFirst] == 0);

const QString kLength =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString kValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");

} // namespace

std::optional<QChar> checkCharacter(const QString& code)
{
    if (code.size() < 15)
        return std::nullopt;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const char16_t c = code.at(i).unicode();
        // Nothing outside the tables has a value: such a code cannot be right.
        if (c < kFirst || c > kLast)
            return std::nullopt;
        // Position i + 1: odd positions are the even indexes.
        sum += (i % 2 == 0 ? kOdd : kEven)[c - kFirst];
    }
    return QChar(u'A' + sum % 26);
}

std::optional<Birth> birth(const QString& code)
{
    if (code.size() != 16 || checkCharacter(code) != code.at(15))
        return std::nullopt;
    // Where two codes would be the same (omocodia), digits of the date give way to letters.
    static const QString kDigitLetters = QStringLiteral("LMNPQRSTUV");
    static const QString kMonths = QStringLiteral("ABCDEHLMPRST");
    const auto number = [&code](int at) -> int {
        int value = 0;
        for (int i = at; i < at + 2; ++i) {
            const QChar c = code.at(i);
            int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0' : int(kDigitLetters.indexOf(c));
            if (digit < 0)
                return -1;
            value = value * 10 + digit;
        }
        return value;
    };
    const int year = number(6);
    const int month = int(kMonths.indexOf(code.at(8))) + 1;
    int day = number(9);
    if (year < 0 || month < 1 || day < 1)
        return std::nullopt;
    const bool female = day > 40; // a woman's day of birth is written plus 40
    if (female)
        day -= 40;
    if (day < 1 || day > 31)
        return std::nullopt;
    const auto twoDigits = [](int n) {
        const QChar digits[2] = {QChar(u'0' + n / 10 % 10), QChar(u'0' + n % 10)};
        return QString(digits, 2);
    };
    return Birth{female ? QStringLiteral("F") : QStringLiteral("M"), twoDigits(day), twoDigits(month), twoDigits(year)};
}

CheckAnswer check(const QString& text)
{
    const QString code = CodePage::upperAscii(text);
    if (code.size() != 16)
        return {{MessageKind::Warning, kLength}, true};
    const std::optional<QChar> expected = checkCharacter(code);
    if (expected && *expected == code.at(15))
        return {{MessageKind::Information, kValid}, false};
    return {{MessageKind::Warning, kWrong}, false};
}

} // namespace TaxCode
