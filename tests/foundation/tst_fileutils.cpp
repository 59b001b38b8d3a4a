// Tests of the path and string helpers of the core.
#include "foundation/QOR_FileUtils.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qor;

class TestFileUtils : public QObject {
    Q_OBJECT

private slots:
    void trailingAndStrip_data();
    void trailingAndStrip();
    void tokenize_data();
    void tokenize();
    void parentDir_data();
    void parentDir();
    void dirExists();
};

void TestFileUtils::trailingAndStrip_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("slash");     // EnsureTrailingSlash
    QTest::addColumn<QString>("withX");     // EnsureTrailingChar('x')
    QTest::addColumn<QString>("noLeading"); // StripLeadingChars('/')
    QTest::addColumn<QString>("noTrailing");
    QTest::newRow("empty") << "" << "/" << "x" << "" << "";
    QTest::newRow("root") << "/" << "/" << "/x" << "" << "";
    QTest::newRow("path") << "/a/b" << "/a/b/" << "/a/bx" << "a/b" << "/a/b";
    QTest::newRow("runs") << "//a//" << "//a/" << "//a//x" << "a//" << "//a";
    QTest::newRow("ends with x") << "box" << "box/" << "box" << "box" << "box";
}

void TestFileUtils::trailingAndStrip()
{
    QFETCH(QString, s);
    QTEST(EnsureTrailingSlash(s), "slash");
    QTEST(EnsureTrailingChar('x', s), "withX");
    QTEST(StripLeadingChars('/', s), "noLeading");
    QTEST(StripTrailingChars('/', s), "noTrailing");
}

void TestFileUtils::tokenize_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("delims");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("path with trailing slash") << "/usr/lib/" << "/" << QStringList{"", "usr", "lib", ""};
    QTest::newRow("no delimiter") << "abc" << "/" << QStringList{"abc"};
    QTest::newRow("empty") << "" << "/" << QStringList{""};
    QTest::newRow("two delimiters") << "a;b,c" << ";," << QStringList{"a", "b", "c"};
}

void TestFileUtils::tokenize()
{
    QFETCH(QString, s);
    QFETCH(QString, delims);
    QFETCH(QStringList, parts);
    QStringList out{"stale"};
    QCOMPARE(Tokenize(s, delims, out), int(parts.size()));
    QCOMPARE(out, parts);
}

void TestFileUtils::parentDir_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("parent");
    QTest::newRow("folder") << "/a/b/" << "/a/";
    QTest::newRow("no trailing slash") << "/a/b" << "/a/";
    QTest::newRow("below root") << "/a/" << "/";
    QTest::newRow("root") << "/" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("bare name") << "name" << "";
}

void TestFileUtils::parentDir()
{
    QFETCH(QString, path);
    QTEST(ParentDir(path), "parent");
}

void TestFileUtils::dirExists()
{
    QTemporaryDir tmp;
    QVERIFY(DirExists(tmp.path()));
    QVERIFY(DirExists(tmp.path() + "/"));
    QVERIFY(DirExists("/"));
    QVERIFY(!DirExists(""));
    QVERIFY(!DirExists(tmp.path() + "/missing"));
    QFile f(tmp.path() + "/file");
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(!DirExists(tmp.path() + "/file"));
    QVERIFY(QFile::link(tmp.path(), tmp.path() + "/link"));
    QVERIFY(DirExists(tmp.path() + "/link"));
}

QTEST_APPLESS_MAIN(TestFileUtils)
#include "tst_fileutils.moc"
