#pragma once
// Tells the menu bar how to show the windows of the other subsystems.
void registerWindows();
