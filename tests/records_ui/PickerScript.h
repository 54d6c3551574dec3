#pragma once
// Acts on the customer window once it is up as a modal picker (the caller then opens it).
#include "frmCus.h"

#include <QTimer>
#include <QtTest>
#include <functional>

inline void whenPickerShows(std::function<void(frmCus*)> f) {
    QTimer::singleShot(0, [f] {
        QTRY_VERIFY(ui::Default<frmCus>::isLoaded() && ui::Default<frmCus>::get()->isVisible());
        f(ui::Default<frmCus>::get());
    });
}
