#include "terminal_screen.h"

#include <algorithm>
#include <stdexcept>

namespace {

struct Row {
    std::vector<std::string> cells;  // one character's bytes each
    bool wrapsOn = false;            // the line goes on in the next row
};

class Screen {
public:
    explicit Screen(std::size_t columns) : columns_(columns), rows_(1) {}

    void carriageReturn() {
        column_ = 0;
        waitsAtEdge_ = false;
    }
    void lineFeed() {
        ++row_;
        if (row_ == rows_.size()) rows_.emplace_back();
        waitsAtEdge_ = false;
    }
    // To the next multiple of 8 columns, or the last column, leaving the cells it passes as they are.
    void tab() {
        column_ = std::min(columns_ - 1, (column_ / 8 + 1) * 8);
        waitsAtEdge_ = false;
    }
    void backspace() {
        if (waitsAtEdge_)
            waitsAtEdge_ = false;
        else if (column_ > 0)
            --column_;
    }
    void put(const std::string& character) {
        if (waitsAtEdge_) {
            rows_[row_].wrapsOn = true;
            lineFeed();
            column_ = 0;
        }
        std::vector<std::string>& cells = rows_[row_].cells;
        if (cells.size() <= column_) cells.resize(column_ + 1, " ");
        cells[column_] = character;
        if (column_ + 1 == columns_)
            waitsAtEdge_ = true;
        else
            ++column_;
    }

    std::vector<std::string> lines() const {
        std::vector<std::string> lines;
        std::string line;
        for (const Row& row : rows_) {
            for (const std::string& cell : row.cells) line += cell;
            if (row.wrapsOn) continue;
            line.erase(line.find_last_not_of(' ') + 1);
            lines.push_back(line);
            line.clear();
        }
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        return lines;
    }

private:
    std::size_t columns_;
    std::vector<Row> rows_;
    std::size_t row_ = 0;
    std::size_t column_ = 0;
    bool waitsAtEdge_ = false;
};

// The length of the UTF-8 sequence that `lead` begins; a stray byte stands alone.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::vector<std::string> renderScreen(const std::string& bytes, std::size_t columns) {
    if (columns == 0) throw std::invalid_argument("renderScreen: a terminal has at least one column");
    Screen screen(columns);
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r') {
            screen.carriageReturn();
        } else if (byte == '\n') {
            screen.lineFeed();
        } else if (byte == '\b') {
            screen.backspace();
        } else if (byte == '\t') {
            screen.tab();
        } else if (byte < 0x20 || byte == 0x7F) {
            throw std::runtime_error("renderScreen: control character " + std::to_string(byte) + " at byte " +
                                     std::to_string(i));
        } else {
            const std::size_t length = sequenceLength(byte);
            screen.put(bytes.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    return screen.lines();
}
