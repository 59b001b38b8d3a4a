// Helpers shared by the month calendar tests.
#pragma once

#include "minical/QOR_MiniCal.h"

#include <QtTest>

inline qor::TDateTime ymd(int y, int m, int d) { return qor::EncodeDate(y, m, d); }

inline QDate shown(const qor::TMiniCal& c) { return QDate(c.Year(), c.Month(), c.Day()); }

/// Counts OnChange.
struct ChangeCounter {
    int n = 0;
    explicit ChangeCounter(qor::TMiniCal& c)
    {
        c.OnChange = [this](QObject*) { ++n; };
    }
};

/// Pixels and mouse of a shown calendar.
class TestMiniCalScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cellColours_data();
    void cellColours();
    void setterReachesScreen();
    void todayEllipse();
    void buttonFrames();
    void sizing_data();
    void sizing();
    void mouse_data();
    void mouse();
    void mouseErrorGoesToHandler();
    void keysAndWheelGoOn();

private:
    qor::TMiniCal* cal = nullptr;
};
