#include "QorDesignerPlugin.h"

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

#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace qor::designer {

namespace {

template <class T>
TWidgetEntry Entry(const char* className, const char* header, const char* toolTip)
{
    return {QString::fromLatin1(className), QString::fromLatin1(header), QString::fromUtf8(toolTip),
            [](QWidget* parent) -> QWidget* { return new T(parent); }};
}

/// Ends a component's loading once the form that created it has set its properties: at the
/// component's first show, or at the next turn of the event loop, whichever comes first. A form
/// builder (Designer, QUiLoader) sets every property of a widget before control returns to the loop.
class TEndLoadingOnce : public QObject {
public:
    TEndLoadingOnce(QWidget* widget, TComponentFlags* flags)
        : QObject(widget), m_flags(flags)
    {
        widget->installEventFilter(this);
        QTimer::singleShot(0, this, [this] { Finish(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            Finish();
        return false;
    }

private:
    void Finish()
    {
        if (m_done)
            return;
        m_done = true;
        parent()->removeEventFilter(this);
        m_flags->EndLoading();
        deleteLater();
    }

    TComponentFlags* m_flags;
    bool m_done = false;
};

} // namespace

TWidgetPlugin::TWidgetPlugin(TWidgetEntry entry, QObject* parent)
    : QObject(parent), m_entry(std::move(entry))
{
}

void TWidgetPlugin::initialize(QDesignerFormEditorInterface* core)
{
    // Only Designer calls this; QUiLoader creates run-time widgets without it.
    m_initialized = core != nullptr;
}

void TWidgetPlugin::MakeSample() const
{
    if (m_sizeHint.isValid())
        return;
    std::unique_ptr<QWidget> sample(m_entry.Create(nullptr));
    if (auto* flags = dynamic_cast<TComponentFlags*>(sample.get()))
        flags->SetDesigning(true);
    // A component without a size hint of its own is placed at the size it gives itself.
    m_sizeHint = sample->sizeHint().isValid() ? sample->sizeHint() : sample->size();
    sample->resize(m_sizeHint);
    // The component's own look, scaled down, is its icon in the widget box.
    const QPixmap look = sample->grab();
    m_icon = QIcon(look.scaled(QSize(32, 32), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QIcon TWidgetPlugin::icon() const
{
    MakeSample();
    return m_icon;
}

QString TWidgetPlugin::domXml() const
{
    MakeSample();
    QString object = m_entry.ClassName.section(QStringLiteral("::"), -1);
    object = object.mid(1, 1).toLower() + object.mid(2); // "TMeter" -> "meter"
    return QStringLiteral(
               "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
               "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>"
               "</property></widget></ui>")
        .arg(m_entry.ClassName, object)
        .arg(m_sizeHint.width())
        .arg(m_sizeHint.height());
}

QWidget* TWidgetPlugin::createWidget(QWidget* parent)
{
    QWidget* widget = m_entry.Create(parent);
    if (auto* flags = dynamic_cast<TComponentFlags*>(widget)) {
        flags->SetDesigning(m_initialized);
        flags->BeginLoading();
        new TEndLoadingOnce(widget, flags);
    }
    return widget;
}

TCollection::TCollection(QObject* parent)
    : QObject(parent)
{
    const TWidgetEntry entries[] = {
        Entry<TNumIO>("qor::TNumIO", "numio/QOR_NumIO.h", "Numeric entry field with a number format"),
        Entry<TNumIO2>("qor::TNumIO2", "numio/QOR_NumIO2.h", "Numeric entry field with a unit and an accept check"),
        Entry<TReportListView>("qor::TReportListView", "replist/QOR_ReportListView.h", "Report grid over a data store"),
        Entry<TNTabEd>("qor::TNTabEd", "ntabed/QOR_ntabed.h", "Table editor for numeric data"),
        Entry<TMeter>("qor::TMeter", "meter/QOR_Meter.h", "Analog meter with a needle and a scale"),
        Entry<TMiniCal>("qor::TMiniCal", "minical/QOR_MiniCal.h", "Month calendar"),
        Entry<TNumLab>("qor::TNumLab", "displays/QOR_NumLab.h", "Numeric label"),
        Entry<TSevenSeg>("qor::TSevenSeg", "displays/QOR_sevenseg.h", "Seven-segment display"),
        Entry<TRasterLab>("qor::TRasterLab", "displays/QOR_RasterLab.h", "Dot-matrix text display"),
        Entry<TRotLab>("qor::TRotLab", "displays/QOR_RotLab.h", "Label with rotated text"),
        Entry<TOnOffBut>("qor::TOnOffBut", "pickers/QOR_onoffbut.h", "On/off button with glyphs"),
        Entry<TColSel>("qor::TColSel", "pickers/QOR_Colsel.h", "Colour selector"),
        Entry<TMarkSel>("qor::TMarkSel", "pickers/QOR_marksel.h", "Mark selector"),
        Entry<TRepSpeedButton>("qor::TRepSpeedButton", "pickers/QOR_repsbut.h", "Speed button that repeats while held"),
        Entry<TProgBar>("qor::TProgBar", "bars/QOR_ProgBar.h", "Progress bar with colour gradients"),
        Entry<TGradFill>("qor::TGradFill", "bars/QOR_gradfl.h", "Gradient fill area"),
        Entry<TThumbnails>("qor::TThumbnails", "browsers/QOR_Thumbnails.h", "Thumbnail browser of image files"),
        Entry<TFolderTree>("qor::TFolderTree", "browsers/QOR_FolderTree.h", "Folder tree"),
    };
    for (const TWidgetEntry& entry : entries)
        m_widgets.append(new TWidgetPlugin(entry, this));
}

} // namespace qor::designer
