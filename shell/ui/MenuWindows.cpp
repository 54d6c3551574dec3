#include "MenuWindows.h"

#include <map>

namespace shell {
namespace {
std::map<MenuWindow, std::function<void()>>& openers() {
    static std::map<MenuWindow, std::function<void()>> m;
    return m;
}
} // namespace

void setMenuWindowOpener(MenuWindow w, std::function<void()> open) {
    openers()[w] = std::move(open);
}

bool openMenuWindow(MenuWindow w) {
    const auto it = openers().find(w);
    if (it == openers().end() || !it->second)
        return false;
    it->second();
    return true;
}

} // namespace shell
