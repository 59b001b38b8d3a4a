// Tests of the folder tree on a temporary directory: listing and expand buttons, order, path
// case, selection, creating and removing folders, refreshing after changes on disk, folders
// that cannot be read, and symbolic-link loops.
#include "browsers/FolderListing_p.h"
#include "browsers/QOR_FolderTree.h"
#include "foundation/QOR_FileUtils.h"

#include <QtTest>
#include <sys/fsuid.h>
#include <unistd.h>

using namespace qor;

namespace {

/// Checks of permissions as an ordinary user. Root reads every folder whatever its mode, so a
/// root test switches the file-system user id of this thread to "nobody" for the checks (which
/// also drops root's override of permissions) and back afterwards.
struct Unprivileged {
    bool ok = true;
    bool switched = false;
    Unprivileged()
    {
        if (::geteuid() != 0)
            return;
        ::setfsuid(65534);
        switched = int(::setfsuid(uid_t(-1))) == 65534;
        ok = switched;
    }
    ~Unprivileged()
    {
        if (switched)
            ::setfsuid(0);
    }
};

struct Disk {
    QTemporaryDir tmp;
    QString root; // with a trailing "/"
    Disk()
    {
        root = EnsureTrailingSlash(tmp.path());
        QFile::setPermissions(tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }
    QString mk(const QString& rel)
    {
        QDir().mkpath(root + rel);
        return root + rel;
    }
    void file(const QString& rel)
    {
        QFile f(root + rel);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    bool exists(const QString& rel) const { return QFileInfo::exists(root + rel); }
};

QStringList names(const std::vector<TFolderEntry>& list)
{
    QStringList out;
    for (const TFolderEntry& e : list)
        out << e.Name + (e.HasSubDirs ? "+" : "") + (e.Loop ? "@" : "");
    return out;
}

QStringList childTexts(QTreeWidgetItem* node)
{
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i)
        out << node->child(i)->text(0) + (node->child(i)->childCount() ? "+" : "");
    return out;
}

} // namespace

class TestFolderTree : public QObject {
    Q_OBJECT

private slots:
    void initialState();
    void listing();
    void expandButtonsAreExact();
    void selectPath_data();
    void selectPath();
    void selectionEventsInOrder();
    void makeSubFolder_data();
    void makeSubFolder();
    void makeSubFolderNeedsSelection();
    void removeSelectedFolder_data();
    void removeSelectedFolder();
    void refreshAfterDeletionOnDisk();
    void refreshAfterTheWholeRootWent();
    void getSubDirs();
    void permissionDenied();
    void symlinkLoops();
    void colours();
    void unusedKeysGoToTheParent();
};

void TestFolderTree::initialState()
{
    TFolderTree t;
    QCOMPARE(t.Directory(), QString("/"));
    QCOMPARE(t.topLevelItemCount(), 1);
    QCOMPARE(t.topLevelItem(0)->text(0), QString("/"));
    QCOMPARE(childTexts(t.topLevelItem(0)), QStringList{"Child"});
    QVERIFY(t.OldTreeStyle());
    QCOMPARE(t.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(t.editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(t.SelectPath("/"));
    QVERIFY(t.topLevelItem(0)->childCount() > 0);
    QVERIFY(!childTexts(t.topLevelItem(0)).contains("Child"));
    t.SetRootDir("."); // a relative root is taken from the current directory
    QCOMPARE(t.RootDir(), EnsureTrailingSlash(QDir::currentPath()));
    QCOMPARE(t.Directory(), t.RootDir());
}

void TestFolderTree::listing()
{
    Disk d;
    d.mk("list/Beta/x");
    d.mk("list/alpha");
    d.mk("list/Gamma/.hidden");
    d.mk("list/.config/deep");
    d.mk("list/ALPHA");
    d.file("list/zfile");
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "list/")), (QStringList{"ALPHA", "alpha", "Beta+", "Gamma"}));
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "list")), (QStringList{"ALPHA", "alpha", "Beta+", "Gamma"}));
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "missing/")), QStringList{});
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "list/zfile/")), QStringList{});
}

void TestFolderTree::expandButtonsAreExact()
{
    Disk d;
    d.mk("t/Beta/x");
    d.mk("t/alpha");
    d.mk("t/Gamma/.only-hidden");
    TFolderTree t;
    t.SetRootDir(d.root + "t");
    QCOMPARE(t.topLevelItem(0)->text(0), d.root + "t/");
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    t.expandItem(t.topLevelItem(0)); // as a click on the expand button
    QTreeWidgetItem* root = t.topLevelItem(0);
    QCOMPARE(childTexts(root), (QStringList{"alpha", "Beta+", "Gamma"}));
    QCOMPARE(root->data(0, Qt::UserRole).toUInt(), TFolderTree::ReadMark);
    QTreeWidgetItem* beta = root->child(1);
    QCOMPARE(childTexts(beta), QStringList{"Child"});
    QVERIFY(beta->data(0, Qt::UserRole).toUInt() != TFolderTree::ReadMark);
    t.expandItem(beta);
    QCOMPARE(childTexts(beta), QStringList{"x"});
    QCOMPARE(beta->data(0, Qt::UserRole).toUInt(), TFolderTree::ReadMark);
}

void TestFolderTree::selectPath_data()
{
    QTest::addColumn<QString>("path"); // relative to the temporary root; a leading '!' makes it absolute
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("directory");
    QTest::newRow("with slash") << "MixedCase/Sub/" << true << "MixedCase/Sub/";
    QTest::newRow("without slash") << "MixedCase/Sub" << true << "MixedCase/Sub/";
    QTest::newRow("doubled separators") << "MixedCase//Sub/." << true << "MixedCase/Sub/";
    QTest::newRow("the root") << "" << true << "";
    QTest::newRow("other case is another name") << "mixedcase/sub/" << false << "";
    QTest::newRow("missing") << "MixedCase/None/" << false << "";
    QTest::newRow("hidden folder") << ".hid/" << false << "";
    QTest::newRow("outside the root") << "!/usr/" << false << "";
    QTest::newRow("relative") << "!MixedCase/" << false << "";
    QTest::newRow("a file") << "MixedCase/file" << false << "";
}

void TestFolderTree::selectPath()
{
    QFETCH(QString, path);
    QFETCH(bool, result);
    Disk d;
    d.mk("MixedCase/Sub/deeper");
    d.mk(".hid");
    d.file("MixedCase/file");
    TFolderTree t;
    t.SetRootDir(d.root);
    int dirChanges = 0;
    t.OnDirChanged = [&](TObject*) { ++dirChanges; };
    const QString full = path.startsWith('!') ? path.mid(1) : d.root + path;
    QCOMPARE(t.SelectPath(full), result);
    QFETCH(QString, directory);
    QCOMPARE(t.Directory(), d.root + directory);
    QCOMPARE(dirChanges, result && !directory.isEmpty() ? 1 : 0);
    QVERIFY(t.currentItem());
    QCOMPARE(t.PathOfNode(t.currentItem()), t.Directory());
    if (result && !directory.isEmpty()) {
        QCOMPARE(t.currentItem()->text(0), QString("Sub"));
        QVERIFY(t.currentItem()->parent()->isExpanded());
        QCOMPARE(childTexts(t.currentItem()), QStringList{"deeper"}); // the selected node is read
    }
}

void TestFolderTree::selectionEventsInOrder()
{
    Disk d;
    d.mk("a/b");
    TFolderTree t;
    t.SetRootDir(d.root);
    QStringList log;
    t.OnClick = [&](TObject*) { log << "click"; };
    t.OnChange = [&](TObject*, QTreeWidgetItem* n) { log << "change " + n->text(0); };
    t.OnDirChanged = [&](TObject* s) { log << "dir " + static_cast<TFolderTree*>(s)->Directory().mid(d.root.size()); };
    QVERIFY(t.SelectPath(d.root + "a/b"));
    QCOMPARE(log, (QStringList{"click", "change b", "dir a/b/"}));
    log.clear();
    QVERIFY(t.SelectPath(d.root + "a/b/"));
    QCOMPARE(log, (QStringList{"click", "change b"})); // same folder: no OnDirChanged
    log.clear();
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    QTreeWidgetItem* a = t.currentItem()->parent();
    QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.visualItemRect(a).center());
    QCOMPARE(log, (QStringList{"click", "change a", "dir a/"}));
    log.clear();
    QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.visualItemRect(a).center());
    QCOMPARE(log, QStringList{"click"});
}

void TestFolderTree::makeSubFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("created"); // relative to the selected folder "base/"
    QTest::newRow("plain") << "new" << true << "new/";
    QTest::newRow("nested with slashes") << "/a/b/" << true << "a/b/";
    QTest::newRow("existing") << "old" << true << "old/";
    QTest::newRow("vertical bar") << "a|b" << false << "";
    QTest::newRow("tab") << "a\tb" << false << "";
    QTest::newRow("delete character") << QString("a") + QChar(127) << false << "";
    QTest::newRow("less-than") << "a<b" << false << "";
    QTest::newRow("dot") << "." << false << "";
    QTest::newRow("dot dot") << ".." << false << "";
    QTest::newRow("dot dot inside") << "a/../../x" << false << "";
    QTest::newRow("empty part") << "a//b" << false << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("only slashes") << "///" << false << "";
    QTest::newRow("under a file") << "file/x" << false << "";
}

void TestFolderTree::makeSubFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, result);
    QFETCH(QString, created);
    Disk d;
    d.mk("base/old");
    d.file("base/file");
    TFolderTree t;
    t.SetRootDir(d.root);
    QVERIFY(t.SelectPath(d.root + "base"));
    const QStringList before = QDir(d.root + "base").entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(t.MakeSubFolder(name), result);
    if (result) {
        QVERIFY(d.exists("base/" + created));
        QCOMPARE(t.Directory(), d.root + "base/" + created);
    } else {
        QCOMPARE(QDir(d.root + "base").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(t.Directory(), d.root + "base/");
        QVERIFY(!d.exists("x"));
    }
}

void TestFolderTree::makeSubFolderNeedsSelection()
{
    Disk d;
    TFolderTree t;
    t.SetRootDir(d.root);
    QVERIFY(!t.currentItem());
    QVERIFY(!t.MakeSubFolder("x"));
    QVERIFY(!d.exists("x"));
}

void TestFolderTree::removeSelectedFolder_data()
{
    QTest::addColumn<QString>("select");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("directory");
    QTest::newRow("empty folder") << "p/empty" << true << "p/";
    QTest::newRow("holds a file") << "p/full" << false << "p/full/";
    QTest::newRow("holds a folder") << "p" << false << "p/";
    QTest::newRow("the root") << "" << false << "";
    QTest::newRow("link to an empty folder") << "p/link" << false << "p/link/";
}

void TestFolderTree::removeSelectedFolder()
{
    QFETCH(QString, select);
    QFETCH(bool, result);
    Disk d;
    d.mk("p/empty");
    d.mk("p/full");
    d.file("p/full/keep");
    d.mk("target");
    QVERIFY(QFile::link(d.root + "target", d.root + "p/link"));
    TFolderTree t;
    t.SetRootDir(d.root);
    QVERIFY(t.SelectPath(d.root + select));
    QCOMPARE(t.RemoveSelectedFolder(), result);
    QCOMPARE(d.exists(select), !result);
    QVERIFY(d.exists("p/full/keep"));
    QVERIFY(d.exists("target"));
    QFETCH(QString, directory);
    QCOMPARE(t.Directory(), d.root + directory);
    QCOMPARE(t.PathOfNode(t.currentItem()), t.Directory());
}

void TestFolderTree::refreshAfterDeletionOnDisk()
{
    Disk d;
    d.mk("keep/gone/deeper");
    TFolderTree t;
    t.SetRootDir(d.root);
    QVERIFY(t.SelectPath(d.root + "keep/gone/deeper"));
    int dirChanges = 0;
    t.OnDirChanged = [&](TObject*) { ++dirChanges; };
    QVERIFY(t.RefreshTree()); // nothing changed: the same folder, no event
    QCOMPARE(dirChanges, 0);
    QVERIFY(QDir(d.root + "keep/gone").removeRecursively());
    d.mk("keep/new");
    QVERIFY(t.RefreshTree());
    QCOMPARE(t.Directory(), d.root + "keep/");
    QCOMPARE(dirChanges, 1);
    QCOMPARE(childTexts(t.currentItem()), QStringList{"new"});
}

void TestFolderTree::refreshAfterTheWholeRootWent()
{
    Disk d;
    d.mk("r/a");
    TFolderTree t;
    t.SetRootDir(d.root + "r");
    QVERIFY(t.SelectPath(d.root + "r/a"));
    QVERIFY(QDir(d.root + "r").removeRecursively());
    int dirChanges = 0;
    t.OnDirChanged = [&](TObject*) { ++dirChanges; };
    QVERIFY(!t.RefreshTree());
    QCOMPARE(t.Directory(), d.root + "r/");
    QCOMPARE(dirChanges, 1);
    QCOMPARE(t.topLevelItemCount(), 1);
}

void TestFolderTree::getSubDirs()
{
    Disk d;
    d.mk("g/b");
    d.mk("g/A");
    d.mk("g/.c");
    d.mk("e");
    TFolderTree t;
    t.SetRootDir(d.root);
    QStringList list{"stale"};
    QVERIFY(t.GetSubDirs(d.root + "g", list));
    QCOMPARE(list, (QStringList{"A", "b"}));
    QVERIFY(!t.GetSubDirs(d.root + "e/", list));
    QCOMPARE(list, QStringList{});
    QVERIFY(!t.GetSubDirs(d.root + "missing/", list));
    QVERIFY(t.SelectPath(d.root + "g"));
    QVERIFY(t.GetSubDirs(t.currentItem(), list));
    QCOMPARE(list, (QStringList{"A", "b"}));
}

void TestFolderTree::permissionDenied()
{
    Disk d;
    d.mk("perm/locked/inner/deep");
    d.mk("perm/open");
    QVERIFY(QFile::setPermissions(d.root + "perm/locked", QFile::Permissions()));
    const auto unlock = qScopeGuard([&] { QFile::setPermissions(d.root + "perm/locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    TFolderTree t;
    t.SetRootDir(d.root);
    Unprivileged as;
    if (!as.ok)
        QSKIP("running as root without the right to change the file-system user id");
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "perm/")), (QStringList{"locked", "open"}));
    QVERIFY(t.SelectPath(d.root + "perm/locked"));
    QCOMPARE(t.currentItem()->childCount(), 0);
    t.expandItem(t.currentItem());
    QCOMPARE(t.currentItem()->childCount(), 0);
    QStringList list;
    QVERIFY(!t.GetSubDirs(d.root + "perm/locked/", list));
    QVERIFY(!t.SelectPath(d.root + "perm/locked/inner"));
    QCOMPARE(t.Directory(), d.root + "perm/locked/");
    QVERIFY(!t.MakeSubFolder("x"));
    QVERIFY(t.RefreshTree());
    QCOMPARE(t.Directory(), d.root + "perm/locked/");
}

void TestFolderTree::symlinkLoops()
{
    Disk d;
    d.mk("s/a/sub");
    d.mk("s/x");
    d.mk("s/y");
    QVERIFY(QFile::link(".", d.root + "s/a/here"));          // back to itself
    QVERIFY(QFile::link("../..", d.root + "s/a/sub/up"));    // to an ancestor
    QVERIFY(QFile::link(d.root + "s/y", d.root + "s/x/toY")); // x -> y -> x through two links
    QVERIFY(QFile::link(d.root + "s/x", d.root + "s/y/toX"));
    QVERIFY(QFile::link("self", d.root + "s/a/self"));       // resolves to nothing
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "s/a/")), (QStringList{"here@", "sub+"}));
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "s/a/sub/")), (QStringList{"up@"}));
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "s/x/")), (QStringList{"toY+"}));
    QCOMPARE(names(LoadDirNamesAndSort(d.root + "s/x/toY/")), (QStringList{"toX@"}));

    TFolderTree t;
    t.SetRootDir(d.root);
    QVERIFY(t.SelectPath(d.root + "s/a/here"));
    QCOMPARE(t.currentItem()->childCount(), 0);
    t.expandItem(t.currentItem());
    QCOMPARE(t.currentItem()->childCount(), 0);
    QVERIFY(!t.SelectPath(d.root + "s/a/here/here/sub"));
    QVERIFY(t.SelectPath(d.root + "s/x/toY/toX"));
    QCOMPARE(t.currentItem()->childCount(), 0);
    QCOMPARE(t.Directory(), d.root + "s/x/toY/toX/");
}

void TestFolderTree::colours()
{
    QWidget parent;
    TFolderTree t(&parent);
    t.SetColor(0x00FFFF);
    QCOMPARE(t.palette().color(QPalette::Base), QColor(255, 255, 0));
    t.SetEnabled(false);
    QCOMPARE(t.palette().color(QPalette::Base), ColorToQColor(clBtnFace, &t.palette()));
    t.SetEnabled(true);
    QCOMPARE(t.palette().color(QPalette::Base), QColor(255, 255, 0));
    parent.setEnabled(false);
    QVERIFY(!t.Enabled());
    QCOMPARE(t.palette().color(QPalette::Base), ColorToQColor(clBtnFace, &t.palette()));
    parent.setEnabled(true);
    t.SetColor(0);
    t.BeginLoading();
    t.EndLoading();
    QCOMPARE(t.Color(), TColor(0xFFFFFF));
}

void TestFolderTree::unusedKeysGoToTheParent()
{
    TFolderTree t;
    QStringList keys;
    t.OnKeyDown = [&](TObject*, Word& k, TShiftState) { keys << QString::number(k); };
    t.OnKeyPress = [&](TObject*, QChar& c) { keys << QString(c); };
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    QApplication::sendEvent(&t, &esc);
    QVERIFY(!esc.isAccepted());
    QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QString(QChar(26)));
    QApplication::sendEvent(&t, &ctrlA);
    QVERIFY(!ctrlA.isAccepted());
    QCOMPARE(keys.first(), QString::number(VK_ESCAPE));
}

QTEST_MAIN(TestFolderTree)
#include "tst_foldertree.moc"
