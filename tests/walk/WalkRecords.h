#pragma once
// The customer, vendor and staff windows as the walk's rows open and fill them in.
#include "Walk.h"
#include "WalkSteps.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmSta.h"
#include "frmWP.h"

#include <QComboBox>
#include <QListWidget>

namespace walk {

// The window listing every record.
template <class T> T* listAll() {
    openMainDb();
    T* f = form<T>();
    f->Command3_Click();
    return f;
}
template <class T> T* window() {
    return ui::Default<T>::get();
}
// A new record with its name and address typed.
template <class T> void startNew() {
    T* f = listAll<T>();
    f->cmdAdd_Click();
    f->setBoxText(QStringLiteral("T2"), QStringLiteral("新名稱甲"));
    f->setBoxText(QStringLiteral("cb1"), QStringLiteral("台北市"));
    f->setBoxText(QStringLiteral("T5"), QStringLiteral("中山北路1號"));
}
// The second entry of a filter list chosen.
template <class T> void chooseSecond(const char* combo, void (T::*chosen)()) {
    in<QComboBox, T>(combo)->setCurrentIndex(1);
    Walker::typedInto(QString::fromLatin1(combo));
    (window<T>()->*chosen)();
}

// Closing a window that still holds a record being typed asks whether to drop it: the user does.
inline const QList<ui::Answer> kDiscardTyped = {ui::Answer::Yes};

// The supply-links editor opened from the vendor being edited, then 確定.
inline void editLinks(const char* button) {
    ModalCloser closer([] { return ui::Default<frmWP>::isLoaded() ? ui::Default<frmWP>::get() : nullptr; },
                       [] {
                           // One link added and one removed: 確定 writes only what was changed.
                           for (const auto& [list, command] : {std::pair{"LsAll", "cmAd"}, std::pair{"LsO", "cmMv"}}) {
                               if (QListWidget* l = in<QListWidget, frmWP>(list); l->count() > 0) {
                                   l->item(0)->setSelected(true);
                                   in<QPushButton, frmWP>(command)->click();
                               }
                           }
                           in<QPushButton, frmWP>("Command1")->click();
                       });
    in<QPushButton, frmPrv>(button)->click();
}

} // namespace walk
