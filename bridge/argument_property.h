#pragma once
// The launcher's system property that carries the user's arguments exactly where the Windows
// code page cannot hold them: kArgumentsPropertyOption and the arguments, each UTF-8 and
// percent-encoded, separated by commas.

#include <functional>
#include <string>

#include "arguments_property_name.h"

// The property's value with each argument decoded, passed through `rewrite` (UTF-8 in and
// out) and encoded again as the launcher encodes it. A value that is not valid
// percent-encoding comes back unchanged, for the application to refuse as it would.
std::string rewriteArgumentsProperty(const std::string& value,
                                     const std::function<std::string(const std::string&)>& rewrite);
