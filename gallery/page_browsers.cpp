// Gallery pages of the browsers: a thumbnail strip fed with generated images, and a folder
// tree of a scratch folder with buttons to create and remove folders.
#include "Gallery.h"

#include "browsers/QOR_FolderTree.h"
#include "browsers/QOR_Thumbnails.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

using namespace qor;

namespace {

// A picture for every slide: a colour wheel position, a shape and the aspect ratio vary with the number.
QImage slideImage(int id)
{
    const bool portrait = id % 3 == 0;
    QImage img(portrait ? 90 : 160, portrait ? 130 : 100 + (id % 4) * 10, QImage::Format_RGB32);
    QLinearGradient g(0, 0, img.width(), img.height());
    g.setColorAt(0, QColor::fromHsv((id * 37) % 360, 200, 250));
    g.setColorAt(1, QColor::fromHsv((id * 37 + 120) % 360, 255, 120));
    QPainter p(&img);
    p.fillRect(img.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 255, 255, 160));
    p.setPen(Qt::NoPen);
    const int r = 15 + id % 25;
    p.drawEllipse(QPoint(img.width() / 2, img.height() / 2), r, r);
    p.setPen(Qt::black);
    p.setFont(QFont("DejaVu Sans", 12, QFont::Bold));
    p.drawText(img.rect().adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(id));
    return img;
}

class ThumbnailsPage : public QWidget {
public:
    ThumbnailsPage()
    {
        auto* layout = new QHBoxLayout(this);
        strip = new TThumbnails;
        strip->setMinimumWidth(300);
        strip->SetMax(500);
        strip->SetSlideSize(110);
        strip->SetSlideSelectMode(ssmMultiple);
        strip->OnFirstImageRequest = [this](TObject*) { requests = 0; };
        strip->OnImageRequest = [this](TObject*, int id, TImageRequestProcessing& how, int& mark, TBitmap*& ib) {
            ++requests;
            if (id % 11 == 0) {
                how = irpShowFrameOnly;
            } else if (id % 5 == 0) {
                how = irpShowEmpty;
            } else {
                how = irpShowSlide;
                ib->SetImage(slideImage(id));
            }
            if (id % 7 == 0)
                mark = id % NrOfMarks;
        };
        strip->OnLastImageRequest = [this](TObject*) {
            status->setText(QString("Last paint requested %1 slides; columns %2, rows %3")
                                .arg(requests).arg(strip->NumSlidesHoriz()).arg(strip->NumSlidesVert()));
        };
        strip->OnImageClick = [this](TObject*, int, int, int id) {
            // Multiple selection is the application's: a click toggles the slide.
            if (id != 0)
                strip->SetSlideSelected(id, !strip->SlideSelected(id));
            events->setText(QString("OnImageClick: slide %1; %2 selected, first %3")
                                .arg(id).arg(strip->NumSlidesSelected()).arg(strip->FirstSelectedSlide()));
        };
        strip->OnImageDblClick = [this](TObject*, int, int, int id) { events->setText(QString("OnImageDblClick: slide %1").arg(id)); };
        strip->OnFocusChange = [this](TObject*) { focus->setText(QString("FocusedSlide: %1").arg(strip->FocusedSlide())); };
        strip->OnMouseWheel = [this](TObject*, TShiftState, int delta, TPoint, bool& handled) {
            scroll->setValue(scroll->value() - delta / 40);
            handled = true;
        };
        layout->addWidget(strip, 1);

        scroll = new QScrollBar(Qt::Vertical);
        // Ten steps per slide: the strip scrolls by fractions of a row.
        scroll->setRange(10, strip->Max() * 10);
        scroll->setPageStep(40);
        connect(scroll, &QScrollBar::valueChanged, this, [this](int v) { strip->SetFirstThumbIdx(v / 10.0); });
        layout->addWidget(scroll);

        auto* side = new QVBoxLayout;
        auto* mode = new QComboBox;
        mode->addItems({"ssmDisabled", "ssmSingle", "ssmMultiple"});
        mode->setCurrentIndex(int(ssmMultiple));
        connect(mode, &QComboBox::currentIndexChanged, this, [this](int i) { strip->SetSlideSelectMode(TSlideSelectMode(i)); });
        auto* size = new QSpinBox;
        size->setRange(50, 300);
        size->setValue(strip->SlideSize());
        connect(size, &QSpinBox::valueChanged, this, [this](int v) { strip->SetSlideSize(v); });
        auto* count = new QSpinBox;
        count->setRange(1, 1000000);
        count->setValue(strip->Max());
        connect(count, &QSpinBox::valueChanged, this, [this](int v) {
            strip->SetMax(v);
            scroll->setRange(10, v * 10);
        });
        auto* focusWidth = new QSpinBox;
        focusWidth->setRange(0, 10);
        focusWidth->setValue(strip->FocusLinewidth());
        connect(focusWidth, &QSpinBox::valueChanged, this, [this](int v) { strip->SetFocusLinewidth(v); });
        auto* smooth = new QComboBox;
        smooth->addItems({"AntiAlias off", "AntiAlias on"});
        connect(smooth, &QComboBox::currentIndexChanged, this, [this](int i) { strip->SetAntiAlias(i == 1); });
        auto* clear = new QPushButton("ResetAllSelections");
        connect(clear, &QPushButton::clicked, this, [this] { strip->ResetAllSelections(); });
        side->addWidget(new QLabel("SlideSelectMode"));
        side->addWidget(mode);
        side->addWidget(new QLabel("SlideSize"));
        side->addWidget(size);
        side->addWidget(new QLabel("Max (slides)"));
        side->addWidget(count);
        side->addWidget(new QLabel("FocusLinewidth"));
        side->addWidget(focusWidth);
        side->addWidget(smooth);
        side->addWidget(clear);
        status = new QLabel;
        events = new QLabel("Click a slide");
        focus = new QLabel("FocusedSlide: 0");
        for (QLabel* l : {status, events, focus}) {
            l->setWordWrap(true);
            side->addWidget(l);
        }
        side->addWidget(new QLabel("Every 5th slide is empty, every 11th a frame only,\nevery 7th carries a marker."));
        side->addStretch(1);
        layout->addLayout(side);
    }

private:
    TThumbnails* strip = nullptr;
    QScrollBar* scroll = nullptr;
    QLabel* status = nullptr;
    QLabel* events = nullptr;
    QLabel* focus = nullptr;
    int requests = 0;
};

class FolderTreePage : public QWidget {
public:
    FolderTreePage()
    {
        scratch = std::make_unique<QTemporaryDir>();
        const QString base = scratch->path() + "/";
        for (const char* d : {"Documents/Letters", "Documents/Reports/2025", "Pictures/Holiday", "alpha", "Beta",
                              "gamma/.cache", ".hidden/inside"})
            QDir().mkpath(base + d);

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel("A folder tree of the scratch folder " + scratch->path()));
        tree = new TFolderTree;
        tree->SetRootDir(base);
        tree->OnDirChanged = [this](TObject*) { directory->setText("Directory: " + tree->Directory()); };
        layout->addWidget(tree, 1);
        directory = new QLabel("Directory: " + tree->Directory());
        layout->addWidget(directory);

        auto* row = new QHBoxLayout;
        name = new QLineEdit("New folder");
        auto* create = new QPushButton("MakeSubFolder");
        auto* remove = new QPushButton("RemoveSelectedFolder");
        auto* refresh = new QPushButton("RefreshTree");
        row->addWidget(new QLabel("Name (nested with /):"));
        row->addWidget(name, 1);
        row->addWidget(create);
        row->addWidget(remove);
        row->addWidget(refresh);
        layout->addLayout(row);
        result = new QLabel("Select a folder, then create or remove.");
        layout->addWidget(result);

        connect(create, &QPushButton::clicked, this, [this] {
            const bool ok = tree->MakeSubFolder(name->text());
            result->setText(QString("MakeSubFolder(\"%1\"): %2").arg(name->text(), ok ? "true" : "false"));
        });
        connect(remove, &QPushButton::clicked, this, [this] {
            const bool ok = tree->RemoveSelectedFolder();
            result->setText(QString("RemoveSelectedFolder: %1%2")
                                .arg(ok ? "true" : "false", ok ? "" : " (nothing or the root selected, or the folder is not empty)"));
        });
        connect(refresh, &QPushButton::clicked, this, [this] {
            result->setText(QString("RefreshTree: %1").arg(tree->RefreshTree() ? "true" : "false"));
        });
        tree->SelectPath(base + "Documents");
    }

private:
    std::unique_ptr<QTemporaryDir> scratch;
    TFolderTree* tree = nullptr;
    QLabel* directory = nullptr;
    QLineEdit* name = nullptr;
    QLabel* result = nullptr;
};

} // namespace

QOR_GALLERY_PAGE("Thumbnails", [] { return new ThumbnailsPage; });
QOR_GALLERY_PAGE("Folder tree", [] { return new FolderTreePage; });
