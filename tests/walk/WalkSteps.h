#pragma once
// Small steps the walk's rows are made of: opening the main database and windows, finding and
// pressing their controls.
#include "../shell_ui/ShellUiFixture.h"
#include "mdM.h"

#include <QPushButton>

namespace walk {

inline void openMainDb() {
    mdM::OpenDatabase();
}
// The default instance of a window, loaded and shown.
template <class T> T* form() {
    T* f = ui::Default<T>::get();
    f->show();
    return f;
}
template <class W, class T> W* in(const char* name) {
    return child<W>(ui::Default<T>::get(), name);
}
template <class T> void click(const char* name) {
    in<QPushButton, T>(name)->click();
}

} // namespace walk
