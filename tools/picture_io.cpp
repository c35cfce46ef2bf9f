#include "picture_io.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace kavelo::io {
namespace {

std::vector<uint8_t> Rgb(const PixelBuffer& p) {
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(p.Width()) * p.Height() * 3);
    const Colour* px = p.Data();
    for (size_t i = 0; i < size_t(p.Width()) * p.Height(); ++i) {
        rgb.push_back(uint8_t(px[i]));        // red
        rgb.push_back(uint8_t(px[i] >> 8));   // green
        rgb.push_back(uint8_t(px[i] >> 16));  // blue
    }
    return rgb;
}

// Characters that the common colours always get, so that golden files read
// alike.
const std::map<Colour, char>& FixedChars() {
    static const std::map<Colour, char> chars{
        {0x000000, '.'}, {0x002000, 'g'}, {0x00FF00, '#'}, {0x0000FF, 'R'},
        {0xC0C0C0, 's'}, {0x808080, 'd'}, {0x808000, 't'}, {0xFFFFFF, 'w'},
        {0x404040, 'k'}, {0xE0E0E0, 'e'}, {0xFF0000, 'B'}, {0x00FFFF, 'Y'}};
    return chars;
}

}  // namespace

void WritePng(const std::string& path, const PixelBuffer& picture) {
    const std::vector<uint8_t> rgb = Rgb(picture);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.Width());
    image.height = static_cast<png_uint_32>(picture.Height());
    image.format = PNG_FORMAT_RGB;
    const int ok = path == "-" ? png_image_write_to_stdio(&image, stdout, 0, rgb.data(), 0, nullptr)
                               : png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0,
                                                         nullptr);
    if (!ok) throw std::runtime_error("cannot write " + path + ": " + image.message);
}

void WritePpm(std::ostream& out, const PixelBuffer& picture) {
    out << "P6\n" << picture.Width() << ' ' << picture.Height() << "\n255\n";
    const std::vector<uint8_t> rgb = Rgb(picture);
    out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
}

void WritePpm(const std::string& path, const PixelBuffer& picture) {
    if (path == "-") {
        WritePpm(std::cout, picture);
        std::cout.flush();
        return;
    }
    std::ofstream out(path, std::ios::binary);
    WritePpm(out, picture);
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::string ToText(const PixelBuffer& picture) {
    std::map<Colour, char> chars;
    std::vector<Colour> order;
    const std::string spare = "abcfhijlmnopqruvxyzACDEFGHIJKLMNOPQSTUVWXZ0123456789+*=@$&";
    size_t nextSpare = 0;
    std::string rows;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Colour c = picture.Pixel(x, y);
            auto it = chars.find(c);
            if (it == chars.end()) {
                const auto fixed = FixedChars().find(c);
                char ch;
                if (fixed != FixedChars().end()) {
                    ch = fixed->second;
                } else {
                    if (nextSpare == spare.size())
                        throw std::runtime_error("too many colours for the text form");
                    ch = spare[nextSpare++];
                }
                it = chars.emplace(c, ch).first;
                order.push_back(c);
            }
            rows += it->second;
        }
        rows += '\n';
    }
    std::ostringstream out;
    out << "kavelo-picture " << picture.Width() << ' ' << picture.Height() << '\n';
    for (const Colour c : order) {
        char line[16];
        std::snprintf(line, sizeof line, "%c %06X\n", chars[c], static_cast<unsigned>(c));
        out << line;
    }
    out << '\n' << rows;
    return out.str();
}

PixelBuffer FromText(const std::string& text) {
    std::istringstream in(text);
    std::string magic;
    int w = 0, h = 0;
    if (!(in >> magic >> w >> h) || magic != "kavelo-picture" || w <= 0 || h <= 0 ||
        w > 4096 || h > 4096)
        throw std::runtime_error("not a kavelo-picture text");
    std::string line;
    std::getline(in, line);
    std::map<char, Colour> colours;
    while (std::getline(in, line) && !line.empty()) {
        unsigned value = 0;
        char ch = 0;
        if (std::sscanf(line.c_str(), "%c %x", &ch, &value) != 2)
            throw std::runtime_error("bad colour line: " + line);
        colours[ch] = value;
    }
    PixelBuffer picture(w, h);
    for (int y = 0; y < h; ++y) {
        if (!std::getline(in, line) || static_cast<int>(line.size()) != w)
            throw std::runtime_error("row " + std::to_string(y) + " missing or of wrong length");
        for (int x = 0; x < w; ++x) {
            const auto it = colours.find(line[size_t(x)]);
            if (it == colours.end())
                throw std::runtime_error(std::string("unknown colour character '") +
                                         line[size_t(x)] + "'");
            picture.SetPixel(x, y, it->second);
        }
    }
    return picture;
}

void WriteText(const std::string& path, const PixelBuffer& picture) {
    const std::string text = ToText(picture);
    if (path == "-") {
        std::cout << text << std::flush;
        return;
    }
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

PixelBuffer ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream all;
    all << in.rdbuf();
    return FromText(all.str());
}

}  // namespace kavelo::io
