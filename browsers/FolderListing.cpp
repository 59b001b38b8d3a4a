// Folder tree: listing folders with the system's directory calls. One open per listed folder
// and one per subfolder keeps a listing of many folders cheap; symbolic links are followed
// only to learn whether they lead to a folder, and a link back onto its own path is a leaf.
#include "browsers/FolderListing_p.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qor {

namespace {

class DirHandle {
public:
    DirHandle(int parentFd, const char* name)
    {
        const int fd = parentFd >= 0 ? ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                     : ::open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        m_dir = ::fdopendir(fd);
        if (!m_dir)
            ::close(fd);
    }
    ~DirHandle()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    DirHandle(const DirHandle&) = delete;
    DirHandle& operator=(const DirHandle&) = delete;
    DIR* get() const { return m_dir; }
    int fd() const { return m_dir ? ::dirfd(m_dir) : -1; }

private:
    DIR* m_dir = nullptr;
};

enum class Kind { Other, Dir, LinkToDir };

// What an entry is, with as few system calls as the directory entry allows.
Kind kindOf(int dirFd, const dirent* e)
{
    if (e->d_type == DT_DIR)
        return Kind::Dir;
    if (e->d_type != DT_LNK && e->d_type != DT_UNKNOWN)
        return Kind::Other;
    struct stat st {};
    if (::fstatat(dirFd, e->d_name, &st, 0) != 0 || !S_ISDIR(st.st_mode))
        return Kind::Other; // dangling, looping or unreadable links are not folders
    if (e->d_type == DT_LNK)
        return Kind::LinkToDir;
    struct stat lst {};
    if (::fstatat(dirFd, e->d_name, &lst, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(lst.st_mode))
        return Kind::LinkToDir;
    return Kind::Dir;
}

bool hidden(const char* name) { return name[0] == '.'; }

bool hasSubFolder(int parentFd, const char* name)
{
    DirHandle d(parentFd, name);
    if (!d.get())
        return false;
    while (const dirent* e = ::readdir(d.get()))
        if (!hidden(e->d_name) && kindOf(d.fd(), e) != Kind::Other)
            return true;
    return false;
}

QByteArray realPath(const QByteArray& path)
{
    char buf[PATH_MAX];
    return ::realpath(path.constData(), buf) ? QByteArray(buf) : QByteArray();
}

// Real paths of every folder on the way from "/" to the listed folder.
struct PathChain {
    QByteArray listed;
    std::vector<QByteArray> reals;
    bool built = false;

    void build()
    {
        if (built)
            return;
        built = true;
        QByteArray prefix = "/";
        reals.push_back(realPath(prefix));
        for (const QByteArray& part : listed.split('/')) {
            if (part.isEmpty())
                continue;
            prefix += part + '/';
            reals.push_back(realPath(prefix));
        }
    }

    // A link loops when it leads to a folder already on the path, or to an ancestor of the
    // listed folder: following it would list the same folders again, without end.
    bool loops(const QByteArray& linkPath)
    {
        build();
        const QByteArray target = realPath(linkPath);
        if (target.isEmpty())
            return true;
        for (const QByteArray& r : reals)
            if (r == target)
                return true;
        const QByteArray here = reals.back();
        return target == "/" || here.startsWith(target + '/');
    }
};

} // namespace

std::vector<TFolderEntry> LoadDirNamesAndSort(const QString& path)
{
    std::vector<TFolderEntry> list;
    QByteArray dirPath = QFile::encodeName(path);
    if (!dirPath.endsWith('/'))
        dirPath += '/';
    DirHandle d(-1, dirPath.constData());
    if (!d.get())
        return list;
    PathChain chain{dirPath, {}, false};
    while (const dirent* e = ::readdir(d.get())) {
        if (hidden(e->d_name))
            continue;
        const Kind k = kindOf(d.fd(), e);
        if (k == Kind::Other)
            continue;
        TFolderEntry entry;
        entry.Name = QFile::decodeName(e->d_name);
        if (k == Kind::LinkToDir && chain.loops(dirPath + e->d_name))
            entry.Loop = true;
        else
            entry.HasSubDirs = hasSubFolder(d.fd(), e->d_name);
        list.push_back(std::move(entry));
    }
    std::vector<QString> keys;
    keys.reserve(list.size());
    std::vector<std::size_t> order(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        keys.push_back(list[i].Name.toLower());
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = QString::compare(keys[a], keys[b]);
        return c != 0 ? c < 0 : QString::compare(list[a].Name, list[b].Name) < 0;
    });
    std::vector<TFolderEntry> sorted;
    sorted.reserve(list.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(list[i]));
    return sorted;
}

} // namespace qor
