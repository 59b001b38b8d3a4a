// String and path helpers for file-system browsing.
#include "foundation/QOR_FileUtils.h"

#include <QFileInfo>

namespace qor {

QString EnsureTrailingChar(QChar c, const QString& s)
{
    return s.endsWith(c) ? s : s + c;
}

QString EnsureTrailingSlash(const QString& s)
{
    return StripTrailingChars(QLatin1Char('/'), s) + QLatin1Char('/');
}

QString StripLeadingChars(QChar c, const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == c)
        ++i;
    return s.mid(i);
}

QString StripTrailingChars(QChar c, const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == c)
        --n;
    return s.left(n);
}

int Tokenize(const QString& s, const QString& delimiters, QStringList& parts)
{
    parts.clear();
    qsizetype start = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (delimiters.contains(s.at(i))) {
            parts.append(s.mid(start, i - start));
            start = i + 1;
        }
    }
    parts.append(s.mid(start));
    return int(parts.size());
}

bool DirExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString ParentDir(const QString& path)
{
    const QString p = StripTrailingChars(QLatin1Char('/'), path);
    const qsizetype cut = p.lastIndexOf(QLatin1Char('/'));
    if (cut < 0)
        return QString(); // above the root, or a bare name
    return p.left(cut + 1);
}

} // namespace qor
