#include "application_icon.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kSize = 32;

struct Pixel {
    uint8_t blue, green, red, alpha;
};

bool insideRoundedSquare(double x, double y) {
    const double radius = 6;
    const double nearestX = std::fmax(radius, std::fmin(kSize - radius, x));
    const double nearestY = std::fmax(radius, std::fmin(kSize - radius, y));
    return std::hypot(x - nearestX, y - nearestY) <= radius;
}

bool insideNote(double x, double y) {
    // A tilted oval head, a stem rising from its right side, and a flag.
    const double dx = x - 12.5, dy = y - 22.5;
    const double along = dx * 0.87 + dy * 0.5, across = -dx * 0.5 + dy * 0.87;
    const bool head = (along * along) / 30.0 + (across * across) / 12.0 <= 1.0;
    const bool stem = x >= 16.5 && x <= 18.5 && y >= 6 && y <= 21.5;
    const bool flag = y >= 6 && y <= 15 && x >= 18.5 && x <= 25 && std::fabs((x - 18.5) - (y - 6) * 0.7) <= 1.6;
    return head || stem || flag;
}

void put16(std::string& out, uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void put32(std::string& out, uint32_t value) {
    put16(out, static_cast<uint16_t>(value & 0xFFFF));
    put16(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

std::string drawApplicationIcon() {
    const uint32_t pixelBytes = kSize * kSize * 4;
    const uint32_t maskBytes = kSize * 4;  // one bit a pixel, rows of 4 bytes
    const uint32_t imageBytes = 40 + pixelBytes + maskBytes;

    std::string ico;
    put16(ico, 0);  // icon directory: reserved, type 1 (icon), one image
    put16(ico, 1);
    put16(ico, 1);
    ico += static_cast<char>(kSize);  // directory entry: width, height, no palette
    ico += static_cast<char>(kSize);
    ico += '\0';
    ico += '\0';
    put16(ico, 1);   // planes
    put16(ico, 32);  // bits per pixel
    put32(ico, imageBytes);
    put32(ico, 6 + 16);

    put32(ico, 40);  // bitmap header; the height counts the colour and mask rows
    put32(ico, kSize);
    put32(ico, kSize * 2);
    put16(ico, 1);
    put16(ico, 32);
    put32(ico, 0);
    put32(ico, pixelBytes + maskBytes);
    put32(ico, 0);
    put32(ico, 0);
    put32(ico, 0);
    put32(ico, 0);

    for (int row = kSize - 1; row >= 0; --row) {  // rows are stored bottom-up
        for (int column = 0; column < kSize; ++column) {
            const double x = column + 0.5, y = row + 0.5;
            Pixel pixel = {0, 0, 0, 0};
            if (insideNote(x, y)) {
                pixel = {255, 255, 255, 255};
            } else if (insideRoundedSquare(x, y)) {
                pixel = {136, 128, 0, 255};
            }
            ico += static_cast<char>(pixel.blue);
            ico += static_cast<char>(pixel.green);
            ico += static_cast<char>(pixel.red);
            ico += static_cast<char>(pixel.alpha);
        }
    }
    ico.append(maskBytes, '\0');  // the alpha channel decides transparency
    return ico;
}
