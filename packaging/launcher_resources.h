#pragma once

#include <string>
#include <vector>

// Writes resources.rc and its data files into `folder`: one RCDATA resource
// per "Name=text" setting and the application icon (group 132, image 1).
// Answers false with a message on a bad setting.
bool writeLauncherResources(const std::string& folder, const std::vector<std::string>& settings, bool allowOverlong,
                            std::string& error);
