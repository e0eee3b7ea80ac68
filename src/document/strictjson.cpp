#include "strictjson.h"

#include <QSet>

namespace {

constexpr int MaxDepth = 512;

struct Fault
{
    qsizetype at;
    QString what;
};

class StrictReader
{
public:
    explicit StrictReader(QByteArrayView json) : mJson(json) {}

    void document()
    {
        skipSpace();
        value(0);
        skipSpace();
        if (mAt < mJson.size())
            fail(QStringLiteral("something follows the JSON value"));
    }

private:
    [[noreturn]] void fail(const QString &what) const { throw Fault{mAt, what}; }
    [[noreturn]] void failAt(qsizetype at, const QString &what) const { throw Fault{at, what}; }

    int peek() const { return mAt < mJson.size() ? uchar(mJson[mAt]) : -1; }

    void skipSpace()
    {
        while (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')
            ++mAt;
    }

    void expect(char c)
    {
        if (peek() != uchar(c))
            fail(QStringLiteral("\"%1\" was expected").arg(QLatin1Char(c)));
        ++mAt;
    }

    void value(int depth)
    {
        switch (peek()) {
        case '{': object(depth + 1); break;
        case '[': array(depth + 1); break;
        case '"': string(nullptr); break;
        case 't': literal("true"); break;
        case 'f': literal("false"); break;
        case 'n': literal("null"); break;
        default:
            if (peek() == '-' || isDigit(peek()))
                number();
            else
                fail(QStringLiteral("a JSON value was expected"));
        }
    }

    void enter(int depth) const
    {
        if (depth > MaxDepth)
            fail(QStringLiteral("more than %1 levels of nesting").arg(MaxDepth));
    }

    // The items of an object or an array, from its opening bracket past its closing one.
    template <typename Item>
    void items(int depth, char close, Item item)
    {
        enter(depth);
        ++mAt;
        skipSpace();
        if (peek() == close) {
            ++mAt;
            return;
        }
        for (;;) {
            item();
            skipSpace();
            if (peek() == close) {
                ++mAt;
                return;
            }
            expect(',');
            skipSpace();
        }
    }

    void object(int depth)
    {
        QSet<QString> names;
        items(depth, '}', [&] {
            const qsizetype start = mAt;
            if (peek() != '"')
                fail(QStringLiteral("a member name was expected"));
            QString name;
            string(&name);
            if (names.contains(name))
                failAt(start, QStringLiteral("the member \"%1\" appears twice").arg(name));
            names.insert(name);
            skipSpace();
            expect(':');
            skipSpace();
            value(depth);
        });
    }

    void array(int depth)
    {
        items(depth, ']', [&] { value(depth); });
    }

    void literal(const char *word)
    {
        const QByteArrayView expected(word);
        if (mJson.sliced(mAt).first(qMin(mJson.size() - mAt, expected.size())) != expected)
            fail(QStringLiteral("a JSON value was expected"));
        mAt += expected.size();
    }

    static bool isDigit(int c) { return c >= '0' && c <= '9'; }

    void digits()
    {
        if (!isDigit(peek()))
            fail(QStringLiteral("a digit was expected"));
        while (isDigit(peek()))
            ++mAt;
    }

    void number()
    {
        if (peek() == '-')
            ++mAt;
        if (peek() == '0') {
            ++mAt;
            if (isDigit(peek()))
                fail(QStringLiteral("a number with a leading zero"));
        } else {
            digits();
        }
        if (peek() == '.') {
            ++mAt;
            digits();
        }
        if (peek() == 'e' || peek() == 'E') {
            ++mAt;
            if (peek() == '+' || peek() == '-')
                ++mAt;
            digits();
        }
    }

    // Reads a text, from its opening quote past its closing one; decoded into out when given.
    void string(QString *out)
    {
        ++mAt;
        for (;;) {
            const int c = peek();
            if (c < 0)
                fail(QStringLiteral("the text is not closed"));
            if (c == '"') {
                ++mAt;
                return;
            }
            if (c < 0x20)
                fail(QStringLiteral("control character %1 inside a text").arg(c));
            const char32_t code = c == '\\' ? escape() : c < 0x80 ? char32_t(mJson[mAt++]) : utf8();
            if (out)
                out->append(QString::fromUcs4(&code, 1));
        }
    }

    int hexDigit(qsizetype at) const
    {
        const int c = at < mJson.size() ? uchar(mJson[at]) : -1;
        if (isDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        failAt(at, QStringLiteral("a \\u escape needs four hexadecimal digits"));
    }

    // Four hexadecimal digits after "\u" at mAt.
    char16_t unit()
    {
        char16_t value = 0;
        for (int i = 2; i < 6; ++i)
            value = char16_t(value * 16 + hexDigit(mAt + i));
        mAt += 6;
        return value;
    }

    char32_t escape()
    {
        const qsizetype start = mAt;
        const int c = mAt + 1 < mJson.size() ? uchar(mJson[mAt + 1]) : -1;
        static constexpr std::pair<char, char> simple[] = {{'"', '"'},  {'\\', '\\'}, {'/', '/'},  {'b', '\b'},
                                                           {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'}};
        for (const auto &[name, meaning] : simple) {
            if (c == uchar(name)) {
                mAt += 2;
                return char32_t(meaning);
            }
        }
        if (c != 'u')
            fail(QStringLiteral("an unknown escape"));
        const char16_t high = unit();
        if (QChar::isLowSurrogate(high))
            failAt(start, QStringLiteral("a \\u escape is half a surrogate pair"));
        if (!QChar::isHighSurrogate(high))
            return high;
        if (peek() != '\\' || mAt + 1 >= mJson.size() || mJson[mAt + 1] != 'u')
            failAt(start, QStringLiteral("a \\u escape is half a surrogate pair"));
        const char16_t low = unit();
        if (!QChar::isLowSurrogate(low))
            failAt(start, QStringLiteral("a \\u escape is half a surrogate pair"));
        return QChar::surrogateToUcs4(high, low);
    }

    // One character of two to four bytes, in its shortest form, no surrogate, at most U+10FFFF.
    char32_t utf8()
    {
        const uchar lead = uchar(mJson[mAt]);
        const int length = lead >= 0xC2 && lead <= 0xDF ? 2
            : lead >= 0xE0 && lead <= 0xEF              ? 3
            : lead >= 0xF0 && lead <= 0xF4              ? 4
                                                        : 0;
        bool valid = length > 0;
        char32_t code = lead & (0x7F >> length);
        for (int i = 1; valid && i < length; ++i) {
            const int next = mAt + i < mJson.size() ? uchar(mJson[mAt + i]) : -1;
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | char32_t(next & 0x3F);
        }
        const char32_t smallest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
        if (!valid || code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            fail(QStringLiteral("invalid UTF-8"));
        mAt += length;
        return code;
    }

    QByteArrayView mJson;
    qsizetype mAt = 0;
};

} // namespace

std::optional<JsonFault> strictJsonFault(QByteArrayView json)
{
    try {
        StrictReader(json).document();
        return std::nullopt;
    } catch (const Fault &fault) {
        return JsonFault{fault.at, fault.what};
    }
}
