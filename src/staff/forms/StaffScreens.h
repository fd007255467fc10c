#pragma once
// Registers the staff screens.
namespace kavra {
void registerStaffScreens();
}
