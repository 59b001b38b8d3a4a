// Runs the meter's suites: geometry without widgets, property logic, rendering, the picture
// and what is kept between paints.
#include "tst_meter_suites.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestMeterGeometry t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestMeterLogic t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestMeterRender t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestMeterPicture t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestMeterCache t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
