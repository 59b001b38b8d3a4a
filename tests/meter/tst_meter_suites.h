// The meter's test suites, run one after another by tst_meter's main.
#pragma once

#include "meter/QOR_Meter.h"

#include <QObject>
#include <QtTest>

/// The meter's picture as RenderTo draws it; null when it draws nothing.
inline QImage RenderMeter(qor::TMeter& m)
{
    qor::TBitmap B;
    if (!m.RenderTo(&B))
        return QImage();
    return B.Image().copy();
}

class TestMeterGeometry : public QObject {
    Q_OBJECT
private slots:
    void scaleSteps_data();
    void scaleSteps();
    void scaleStepsRefusesDegenerateRanges();
    void largeMagnitudeTinySpanTerminates();
    void defaultTicks();
    void logDecadeTicks();
    void logWithinDecadeTicks();
    void negativeRangeLabels();
    void labelText_data();
    void labelText();
    void layoutGeometry_data();
    void layoutGeometry();
    void ownLayoutsFitTheWindow_data();
    void ownLayoutsFitTheWindow();
    void angleRoundTrip_data();
    void angleRoundTrip();
    void pixelRoundTrip_data();
    void pixelRoundTrip();
    void needleAngleKnownValues();
    void pixelToValueOutsideSweep();
    void needlePolygonCorners();
    void rounding();
};

class TestMeterLogic : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void limitEventSequences_data();
    void limitEventSequences();
    void hiddenNeedleFiresNoEventButRepaints();
    void secondaryNeedle();
    void thresholdSetters();
    void rangeSetters();
    void rangeSettersRefuseNonFinite();
    void logarithmicSwitch();
    void clampedSetters();
    void loadingStoresThenLoadedRepairs();
    void mouseMoveInMeter();
    void needleLayoutAssignAndChange();
    void backgroundImageFiles();
    void anchorImageFiles();
};

class TestMeterRender : public QObject {
    Q_OBJECT
private slots:
    void nothingDrawnWithoutRadius();
    void paintCopiesTheRenderedImage();
    void limitLamps();
    void lampsSwitchedOff();
    void bandExtent();
    void bandSkippedAtRangeEnd();
    void bandRingAtZeroWidth();
    void needleTipAndShadow();
    void needleHandlerSuppressesNeedle();
    void secondaryNeedleDrawn();
    void labelHandler();
    void majorTickPixels();
    void frameAndCover_data();
    void frameAndCover();
    void backgroundImageModes();
    void anchorImageDrawnWithMask();
    void everyLayoutRenders_data();
    void everyLayoutRenders();
};

class TestMeterPicture : public QObject {
    Q_OBJECT
private slots:
    void closedCircleEndLabel_data();
    void closedCircleEndLabel();
    void minorTicksOnLogScales_data();
    void minorTicksOnLogScales();
    void geometryFollowsHiddenResize_data();
    void geometryFollowsHiddenResize();
    void loadedClampsBothValues_data();
    void loadedClampsBothValues();
    void primaryNeedleVisible_data();
    void primaryNeedleVisible();
    void captionOverKnob_data();
    void captionOverKnob();
};

class TestMeterCache : public QObject {
    Q_OBJECT
private slots:
    void changeAfterPaint_data();
    void changeAfterPaint();
};
