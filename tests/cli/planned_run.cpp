#include "planned_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "file_bytes.h"
#include "sample_run.h"

namespace fs = std::filesystem;

namespace {

bool isPlanLine(const std::string& line) {
    for (const char* verb : {"rename\t", "taken\t", "delete\t", "write\t"})
        if (line.rfind(verb, 0) == 0) return true;
    return false;
}

// Undoes the plan's notation for control characters: ^ and a letter, ^^ for ^ itself.
std::string unescape(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '^' && i + 1 < field.size()) {
            ++i;
            text += field[i] == '^' ? '^' : static_cast<char>(field[i] ^ 0x40);
        } else {
            text += field[i];
        }
    }
    return text;
}

}  // namespace

PlannedConsole splitConsole(const std::string& output) {
    PlannedConsole console;
    for (const std::string& line : consoleLines(output)) {
        if (!isPlanLine(line)) {
            console.lines.push_back(line);
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream stream(line);
        for (std::string field; std::getline(stream, field, '\t');) fields.push_back(unescape(field));
        console.plan.push_back(fields);
    }
    return console;
}

void applyPlan(const std::vector<std::vector<std::string>>& plan, const fs::path& library, const fs::path& copy) {
    auto inCopy = [&](const std::string& planned) {
        fs::path path(planned);
        const fs::path relative = path.lexically_relative(path.is_absolute() ? fs::canonical(library) : library);
        if (relative.empty() || *relative.begin() == "..")
            throw std::runtime_error("the plan names a path outside the library: " + planned);
        return copy / relative;
    };
    for (const std::vector<std::string>& step : plan) {
        SCOPED_TRACE(step[0] + " " + step[1]);
        const fs::path path = inCopy(step[1]);
        if (step[0] == "rename" || step[0] == "taken") {
            ASSERT_EQ(step.size(), 3u);
            ASSERT_TRUE(fs::exists(fs::symlink_status(path)));
            const fs::path target = path.parent_path() / step[2];
            ASSERT_EQ(fs::exists(fs::symlink_status(target)), step[0] == "taken");
            if (step[0] == "rename") fs::rename(path, target);
        } else if (step[0] == "delete") {
            ASSERT_EQ(step.size(), 2u);
            ASSERT_TRUE(fs::remove(path));
        } else {
            ASSERT_EQ(step[0], "write");
            ASSERT_EQ(step.size(), 3u);
            ASSERT_FALSE(fs::is_directory(path));
            writeFileBytes(path, step[2] + " lines");
        }
    }
}

TreeSnapshot withListsCounted(TreeSnapshot tree, const std::vector<std::vector<std::string>>& plan,
                              const fs::path& library) {
    for (const std::vector<std::string>& step : plan) {
        if (step[0] != "write") continue;
        const std::string key = fs::path(step[1]).lexically_relative(fs::canonical(library)).generic_string();
        const auto list = tree.find(key);
        if (list != tree.end())
            list->second = std::to_string(std::count(list->second.begin(), list->second.end(), '\n')) + " lines";
    }
    return tree;
}
