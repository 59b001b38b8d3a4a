// Folder tree: the nodes, lazy expansion, selection by path, and creating and removing folders.
#include "browsers/QOR_FolderTree.h"
#include "browsers/FolderListing_p.h"
#include "foundation/QOR_FileUtils.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopeGuard>

namespace qor {

namespace {

constexpr int kLoopRole = Qt::UserRole + 1;

QTreeWidgetItem* addPlaceholder(QTreeWidgetItem* parent)
{
    return new QTreeWidgetItem(parent, QStringList{TFolderTree::PlaceholderText()});
}

bool isRead(const QTreeWidgetItem* node) { return node->data(0, Qt::UserRole).toUInt() == TFolderTree::ReadMark; }

// Characters no folder name of ours may hold: control characters, and the four that other
// systems refuse, so names stay portable.
bool validNamePart(const QString& part)
{
    return !part.isEmpty() && part != QLatin1String(".") && part != QLatin1String("..");
}

bool validChars(const QString& name)
{
    for (QChar ch : name)
        if (ch.unicode() < 32 || ch.unicode() == 127 || QStringLiteral("\"<>|").contains(ch))
            return false;
    return true;
}

} // namespace

TFolderTree::TFolderTree(QWidget* owner) : QTreeWidget(owner)
{
    if (OwnerDesigning(owner))
        SetDesigning(true);
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) { ProcessExpanding(node); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node, QTreeWidgetItem*) {
        if (!FRebuilding && node)
            Change(node);
    });
    applyColor();
    Reset();
}

TFolderTree::~TFolderTree()
{
    // Items die in the base destructor; no handler of this class may run then.
    blockSignals(true);
    clear();
}

QString TFolderTree::rootPath() const { return EnsureTrailingSlash(FRootDir); }

void TFolderTree::SetRootDir(const QString& dir)
{
    // A relative folder is taken from the current directory, so node paths are always absolute.
    const QString abs = dir.isEmpty() ? QStringLiteral("/") : QFileInfo(dir).absoluteFilePath();
    const QString d = EnsureTrailingSlash(QDir::cleanPath(abs));
    if (d == FRootDir)
        return;
    FRootDir = d;
    Reset();
}

void TFolderTree::applyColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ColorToQColor(isEnabled() ? FColorBak : clBtnFace, &pal));
    setPalette(pal);
}

void TFolderTree::SetColor(TColor c)
{
    FColorBak = c;
    applyColor();
}

void TFolderTree::changeEvent(QEvent* e)
{
    QTreeWidget::changeEvent(e);
    // Also when a parent is disabled, not only through SetEnabled.
    if (e->type() == QEvent::EnabledChange)
        applyColor();
}

void TFolderTree::Loaded()
{
    if (FColorBak == 0)
        FColorBak = 0xFFFFFF;
    applyColor();
    collapseAll();
}

// ---------------------------------------------------------------- nodes

QString TFolderTree::PathOfNode(const QTreeWidgetItem* node) const
{
    if (!node)
        return QString();
    QStringList parts;
    for (const QTreeWidgetItem* n = node; n; n = n->parent())
        parts.prepend(n->text(0));
    QString path = EnsureTrailingSlash(parts.takeFirst());
    for (const QString& p : parts)
        path += p + QLatin1Char('/');
    return path;
}

void TFolderTree::buildMainTree()
{
    FRebuilding = true;
    const auto done = qScopeGuard([this] { FRebuilding = false; });
    clear();
    auto* root = new QTreeWidgetItem(this, QStringList{rootPath()});
    addPlaceholder(root);
}

void TFolderTree::Reset()
{
    const QString old = FDirectory;
    FDirectory = rootPath();
    buildMainTree();
    collapseAll();
    if (FDirectory != old && OnDirChanged)
        OnDirChanged(this);
}

void TFolderTree::ProcessExpanding(QTreeWidgetItem* node)
{
    if (!node || Designing() || isRead(node))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const std::vector<TFolderEntry> list =
        node->data(0, kLoopRole).toBool() ? std::vector<TFolderEntry>{} : LoadDirNamesAndSort(PathOfNode(node));
    qDeleteAll(node->takeChildren());
    if (list.empty())
        return;
    node->setData(0, Qt::UserRole, ReadMark);
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(list.size()));
    for (const TFolderEntry& e : list) {
        auto* item = new QTreeWidgetItem(QStringList{e.Name});
        if (e.Loop)
            item->setData(0, kLoopRole, true);
        else if (e.HasSubDirs)
            addPlaceholder(item);
        items.append(item);
    }
    node->addChildren(items);
}

void TFolderTree::Change(QTreeWidgetItem* node)
{
    if (OnClick)
        OnClick(this);
    const QString old = FDirectory;
    FDirectory = PathOfNode(node);
    if (OnChange)
        OnChange(this, node);
    if (FDirectory != old && OnDirChanged)
        OnDirChanged(this);
}

// ---------------------------------------------------------------- paths

bool TFolderTree::selectPath(const QString& path)
{
    if (path.isEmpty() || !path.startsWith(QLatin1Char('/')))
        return false;
    const QString p = EnsureTrailingSlash(QDir::cleanPath(path));
    const QString root = rootPath();
    if (!DirExists(p) || !p.startsWith(root))
        return false;
    buildMainTree();
    QTreeWidgetItem* node = topLevelItem(0);
    ProcessExpanding(node);
    QStringList parts;
    const int n = Tokenize(p.mid(root.size()), QStringLiteral("/"), parts);
    for (int k = 0; k < n - 1; ++k) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < node->childCount() && !next; ++i)
            if (node->child(i)->text(0) == parts.at(k) && isRead(node))
                next = node->child(i);
        if (!next)
            return false;
        node = next;
        ProcessExpanding(node);
    }
    for (QTreeWidgetItem* a = node->parent(); a; a = a->parent())
        a->setExpanded(true);
    setCurrentItem(node);
    scrollToItem(node);
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool TFolderTree::SelectPath(const QString& path)
{
    if (selectPath(path))
        return true;
    // A failure after the rebuild would leave nothing selected while Directory names a folder:
    // show the previous folder again.
    if (!currentItem() && !selectPath(FDirectory))
        setCurrentItem(topLevelItem(0));
    return false;
}

bool TFolderTree::MakeSubFolder(const QString& folderName)
{
    QTreeWidgetItem* node = currentItem();
    if (!node || !validChars(folderName))
        return false;
    const QString rel = StripTrailingChars(QLatin1Char('/'), StripLeadingChars(QLatin1Char('/'), folderName));
    const QStringList parts = rel.split(QLatin1Char('/'));
    for (const QString& part : parts)
        if (!validNamePart(part))
            return false;
    const QString full = PathOfNode(node) + rel;
    if (!QDir().mkpath(full))
        return false;
    SelectPath(full);
    return true;
}

bool TFolderTree::RemoveSelectedFolder()
{
    QTreeWidgetItem* node = currentItem();
    if (!node || !node->parent())
        return false;
    const QString path = PathOfNode(node);
    // rmdir refuses a folder that holds anything, and a symbolic link (its target is kept).
    const bool ok = QDir().rmdir(StripTrailingChars(QLatin1Char('/'), path));
    const QPointer<TFolderTree> self(this);
    QCoreApplication::processEvents();
    if (!self)
        return ok;
    if (ok)
        SelectPath(ParentDir(path));
    return ok;
}

bool TFolderTree::RefreshTree()
{
    const QString old = FDirectory;
    bool ok = selectPath(FDirectory);
    while (!ok) {
        FDirectory = ParentDir(FDirectory);
        if (FDirectory.isEmpty())
            break;
        ok = selectPath(FDirectory);
    }
    if (!ok) {
        // Nothing of the old path is left inside the root: show the root.
        FDirectory = rootPath();
        buildMainTree();
        if (!selectPath(FDirectory))
            setCurrentItem(topLevelItem(0));
    }
    if (FDirectory != old && OnDirChanged)
        OnDirChanged(this);
    return ok;
}

bool TFolderTree::GetSubDirs(const QString& path, QStringList& dirList) const
{
    dirList.clear();
    if (!DirExists(path))
        return false;
    for (const TFolderEntry& e : LoadDirNamesAndSort(EnsureTrailingSlash(path)))
        dirList.append(e.Name);
    return !dirList.isEmpty();
}

bool TFolderTree::GetSubDirs(QTreeWidgetItem* node, QStringList& dirList) const
{
    if (!node) {
        dirList.clear();
        return false;
    }
    return GetSubDirs(PathOfNode(node), dirList);
}

// ---------------------------------------------------------------- events

void TFolderTree::keyPressEvent(QKeyEvent* e)
{
    Word key = QtKeyToVK(e->key(), e->modifiers());
    if (key != 0 && OnKeyDown) {
        OnKeyDown(this, key, ShiftStateFromQt(e->modifiers()));
        if (key == 0) {
            e->accept();
            return;
        }
    }
    const QString text = e->text();
    if (!text.isEmpty() && OnKeyPress) {
        QChar c = text.at(0);
        OnKeyPress(this, c);
        if (c.isNull()) {
            e->accept();
            return;
        }
    }
    QTreeWidget::keyPressEvent(e);
}

void TFolderTree::keyReleaseEvent(QKeyEvent* e)
{
    Word key = QtKeyToVK(e->key(), e->modifiers());
    if (key != 0 && OnKeyUp)
        OnKeyUp(this, key, ShiftStateFromQt(e->modifiers()));
    QTreeWidget::keyReleaseEvent(e);
}

void TFolderTree::focusInEvent(QFocusEvent* e)
{
    QTreeWidget::focusInEvent(e);
    if (OnEnter)
        OnEnter(this);
}

void TFolderTree::focusOutEvent(QFocusEvent* e)
{
    QTreeWidget::focusOutEvent(e);
    if (OnExit)
        OnExit(this);
}

void TFolderTree::enterEvent(QEnterEvent* e)
{
    QTreeWidget::enterEvent(e);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TFolderTree::leaveEvent(QEvent* e)
{
    QTreeWidget::leaveEvent(e);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TFolderTree::mousePressEvent(QMouseEvent* e)
{
    FPressedCurrent = currentItem();
    FPressed = e->button() == Qt::LeftButton;
    QTreeWidget::mousePressEvent(e);
    if (OnMouseDown) {
        const QPoint p = e->position().toPoint();
        const TMouseButton b = e->button() == Qt::RightButton ? mbRight
                             : e->button() == Qt::MiddleButton ? mbMiddle : mbLeft;
        OnMouseDown(this, b, ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
    }
}

void TFolderTree::mouseReleaseEvent(QMouseEvent* e)
{
    QTreeWidget::mouseReleaseEvent(e);
    // A click that changed the selection has fired OnClick through Change already.
    if (FPressed && e->button() == Qt::LeftButton && currentItem() == FPressedCurrent && OnClick)
        OnClick(this);
    FPressed = false;
}

void TFolderTree::mouseDoubleClickEvent(QMouseEvent* e)
{
    QTreeWidget::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

} // namespace qor
