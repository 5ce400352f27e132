#pragma once

#include <string>

// Complete image files of one grey pixel, small enough to stand in for album art.
std::string tinyJpeg();
std::string tinyPng();
