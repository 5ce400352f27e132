#pragma once

#include <string>

// The application icon as the bytes of an .ico file: one 32 x 32 image with
// an alpha channel, a white note on a rounded teal square.
std::string drawApplicationIcon();
