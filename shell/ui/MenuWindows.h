#pragma once
// The windows the menu bar opens that live in other subsystems. The program registers how each
// is shown at start-up (app/Windows.cpp); a window not registered leaves its button without effect.
#include <functional>

namespace shell {

enum class MenuWindow { Quote, Customers, Vendors, Staff, Catalog };

void setMenuWindowOpener(MenuWindow w, std::function<void()> open);
// Shows the window; false when none is registered.
bool openMenuWindow(MenuWindow w);

} // namespace shell
