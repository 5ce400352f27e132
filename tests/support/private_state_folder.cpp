// Linked into every program that runs the application: a state folder of the process's own, in
// XDG_STATE_HOME, so that the journals the application keeps there land in a temporary folder
// that goes with the process, never in the user's. Every user may write in it, so that a run as
// nobody (setpriv) can keep its journal as well.
#include <cstdlib>
#include <filesystem>

#include "temp_dir.h"

namespace {

struct PrivateStateFolder {
    PrivateStateFolder() {
        std::filesystem::permissions(folder.path(), std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
        ::setenv("XDG_STATE_HOME", folder.path().c_str(), 1);
    }
    TempDir folder{"state"};
};

const PrivateStateFolder privateStateFolder;

}  // namespace
