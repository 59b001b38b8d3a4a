// Walks the meta-object of every component: each published property is a Q_PROPERTY that
// reads back what was written, each enumeration is known to Qt by its key names, and an
// enumeration property can be set by key name.
#include "displays/QOR_NumLab.h"
#include "displays/QOR_RasterLab.h"
#include "displays/QOR_RotLab.h"
#include "displays/QOR_sevenseg.h"
#include "meter/QOR_Meter.h"
#include "numio/QOR_NumIO.h"
#include "replist/QOR_replist.h"

#include <QtTest>
#include <functional>
#include <memory>

using namespace qor;

namespace {

struct Component {
    std::function<std::unique_ptr<QObject>()> make;
    QStringList published;
};

template <class T>
std::unique_ptr<QObject> make() { return std::make_unique<T>(); }

const QMap<QString, Component>& components()
{
    static const QMap<QString, Component> all{
        {"TNumIO", {make<TNumIO>, {"Beep", "DecPlaceSep", "FixPointDecPlaces", "InputFormat", "RangeHigh", "RangeLow"}}},
        {"TNumIO2", {make<TNumIO2>, {
            "Alignment", "AutoSize", "Beep", "ButVisible", "ButHeight", "ButWidth", "ButIncrem", "ButSpace",
            "ButColor", "ColorBoxBG", "ColorBoxText", "ColorOutBG", "ColorOutText", "ColorScheme", "ColorWarnBG",
            "ColorWarnText", "DecPlaceSep", "Enabled", "FixPointDecPlaces", "FrameStyle", "GaugeColor",
            "GaugeColorBg", "GaugeColorFrame", "GaugeFrameStyle", "GaugeHeight", "GaugeLeftMargin",
            "GaugeTopMargin", "GaugeVisible", "GaugeWidth", "Height", "HideSelection", "InputFormat", "LeftSpace",
            "LeftText", "LeftTextAlignment", "RangeHigh", "RangeLow", "ReadOnly", "RightText",
            "RightTextAlignment", "SignificantDigits", "Text", "TextBoxWidth", "Value", "Width"}}},
        {"TNumLab", {make<TNumLab>, {
            "Alignment", "ColorLabBakG", "ColorLabText", "ColorOutBakG", "ColorOutText", "ColorScheme", "Comma",
            "DisplayType", "DTFormat", "Empty", "Enabled", "ForcePlusSign", "FrameStyle", "LabelWidth",
            "LeftSpace", "LeftText", "LeftTextAlignment", "OverflowIndicator", "Precision", "RightText",
            "RightTextAlignment", "StateText", "Transparent", "Value"}}},
        {"TSevenSeg", {make<TSevenSeg>, {
            "Caption", "ColorBackGnd", "ColorText", "ColorScheme", "FrameStyle", "InterDigDist", "Margin",
            "NumDigits"}}},
        {"TRasterLab", {make<TRasterLab>, {
            "AutoHeight", "AutoCenter", "CharBlockMode", "ColorDotOff", "ColorDotOn", "ColorLabBakG",
            "ColorScheme", "DotSize", "DotSpacing", "Font", "FrameStyle", "PosX", "PosY", "Proportional",
            "ScrollMode", "ScrollInterval", "ScrollIncrement", "ScrollLoop", "Text"}}},
        {"TRotLab", {[] {
             // The position is the caption's own only while it is not centred automatically.
             auto r = std::make_unique<TRotLab>();
             r->SetAutoCenter(false);
             return std::unique_ptr<QObject>(std::move(r));
         }, {
            "Alignment", "AntiAlias", "AutoCenter", "Caption", "Color", "FrameStyle", "PosX", "PosY", "TextAngle",
            "Transparent"}}},
        {"TMeter", {[] {
             // A positive range, so that Logarithmic can be switched on.
             auto m = std::make_unique<TMeter>();
             m->SetMeterMaxValue(10);
             m->SetMeterMinValue(1);
             return std::unique_ptr<QObject>(std::move(m));
         }, {
            "Value", "ValueSec", "MeterMinValue", "MeterMaxValue", "ThresholdLow", "ThresholdHigh", "Logarithmic",
            "MeterLayout", "MeterNrTicks", "MeterDecPlaces", "MeterShortTicks", "MeterScaleLine", "ScaleVisible",
            "ScaleBkVisible", "ScaleBkWidth", "ColorScale", "ColorBakG", "ColorCover", "ColorSclBkLow",
            "ColorSclBkNorm", "ColorSclBkHigh", "ColorScheme", "FrameStyle", "Caption", "FontCaption", "RimTop",
            "RimBottom", "RimSide", "AnchorCovered", "AnchorSize", "AnchorImage", "BackGroundImg",
            "BkgndFillMode", "LimWatchHighOn", "LimWatchLowOn", "LimWatchActColor", "LimWatchPsvColor",
            "NeedleLayout", "NeedleLayoutSec"}}},
        {"TNeedleLayout", {make<TNeedleLayout>, {
            "HeadSize", "HeadAngle", "HeadMidLeng", "Thickness", "ColorBody", "ColorOutline",
            "PercentNeedleLength", "ShadowDx", "ShadowDy", "ShadowColor", "Visible"}}},
        {"TRLData", {make<TRLData>, {"NrOfColumns", "NrOfRows", "CommonHeader"}}},
        {"TReportListView", {[] {
             auto v = std::make_unique<TReportListView>();
             // Room to scroll, so that TopRow and LeftCol can move.
             v->resize(200, 120);
             v->SetNrCols(12);
             v->SetNrRows(60);
             return std::unique_ptr<QObject>(std::move(v));
         }, {
            "NrOfColumns", "NrOfRows", "AutoAdvance", "ColorHigh", "ColorText", "ColorBkgdNormal",
            "ColorBkgdShaded", "ColorColumnHd", "FixedColor", "ColorColumnHdText", "ColorCommonHd",
            "ColorCommonHdText", "ColorDisabledBkgd", "ColorDisabledText", "ColorEmptyMsg", "ColorHighText",
            "ColorSelectedRow", "ColorSelectedRowText", "ColorSelectedCol", "ColorSelectedColText",
            "ColorSelectedBoth", "ColorSelectedBothText", "CommonHeader", "CommonHeaderAlignment",
            "CommonHeaderVisible", "CommonHeaderHeight", "ColumnHeadersVisible", "ColumnHeadersHeight",
            "DefaultColWidth", "DefaultRowHeight", "EmptyMessage", "Enabled", "HighLightBold", "HighLightRow",
            "HighLightColumn", "InterRowIndicatorColor", "InterRowIndicatorWidth", "LeftCol", "RowSelectMode",
            "RowColPattern", "ShowEmptyCheckBoxes", "FixedFirstColumn", "SortEnabled", "TopRow",
            "UseCtrlForMultiSel"}}},
    };
    return all;
}

// The key names of every enumeration a published property uses.
const QMap<QString, QStringList>& enumKeys()
{
    static const QMap<QString, QStringList> keys{
        {"TInFormat", {"itExp", "itFloat", "itFixPoint", "itInt", "itHex", "itOct", "itBin", "itDynamic"}},
        {"TDecPSep", {"dsSysDefault", "dsPoint", "dsComma", "dsBoth"}},
        {"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}},
        {"TColorScheme", {"csFixed", "csSystem"}},
        {"TFrameStyle", {"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsRidge", "fsGroove"}},
        {"TDisplay", {"dtFloat", "dtFixP", "dtExp", "dtHex", "dtZeroInt", "dtInt", "dtDateTime", "dtState", "dtBin",
                      "dtOct", "dtDeg", "dtDegMin", "dtDegMinSec", "dtEEng", "dtEEngNoDP"}},
        {"TRDBlockMode", {"rdbmOff", "rdbmOn", "rdbmRaster"}},
        {"TRDScrollMode", {"rdsmOff", "rdsmLeft", "rdsmRight", "rdsmDown", "rdsmUp"}},
        {"TMeterLayout", {"mlCirc90", "mlCirc120", "mlCirc180", "mlCirc270", "mlCirc300", "mlCirc360"}},
        {"TBkgFill", {"bfSimple", "bfStretch", "bfTile"}},
    };
    return keys;
}

// Values different from the current one, tried in turn: a setter may clamp or refuse some
// of them (a minimum that must stay below the maximum), but it must take one.
QVariantList candidates(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Bool: return {!v.toBool()};
    case QMetaType::Int: return {v.toInt() + 1, v.toInt() - 1, v.toInt() + 3};
    case QMetaType::UInt: return {v.toUInt() ^ 0x00102030u, v.toUInt() ^ 0x1u};
    case QMetaType::Double: return {v.toDouble() + 0.5, v.toDouble() - 0.5, v.toDouble() * 2 + 1};
    case QMetaType::QString: return {v.toString() + "7", QString("7"), QString("Probe")};
    default: return {};
    }
}

// An image file the meter can load as its background or anchor.
QString imageFile()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath("probe.png");
    if (!QFile::exists(path)) {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.save(path);
    }
    return path;
}

QVariantList candidatesFor(const QString& property, const QVariant& v)
{
    if (property == "AnchorImage" || property == "BackGroundImg")
        return {imageFile()};
    return candidates(v);
}

QString valueText(const QVariant& v) { return v.toString().isEmpty() ? QString(v.typeName()) : v.toString(); }

} // namespace

class tst_MetaObject : public QObject {
    Q_OBJECT
private slots:
    void publishedPropertiesReadBack_data();
    void publishedPropertiesReadBack();
    void enumPropertiesByKeyName_data();
    void enumPropertiesByKeyName();
    void objectPropertiesCopyIntoTheComponent();
    void inputFormatByName();
};

void tst_MetaObject::publishedPropertiesReadBack_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("property");
    for (auto it = components().begin(); it != components().end(); ++it)
        for (const QString& p : it.value().published)
            QTest::addRow("%s.%s", qPrintable(it.key()), qPrintable(p)) << it.key() << p;
}

void tst_MetaObject::publishedPropertiesReadBack()
{
    QFETCH(QString, component);
    QFETCH(QString, property);
    const std::unique_ptr<QObject> o = components()[component].make();
    const QMetaObject* mo = o->metaObject();
    QCOMPARE(QString(mo->className()), "qor::" + component);
    const int index = mo->indexOfProperty(qPrintable(property));
    QVERIFY2(index >= 0, "no Q_PROPERTY");
    const QMetaProperty p = mo->property(index);
    QVERIFY(p.isReadable());
    QVERIFY(p.isWritable());
    const QVariant before = p.read(o.get());
    QVERIFY(before.isValid());
    if (p.metaType().flags().testFlag(QMetaType::IsEnumeration)) {
        QVERIFY2(p.isEnumType(), "an enumeration the meta-object does not know");
        return; // walked key by key in enumPropertiesByKeyName
    }
    if (p.metaType().flags().testFlag(QMetaType::PointerToQObject) || QByteArray(p.typeName()).endsWith('*'))
        return; // objectPropertiesCopyIntoTheComponent
    const QVariantList tries = candidatesFor(property, before);
    QVERIFY2(!tries.isEmpty(), p.typeName());
    QStringList refused;
    for (const QVariant& v : tries) {
        QVERIFY(p.write(o.get(), v));
        const QVariant after = p.read(o.get());
        if (after == v && after != before)
            return;
        refused << valueText(v) + " read back as " + valueText(after);
    }
    QFAIL(qPrintable("no written value reads back: " + refused.join("; ")));
}

void tst_MetaObject::enumPropertiesByKeyName_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("property");
    for (auto it = components().begin(); it != components().end(); ++it) {
        const std::unique_ptr<QObject> o = it.value().make();
        const QMetaObject* mo = o->metaObject();
        for (int i = 0; i < mo->propertyCount(); ++i)
            if (it.value().published.contains(mo->property(i).name()) && mo->property(i).isEnumType())
                QTest::addRow("%s.%s", qPrintable(it.key()), mo->property(i).name()) << it.key()
                                                                                   << QString(mo->property(i).name());
    }
}

void tst_MetaObject::enumPropertiesByKeyName()
{
    QFETCH(QString, component);
    QFETCH(QString, property);
    const std::unique_ptr<QObject> o = components()[component].make();
    const QMetaProperty p = o->metaObject()->property(o->metaObject()->indexOfProperty(qPrintable(property)));
    const QMetaEnum e = p.enumerator();
    QVERIFY(e.isValid());
    QVERIFY2(enumKeys().contains(e.name()), e.name());
    QStringList keys;
    for (int k = 0; k < e.keyCount(); ++k)
        keys << e.key(k);
    QCOMPARE(keys, enumKeys()[e.name()]);
    // Every key by name, last to first so that each write is a change; the value reads back.
    for (int k = e.keyCount() - 1; k >= 0; --k) {
        QVERIFY(o->setProperty(qPrintable(property), QString(e.key(k))));
        QCOMPARE(QString(e.valueToKey(p.read(o.get()).toInt())), QString(e.key(k)));
    }
    QVERIFY(!o->setProperty(qPrintable(property), QString("noSuchKey")));
    QCOMPARE(QString(e.valueToKey(p.read(o.get()).toInt())), QString(e.key(0)));
}

void tst_MetaObject::objectPropertiesCopyIntoTheComponent()
{
    TMeter m;
    for (const char* name : {"NeedleLayout", "NeedleLayoutSec"}) {
        TNeedleLayout* own = m.property(name).value<TNeedleLayout*>();
        QVERIFY(own);
        TNeedleLayout other;
        other.Assign(own);
        other.SetHeadSize(own->HeadSize() + 7);
        QVERIFY(m.setProperty(name, QVariant::fromValue(&other)));
        TNeedleLayout* after = m.property(name).value<TNeedleLayout*>();
        QCOMPARE(after, own);
        QCOMPARE(after->HeadSize(), other.HeadSize());
    }
    TRasterLab r;
    for (QObject* o : {static_cast<QObject*>(&m), static_cast<QObject*>(&r)}) {
        const char* name = o == &m ? "FontCaption" : "Font";
        TFont* own = o->property(name).value<TFont*>();
        QVERIFY(own);
        TFont other(*own);
        other.SetSize(own->Size() + 5);
        QVERIFY(o->setProperty(name, QVariant::fromValue(&other)));
        TFont* after = o->property(name).value<TFont*>();
        QCOMPARE(after, own);
        QCOMPARE(after->Size(), other.Size());
    }
}

void tst_MetaObject::inputFormatByName()
{
    TNumIO n;
    TNumIO2 n2;
    for (QObject* o : {static_cast<QObject*>(&n), static_cast<QObject*>(&n2)}) {
        QVERIFY(o->setProperty("InputFormat", "itHex"));
        QCOMPARE(o->property("InputFormat").value<TInFormat>(), itHex);
    }
    QCOMPARE(n.InputFormat(), itHex);
    QCOMPARE(n2.InputFormat(), itHex);
}

QTEST_MAIN(tst_MetaObject)
#include "tst_metaobject.moc"
