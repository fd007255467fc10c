#pragma once

namespace kavra {

// The job-work screens, under the names the menu opens them by.
void registerJobworkScreens();

}  // namespace kavra
