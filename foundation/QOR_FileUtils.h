// String and path helpers of the core library for file-system browsing. Paths use "/" as
// root and separator; folder paths carry one trailing "/".
#pragma once

#include <QString>
#include <QStringList>

namespace qor {

/// S with C appended unless it already ends with C (an empty S becomes C).
QString EnsureTrailingChar(QChar c, const QString& s);
/// S with exactly one trailing "/" (trailing runs of "/" collapse to one; "" becomes "/").
QString EnsureTrailingSlash(const QString& s);
/// S without its leading run of C.
QString StripLeadingChars(QChar c, const QString& s);
/// S without its trailing run of C.
QString StripTrailingChars(QChar c, const QString& s);
/// Splits S at every character of Delimiters into Parts (replacing their contents) and returns
/// the number of parts. Empty parts count: "/a/" gives "", "a", "" (3).
int Tokenize(const QString& s, const QString& delimiters, QStringList& parts);
/// True when Path names an existing folder (a symbolic link to a folder counts).
bool DirExists(const QString& path);
/// The folder one level up, with a trailing "/": "/a/b/" and "/a/b" give "/a/", "/a/" gives "/";
/// empty above the root and for a path without a "/".
QString ParentDir(const QString& path);

} // namespace qor
