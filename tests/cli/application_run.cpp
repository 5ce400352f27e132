#include "application_run.h"

#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace {

std::vector<std::string> applicationCommand(const std::vector<std::string>& arguments)
{
    if (!std::filesystem::is_regular_file(PACKAGED_APPLICATION))
        throw std::runtime_error("the packaged application is not built: " PACKAGED_APPLICATION);
    std::vector<std::string> command{JAVA_EXECUTABLE, "-jar", PACKAGED_APPLICATION};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

} // namespace

ProcessResult runPackagedApplication(const std::vector<std::string>& arguments)
{
    return runProcess(applicationCommand(arguments), "", {"LC_ALL=C.UTF-8"});
}

ProcessResult runPackagedApplicationUnprivileged(const std::vector<std::string>& arguments)
{
    std::vector<std::string> command = applicationCommand(arguments);
    if (::geteuid() == 0)
        command.insert(command.begin(), {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
    return runProcess(command, "", {"LC_ALL=C.UTF-8"});
}

void makeReadOnlyForOthers(const std::filesystem::path& dir, const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    fs::permissions(dir, fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}
