// TFolderTree: the folders of the file system as a tree, read lazily. A node's subfolders are
// listed when it is expanded; a placeholder child gives every folder that has subfolders its
// expand button before it is read. The tree selects a given path, creates subfolders under the
// selected folder, removes the selected (empty) folder and re-selects its folder after changes
// on disk. Paths use "/" as root and separator and keep the case of the names on disk.
#pragma once

#include "foundation/QOR_Controls.h"

#include <QStringList>
#include <QTreeWidget>

namespace qor {

using TTVChangedEvent = std::function<void(TObject* Sender, QTreeWidgetItem* Node)>;

class TFolderTree : public QTreeWidget, public TComponentFlags {
    Q_OBJECT
    Q_PROPERTY(bool OldTreeStyle READ OldTreeStyle WRITE SetOldTreeStyle)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString RootDir READ RootDir WRITE SetRootDir)
    Q_PROPERTY(QString Directory READ Directory)

public:
    /// Node data (Qt::UserRole) of a node whose subfolders have been read.
    static constexpr uint ReadMark = 0xA5F016ED;
    /// Text of the placeholder child of a folder that has subfolders but was not read yet.
    static QString PlaceholderText() { return QStringLiteral("Child"); }

    explicit TFolderTree(QWidget* owner = nullptr);
    ~TFolderTree() override;

    QSize sizeHint() const override { return QSize(121, 97); }

    QString Name() const { return objectName(); }
    void SetName(const QString& n) { setObjectName(n); }
    QObject* Owner() const { return parent(); }

    /// Path of the selected folder, always with a trailing "/".
    QString Directory() const { return FDirectory; }
    /// Kept for the classic look under visual styles; qor draws no visual styles, so the
    /// tree looks the same either way.
    bool OldTreeStyle() const { return FUseOldStyle; }
    void SetOldTreeStyle(bool on) { FUseOldStyle = on; }
    /// Background while enabled; a disabled tree shows clBtnFace.
    TColor Color() const { return FColorBak; }
    void SetColor(TColor c);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool on) { setEnabled(on); }
    /// The folder shown as the root node, "/" by default; paths outside it cannot be selected.
    QString RootDir() const { return FRootDir; }
    void SetRootDir(const QString& dir);

    /// The root alone, collapsed; Directory becomes the root.
    void Reset();
    /// Rebuilds the tree and selects Path (a trailing "/" is optional); false when the folder does
    /// not exist, lies outside the root, or is not listed (a name beginning with a point).
    bool SelectPath(const QString& path);
    /// Creates FolderName (nested names separated by "/") under the selected folder and selects
    /// it. False for no selection, an empty name, a name with control characters or one of
    /// " < > |, a part "." or "..", or when the folder cannot be created.
    bool MakeSubFolder(const QString& folderName);
    /// Removes the selected folder when it is empty and selects its parent; never the root,
    /// never a folder that holds anything, never the target of a symbolic link.
    bool RemoveSelectedFolder();
    /// Selects Directory again, or its nearest existing ancestor after a deletion on disk.
    bool RefreshTree();
    /// The listed subfolders of Path, sorted; false when the folder does not exist or has none.
    bool GetSubDirs(const QString& path, QStringList& dirList) const;
    bool GetSubDirs(QTreeWidgetItem* node, QStringList& dirList) const;
    /// The node's texts from the root down, each followed by "/".
    QString PathOfNode(const QTreeWidgetItem* node) const;

    TTVChangedEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnDirChanged;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;

protected:
    /// Reads a node's subfolders on its first expansion.
    virtual void ProcessExpanding(QTreeWidgetItem* node);
    /// Runs when the selected node changes.
    virtual void Change(QTreeWidgetItem* node);
    void Loaded() override;

    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QString rootPath() const;
    void buildMainTree();
    bool selectPath(const QString& path);
    void applyColor();

    QString FDirectory;
    QString FRootDir = QStringLiteral("/");
    bool FUseOldStyle = true;
    TColor FColorBak = clWindow;
    bool FRebuilding = false;
    QTreeWidgetItem* FPressedCurrent = nullptr;
    bool FPressed = false;
};

} // namespace qor
