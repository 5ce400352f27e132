// The property's name as the launcher writes it (the generated header) and as the application reads
// it: the real runtime, given the launcher's option, runs the application on the property's
// arguments in place of the command line's, where a code page would have turned one into '?'.
#include <gtest/gtest.h>

#include <string>

#include "application_run.h"
#include "arguments_property_name.h"

namespace {

struct PropertyCase {
    const char* what;
    std::string option;
    bool taken;
};

TEST(ArgumentsProperty, TheApplicationReadsTheArgumentsUnderTheNameTheLauncherWrites) {
    const PropertyCase cases[] = {
        {"the launcher's option", kArgumentsPropertyOption + std::string("--version"), true},
        {"another name", "-D" + std::string(kArgumentsProperty) + "x=--version", false},
    };
    for (const PropertyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ProcessResult run = runPackagedApplicationInLocale({kApplicationLocale}, {c.option}, {"?"});
        const bool printedVersion = run.exitStatus == 0 && run.out == "Dovatrik " PROJECT_VERSION "\n";
        EXPECT_EQ(printedVersion, c.taken) << run.exitStatus << "\n" << run.out << run.err;
    }
}

}  // namespace
