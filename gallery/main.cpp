// The qor gallery: one page per component, live. With --screenshots DIR every page is
// rendered to DIR/<page>.png and the program exits (used where there is no display).
#include "Gallery.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

namespace gallery {
std::vector<Page>& Pages()
{
    static std::vector<Page> pages;
    return pages;
}
} // namespace gallery

static QString fileNameFor(const QString& title)
{
    QString s = title.toLower();
    for (QChar& c : s)
        if (!c.isLetterOrNumber())
            c = '_';
    return s;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("qor gallery");

    QString shotDir;
    const QStringList args = app.arguments();
    const int i = args.indexOf("--screenshots");
    if (i >= 0 && i + 1 < args.size())
        shotDir = args.at(i + 1);

    auto pages = gallery::Pages();
    std::sort(pages.begin(), pages.end(), [](const auto& a, const auto& b) { return a.title < b.title; });

    if (!shotDir.isEmpty()) {
        QDir().mkpath(shotDir);
        int written = 0;
        for (const auto& page : pages) {
            std::unique_ptr<QWidget> w(page.create());
            w->resize(960, 680);
            w->setAttribute(Qt::WA_DontShowOnScreen, true);
            w->show();
            for (int k = 0; k < 5; ++k)
                QApplication::processEvents();
            const QString path = QDir(shotDir).filePath(fileNameFor(page.title) + ".png");
            if (w->grab().save(path))
                ++written;
            else
                QTextStream(stderr) << "could not write " << path << "\n";
        }
        QTextStream(stdout) << "rendered " << written << " gallery pages to " << QDir(shotDir).absolutePath() << "\n";
        return written == int(pages.size()) ? 0 : 1;
    }

    QTabWidget tabs;
    tabs.setWindowTitle("qor gallery");
    for (const auto& page : pages)
        tabs.addTab(page.create(), page.title);
    tabs.resize(1000, 720);
    tabs.show();
    return app.exec();
}
