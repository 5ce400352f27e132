// Feeds arbitrary texts to the version order and checks that it is a total
// order: the input is split at zero bytes into three version texts, which are
// compared in every pair; any breach of the order's laws aborts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "version_order.h"

namespace {

int sign(int order) { return (order > 0) - (order < 0); }

int order(const std::string& left, const std::string& right) {
    return sign(compareVersions(left.c_str(), right.c_str()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string texts[3];
    size_t part = 0;
    for (size_t i = 0; i < size && part < 3; ++i) {
        if (data[i] == 0) {
            ++part;
        } else {
            texts[part] += static_cast<char>(data[i]);
        }
    }
    for (const std::string& a : texts) {
        if (order(a, a) != 0) std::abort();
        for (const std::string& b : texts) {
            const int ab = order(a, b);
            if (ab != -order(b, a)) std::abort();
            for (const std::string& c : texts) {
                const int bc = order(b, c);
                const int ac = order(a, c);
                if (ab <= 0 && bc <= 0 && ac > 0) std::abort();
                if (ab == 0 && ac != bc) std::abort();
            }
        }
    }
    return 0;
}
