// Creates one of every component on a form, shows it, lets the event loop paint it and checks that
// a bitmap compiled into the library is found.
#include "bars/QOR_ProgBar.h"
#include "bars/QOR_gradfl.h"
#include "browsers/QOR_FolderTree.h"
#include "browsers/QOR_Thumbnails.h"
#include "displays/QOR_NumLab.h"
#include "displays/QOR_RasterLab.h"
#include "displays/QOR_RotLab.h"
#include "displays/QOR_sevenseg.h"
#include "meter/QOR_Meter.h"
#include "minical/QOR_MiniCal.h"
#include "ntabed/QOR_ntabed.h"
#include "numio/QOR_NumIO.h"
#include "numio/QOR_NumIO2.h"
#include "pickers/QOR_Colsel.h"
#include "pickers/QOR_marksel.h"
#include "pickers/QOR_onoffbut.h"
#include "pickers/QOR_repsbut.h"
#include "replist/QOR_ReportListView.h"
#include "replist/QOR_replist.h"

#include <QApplication>
#include <QDirIterator>
#include <QImage>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    const QList<QWidget*> widgets{
        new qor::TNumIO, new qor::TNumIO2, new qor::TReportListView, new qor::TNTabEd, new qor::TMeter,
        new qor::TMiniCal, new qor::TNumLab, new qor::TSevenSeg, new qor::TRasterLab, new qor::TRotLab,
        new qor::TOnOffBut, new qor::TColSel, new qor::TMarkSel, new qor::TRepSpeedButton,
        new qor::TProgBar, new qor::TGradFill, new qor::TThumbnails, new qor::TFolderTree};
    for (QWidget* w : widgets)
        layout->addWidget(w);
    new qor::TRLData(&form);
    form.show();
    QTimer::singleShot(50, &app, &QApplication::quit);
    app.exec();

    // The bitmaps live in the foundation as compiled-in resources; they must survive install.
    int bitmaps = 0;
    for (QDirIterator it(":/qor", QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++bitmaps;
    const QImage segment(":/qor/SEGHORZ.png");
    const QImage probe = form.grab().toImage();
    std::printf("%lld components, %d compiled-in resources, form %dx%d\n",
                static_cast<long long>(widgets.size()), bitmaps, probe.width(), probe.height());
    if (bitmaps == 0 || segment.isNull() || probe.isNull()) {
        std::fprintf(stderr, "consumer: the compiled-in resources or the form are missing\n");
        return 1;
    }
    return 0;
}
