#pragma once
// Registers the statement screens: one screen, one descriptor each.
namespace kavra {
void registerViewScreens();
}
