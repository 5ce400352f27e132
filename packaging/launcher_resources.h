#pragma once

#include <string>
#include <vector>

#include "version_resource.h"

// Writes resources.rc and its data files into `folder`: one RCDATA resource
// per "Name=text" setting, the application icon (group 132, image 1) and,
// when `versionInfo` is given, the version resource. Answers false with a
// message on a bad setting.
bool writeLauncherResources(const std::string& folder, const std::vector<std::string>& settings, bool allowOverlong,
                            const VersionInfo* versionInfo, std::string& error);
