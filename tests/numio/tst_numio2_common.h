// Shared helpers of the spin field tests.
#pragma once

#include "numio/QOR_NumIO2.h"

#include <QtTest>
#include <memory>

namespace numio2test {

/// A shown field with a pinned font, so pixel positions do not depend on the machine.
inline std::unique_ptr<qor::TNumIO2> MakeField(const QString& name = QStringLiteral("Field1"))
{
    auto f = std::make_unique<qor::TNumIO2>();
    f->SetName(name);
    f->Font()->SetName(QStringLiteral("DejaVu Sans"));
    f->Font()->SetSize(9);
    f->setAttribute(Qt::WA_DontShowOnScreen, true);
    f->show();
    return f;
}

inline qor::TColor Px(qor::TNumIO2* f, int x, int y)
{
    f->Canvas()->Flush();
    return f->Canvas()->Pixels(x, y);
}

int RunRenderTests(int argc, char** argv);

} // namespace numio2test
