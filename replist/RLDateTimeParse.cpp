// The date/time format language of the row editor's date fields: reading a text against a
// format, writing a day count in it, and translating it for QDateTimeEdit.
#include "replist/RLRowEditor_p.h"
#include "foundation/QOR_StringArray.h"

#include <QLocale>

#include <vector>

namespace qor {

namespace {

struct DtToken {
    enum Kind { Literal, Field } kind;
    QString text; ///< the literal's characters, or the run of field letters
};

bool isFieldLetter(QChar c)
{
    switch (c.unicode()) {
    case 'H': case 'M': case 'd': case 'h': case 'm': case 's': case 't': case 'y':
        return true;
    default:
        return false;
    }
}

// A quoted literal runs to the next quote, two quotes standing for one; an unclosed quote
// runs to the end of the format.
std::vector<DtToken> tokenize(const QString& f)
{
    std::vector<DtToken> out;
    qsizetype i = 0;
    const qsizetype n = f.size();
    while (i < n) {
        const QChar c = f.at(i);
        if (c == QLatin1Char('\'')) {
            QString lit;
            ++i;
            while (i < n) {
                if (f.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && f.at(i + 1) == QLatin1Char('\'')) {
                        lit += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                lit += f.at(i++);
            }
            out.push_back({DtToken::Literal, lit});
        } else if (isFieldLetter(c)) {
            qsizetype j = i + 1;
            while (j < n && f.at(j) == c)
                ++j;
            out.push_back({DtToken::Field, f.mid(i, j - i)});
            i = j;
        } else {
            qsizetype j = i + 1;
            while (j < n && f.at(j) != QLatin1Char('\'') && !isFieldLetter(f.at(j)))
                ++j;
            out.push_back({DtToken::Literal, f.mid(i, j - i)});
            i = j;
        }
    }
    return out;
}

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Field runs that the language knows, by letter: the lengths allowed.
bool knownRun(QChar letter, qsizetype len)
{
    switch (letter.unicode()) {
    case 'y': return len == 2 || len == 4;
    case 'M': case 'd': return len >= 1 && len <= 4;
    case 'H': case 'h': case 'm': case 's': case 't': return len == 1 || len == 2;
    default: return false;
    }
}

} // namespace

int ParseDateTimeText(const QString& text, const QString& format, TDateTime& value, int currentYear,
                      int centuryWindow)
{
    value = 0;
    QString t = text;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool pm = false, twelveHour = false;

    // Exactly Digits ASCII digits.
    auto fixed = [&t](int digits, int& out) {
        if (t.size() < digits)
            return false;
        int v = 0;
        for (int i = 0; i < digits; ++i) {
            if (!isAsciiDigit(t.at(i)))
                return false;
            v = v * 10 + (t.at(i).unicode() - '0');
        }
        out = v;
        t = t.mid(digits);
        return true;
    };
    // A number of free length, as the integer reader takes it: blanks, one sign, digits.
    auto freeNumber = [&t](int& out) {
        qsizetype i = 0;
        while (i < t.size() - 1 && t.at(i) == QLatin1Char(' '))
            ++i;
        if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
            ++i;
        const qsizetype digitsFrom = i;
        while (i < t.size() && isAsciiDigit(t.at(i)))
            ++i;
        if (i == digitsFrom) {
            out = 0;
            return;
        }
        out = ReadIntegerAt(t.left(i), 1);
        t = t.mid(i);
    };
    // The first of the names (index 1-based) that begins the text; its length is consumed.
    auto name = [&t](const std::function<QString(int)>& names, int count, bool exactPrefix3, int& out) {
        for (int k = 1; k <= count; ++k) {
            const QString nm = names(k);
            if (exactPrefix3 ? QStringView(t).left(3).compare(nm, Qt::CaseInsensitive) == 0 && t.size() >= 3
                             : t.startsWith(nm, Qt::CaseInsensitive)) {
                out = k;
                t = t.mid(exactPrefix3 ? 3 : nm.size());
                return true;
            }
        }
        return false;
    };
    auto monthLong = [](int k) { return MonthLong(lgEnglish, k); };
    auto monthShort = [](int k) { return MonthShort(lgEnglish, k); };
    // Weekdays by their three-letter English names (the core's short names have two letters).
    auto dayLong = [](int k) { return QLocale::c().dayName(k, QLocale::LongFormat); };
    auto dayShort = [](int k) { return QLocale::c().dayName(k, QLocale::ShortFormat); };

    for (const DtToken& tok : tokenize(format)) {
        if (tok.kind == DtToken::Literal) {
            if (!t.startsWith(tok.text))
                return dtpLiteral;
            t = t.mid(tok.text.size());
            continue;
        }
        const QChar letter = tok.text.at(0);
        const qsizetype len = tok.text.size();
        if (!knownRun(letter, len))
            return dtpTokenLength;
        bool ok = true;
        int unused = 0;
        switch (letter.unicode()) {
        case 'y':
            if (len == 4) {
                ok = fixed(4, year);
            } else {
                int yy = 0;
                ok = fixed(2, yy);
                const int base = currentYear - centuryWindow;
                year = (base / 100) * 100 + yy;
                if (centuryWindow != 0 && year < base)
                    year += 100;
            }
            break;
        case 'M':
            if (len == 4)
                ok = name(monthLong, 12, false, month);
            else if (len == 3)
                ok = name(monthShort, 12, true, month);
            else if (len == 2)
                ok = fixed(2, month);
            else
                freeNumber(month);
            break;
        case 'd':
            if (len == 4)
                ok = name(dayLong, 7, false, unused);
            else if (len == 3)
                ok = name(dayShort, 7, false, unused);
            else if (len == 2)
                ok = fixed(2, day);
            else
                freeNumber(day);
            break;
        case 'H':
        case 'h':
            twelveHour = letter == QLatin1Char('h');
            if (len == 2)
                ok = fixed(2, hour);
            else
                freeNumber(hour);
            break;
        case 'm':
            if (len == 2)
                ok = fixed(2, minute);
            else
                freeNumber(minute);
            break;
        case 's':
            if (len == 2)
                ok = fixed(2, second);
            else
                freeNumber(second);
            break;
        case 't':
            if (len == 1)
                pm = !t.startsWith(QLatin1Char('a'), Qt::CaseInsensitive);
            else
                pm = !t.startsWith(QLatin1String("am"), Qt::CaseInsensitive);
            t = t.mid(len);
            break;
        }
        if (!ok)
            return dtpBadField;
    }

    if (twelveHour) {
        if (!pm && hour == 12)
            hour = 0;
        else if (pm && hour != 12 && hour <= 23)
            hour += 12; // an hour beyond 23 is impossible anyway, and a free-length one may be INT_MAX
    }
    // Out-of-range fields are reported, not raised: the row editor reads dates inside its
    // modal form, where an exception has nowhere sound to go.
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return dtpImpossible;
    const QTime time(hour, minute, second);
    if (year != 0 || month != 0 || day != 0) {
        const QDate date(year, month, day);
        if (!date.isValid() || year < 1 || year > 9999)
            return dtpImpossible;
        try {
            value = QDateTimeToDateTime(QDateTime(date, time));
        } catch (const EQORConvertError&) {
            value = 0;
            return dtpImpossible;
        }
    } else {
        value = (hour * 3600 + minute * 60 + second) / 86400.0;
    }
    return dtpOK;
}

int ParseDateTimeText(const QString& text, const QString& format, TDateTime& value)
{
    return ParseDateTimeText(text, format, value, QDate::currentDate().year());
}

QString FormatDateTimeText(const QString& format, TDateTime value)
{
    QDate date;
    QTime time;
    if (!TryDecodeDateTime(value, date, time))
        return QString();
    QString out;
    auto two = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    for (const DtToken& tok : tokenize(format)) {
        if (tok.kind == DtToken::Literal) {
            out += tok.text;
            continue;
        }
        const QChar letter = tok.text.at(0);
        const qsizetype len = tok.text.size();
        if (!knownRun(letter, len)) {
            out += tok.text;
            continue;
        }
        const bool pair = len == 2;
        const int h12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
        switch (letter.unicode()) {
        case 'y':
            out += len == 4 ? QString::number(date.year()).rightJustified(4, QLatin1Char('0')) : two(date.year() % 100);
            break;
        case 'M':
            out += len == 4 ? MonthLong(lgEnglish, date.month())
                 : len == 3 ? MonthShort(lgEnglish, date.month())
                 : pair     ? two(date.month())
                            : QString::number(date.month());
            break;
        case 'd':
            out += len == 4 ? QLocale::c().dayName(date.dayOfWeek(), QLocale::LongFormat)
                 : len == 3 ? QLocale::c().dayName(date.dayOfWeek(), QLocale::ShortFormat)
                 : pair     ? two(date.day())
                            : QString::number(date.day());
            break;
        case 'H': out += pair ? two(time.hour()) : QString::number(time.hour()); break;
        case 'h': out += pair ? two(h12) : QString::number(h12); break;
        case 'm': out += pair ? two(time.minute()) : QString::number(time.minute()); break;
        case 's': out += pair ? two(time.second()) : QString::number(time.second()); break;
        case 't':
            out += time.hour() < 12 ? (pair ? QStringLiteral("am") : QStringLiteral("a"))
                                    : (pair ? QStringLiteral("pm") : QStringLiteral("p"));
            break;
        }
    }
    return out;
}

QString QtDateTimeDisplayFormat(const QString& format)
{
    // Neighbouring literals go into one quoted run: two runs side by side would read as
    // one run holding a quote.
    QString out;
    QString pending;
    auto flush = [&out, &pending] {
        if (pending.isEmpty())
            return;
        QString q = pending;
        q.replace(QLatin1Char('\''), QLatin1String("''"));
        out += QLatin1Char('\'') + q + QLatin1Char('\'');
        pending.clear();
    };
    for (const DtToken& tok : tokenize(format)) {
        if (tok.kind == DtToken::Literal || !knownRun(tok.text.at(0), tok.text.size())) {
            pending += tok.text;
            continue;
        }
        flush();
        out += tok.text.at(0) == QLatin1Char('t') ? QStringLiteral("ap") : tok.text;
    }
    flush();
    return out;
}

} // namespace qor
