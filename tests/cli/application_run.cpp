#include "application_run.h"

#include <unistd.h>

#include <filesystem>
#include <stdexcept>

const char* const kApplicationLocale = "LC_ALL=C.UTF-8";

std::vector<std::string> packagedApplicationCommand(const std::vector<std::string>& arguments,
                                                    const std::string& java) {
    if (!std::filesystem::is_regular_file(PACKAGED_APPLICATION))
        throw std::runtime_error("the packaged application is not built: " PACKAGED_APPLICATION);
    std::vector<std::string> command{java.empty() ? JAVA_EXECUTABLE : java, "-jar", PACKAGED_APPLICATION};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    return result;
}

namespace {

// Runs `prefix` followed by the packaged application's command line, with the runtime options
// before -jar, in the locale that the variables give.
ProcessResult runApplication(std::vector<std::string> prefix, const std::vector<std::string>& arguments,
                             const std::vector<std::string>& localeVariables = {kApplicationLocale},
                             const std::vector<std::string>& runtimeOptions = {}) {
    std::vector<std::string> command = packagedApplicationCommand(arguments);
    command.insert(command.begin() + 1, runtimeOptions.begin(), runtimeOptions.end());
    prefix.insert(prefix.end(), command.begin(), command.end());
    return runProcess(prefix, "", localeVariables);
}

}  // namespace

ProcessResult runPackagedApplication(const std::vector<std::string>& arguments) {
    return runApplication({}, arguments);
}

ProcessResult runPackagedApplicationInLocale(const std::vector<std::string>& localeVariables,
                                             const std::vector<std::string>& runtimeOptions,
                                             const std::vector<std::string>& arguments) {
    return runApplication({}, arguments, localeVariables, runtimeOptions);
}

ProcessResult runPackagedApplicationUnprivileged(const std::vector<std::string>& arguments) {
    if (::geteuid() != 0) return runApplication({}, arguments);
    return runApplication({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"}, arguments);
}

ProcessResult runPackagedApplicationWithin(int seconds, const std::vector<std::string>& arguments) {
    // coreutils' timeout ends the run with status 124 (kTimedOut) when the time is up.
    return runApplication({"timeout", "--kill-after=5", std::to_string(seconds)}, arguments);
}

void letOthersIn(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    fs::permissions(dir,
                    fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
}

void makeReadOnlyForOthers(const std::filesystem::path& dir, const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    letOthersIn(dir);
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}
