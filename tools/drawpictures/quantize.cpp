#include "quantize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace zyn::art {

namespace {

// The eye tells greens apart best and blues worst; distances are weighted to match.
constexpr double RedWeight = 3.0;
constexpr double GreenWeight = 4.0;
constexpr double BlueWeight = 2.0;

struct Cell {
    std::array<double, 3> colour; // mean of the pixels that fell into this cell
    double count;
};

struct Box {
    std::size_t begin;
    std::size_t end;
    double error; // weighted squared deviation from the box's mean
    int axis;     // the channel along which the box spreads most
};

double distance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    const double dr = a[0] - b[0];
    const double dg = a[1] - b[1];
    const double db = a[2] - b[2];
    return RedWeight * dr * dr + GreenWeight * dg * dg + BlueWeight * db * db;
}

std::array<double, 3> channels(QRgb rgb) {
    return {double(qRed(rgb)), double(qGreen(rgb)), double(qBlue(rgb))};
}

QRgb toRgb(const std::array<double, 3>& c) {
    auto channel = [](double v) {
        return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
    };
    return qRgb(channel(c[0]), channel(c[1]), channel(c[2]));
}

int nearest(const std::vector<std::array<double, 3>>& palette, const std::array<double, 3>& c) {
    int best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const double d = distance(palette[i], c);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

Box measure(const std::vector<Cell>& cells, std::size_t begin, std::size_t end) {
    std::array<double, 3> sum{};
    std::array<double, 3> squares{};
    double count = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int k = 0; k < 3; ++k) {
            sum[k] += cells[i].colour[k] * cells[i].count;
            squares[k] += cells[i].colour[k] * cells[i].colour[k] * cells[i].count;
        }
        count += cells[i].count;
    }
    const std::array<double, 3> weights{RedWeight, GreenWeight, BlueWeight};
    Box box{begin, end, 0, 0};
    double widest = -1;
    for (int k = 0; k < 3; ++k) {
        const double spread = weights[k] * (squares[k] - sum[k] * sum[k] / count);
        box.error += spread;
        if (spread > widest) {
            widest = spread;
            box.axis = k;
        }
    }
    return box;
}

std::vector<Cell> histogram(const QImage& picture) {
    // 6 bits a channel keeps the cell count manageable without visible banding in the palette.
    std::map<std::uint32_t, Cell> cells;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb rgb = line[x];
            const std::uint32_t key =
                ((qRed(rgb) >> 2) << 12) | ((qGreen(rgb) >> 2) << 6) | (qBlue(rgb) >> 2);
            Cell& cell = cells[key];
            const auto c = channels(rgb);
            for (int k = 0; k < 3; ++k)
                cell.colour[k] += c[k];
            cell.count += 1;
        }
    }
    std::vector<Cell> result;
    result.reserve(cells.size());
    for (auto& [key, cell] : cells) {
        for (int k = 0; k < 3; ++k)
            cell.colour[k] /= cell.count;
        result.push_back(cell);
    }
    return result;
}

std::vector<std::array<double, 3>> medianCut(std::vector<Cell>& cells, int size) {
    std::vector<Box> boxes{measure(cells, 0, cells.size())};
    while (static_cast<int>(boxes.size()) < size) {
        auto worst = std::max_element(boxes.begin(), boxes.end(),
                                      [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->end - worst->begin < 2 || worst->error <= 0)
            break;
        const Box box = *worst;
        const int axis = box.axis;
        std::sort(cells.begin() + box.begin, cells.begin() + box.end,
                  [axis](const Cell& a, const Cell& b) { return a.colour[axis] < b.colour[axis]; });
        double total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i)
            total += cells[i].count;
        double running = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end - 1; ++i) {
            running += cells[i].count;
            split = i + 1;
            if (running >= total / 2)
                break;
        }
        *worst = measure(cells, box.begin, split);
        boxes.push_back(measure(cells, split, box.end));
    }
    std::vector<std::array<double, 3>> palette;
    for (const Box& box : boxes) {
        std::array<double, 3> sum{};
        double count = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            for (int k = 0; k < 3; ++k)
                sum[k] += cells[i].colour[k] * cells[i].count;
            count += cells[i].count;
        }
        palette.push_back({sum[0] / count, sum[1] / count, sum[2] / count});
    }
    return palette;
}

// The picture's outermost colours towards the six faces and eight corners of the colour cube.
// Averaged palette entries would pull them inwards, and then no dithering could reach the deepest
// shadows and brightest highlights again, so they are kept as they are.
std::vector<std::array<double, 3>> extremes(const std::vector<Cell>& cells) {
    std::array<double, 3> mean{};
    double count = 0;
    for (const Cell& cell : cells) {
        for (int k = 0; k < 3; ++k)
            mean[k] += cell.colour[k] * cell.count;
        count += cell.count;
    }
    for (int k = 0; k < 3; ++k)
        mean[k] /= count;
    std::vector<std::array<double, 3>> result;
    std::vector<std::array<double, 3>> directions;
    for (int corner = 0; corner < 8; ++corner)
        directions.push_back(
            {corner & 1 ? 1.0 : -1.0, corner & 2 ? 1.0 : -1.0, corner & 4 ? 1.0 : -1.0});
    for (int axis = 0; axis < 3; ++axis) {
        for (double sign : {-1.0, 1.0}) {
            std::array<double, 3> direction{0, 0, 0};
            direction[axis] = sign;
            directions.push_back(direction);
        }
    }
    for (const auto& direction : directions) {
        const Cell* best = &cells.front();
        double reach = -std::numeric_limits<double>::max();
        for (const Cell& cell : cells) {
            double d = 0;
            for (int k = 0; k < 3; ++k)
                d += (cell.colour[k] - mean[k]) * direction[k];
            if (d > reach) {
                reach = d;
                best = &cell;
            }
        }
        if (std::find(result.begin(), result.end(), best->colour) == result.end())
            result.push_back(best->colour);
    }
    return result;
}

// Moves every entry after the first `fixed` ones to the mean of the colours nearest to it.
void refine(const std::vector<Cell>& cells, std::vector<std::array<double, 3>>& palette,
            std::size_t fixed) {
    for (int round = 0; round < 6; ++round) {
        std::vector<std::array<double, 3>> sums(palette.size(), {0, 0, 0});
        std::vector<double> counts(palette.size(), 0);
        for (const Cell& cell : cells) {
            const int i = nearest(palette, cell.colour);
            for (int k = 0; k < 3; ++k)
                sums[i][k] += cell.colour[k] * cell.count;
            counts[i] += cell.count;
        }
        for (std::size_t i = fixed; i < palette.size(); ++i) {
            if (counts[i] > 0)
                palette[i] = {sums[i][0] / counts[i], sums[i][1] / counts[i],
                              sums[i][2] / counts[i]};
        }
    }
}

} // namespace

QList<QRgb> choosePalette(const QImage& source, int size) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> exact;
    for (int y = 0; y < picture.height() && static_cast<int>(exact.size()) <= size; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb rgb = line[x] | 0xff000000u;
            if (std::find(exact.begin(), exact.end(), rgb) == exact.end()) {
                exact.push_back(rgb);
                if (static_cast<int>(exact.size()) > size)
                    break;
            }
        }
    }
    if (static_cast<int>(exact.size()) <= size) {
        std::sort(exact.begin(), exact.end());
        return QList<QRgb>(exact.begin(), exact.end());
    }

    std::vector<Cell> cells = histogram(picture);
    std::vector<std::array<double, 3>> palette = extremes(cells);
    const std::size_t fixed = palette.size();
    for (const auto& colour : medianCut(cells, size - static_cast<int>(fixed)))
        palette.push_back(colour);
    refine(cells, palette, fixed);
    QList<QRgb> result;
    for (const auto& c : palette)
        result.push_back(toRgb(c));
    // Darkest first: a stable order makes the files easier to compare.
    std::sort(result.begin(), result.end(), [](QRgb a, QRgb b) {
        return qGray(a) < qGray(b) || (qGray(a) == qGray(b) && a < b);
    });
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

QImage ditherToPalette(const QImage& source, const QList<QRgb>& colours) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const int width = picture.width();
    const int height = picture.height();
    std::vector<std::array<double, 3>> palette;
    for (QRgb rgb : colours)
        palette.push_back(channels(rgb));

    QImage result(width, height, QImage::Format_Indexed8);
    result.setColorTable(colours);
    // Error carried to this row and the next, with one spare column on each side.
    std::vector<std::array<double, 3>> current(width + 2, {0, 0, 0});
    std::vector<std::array<double, 3>> below(width + 2, {0, 0, 0});
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        uchar* out = result.scanLine(y);
        const bool leftToRight = y % 2 == 0;
        const int step = leftToRight ? 1 : -1;
        for (int n = 0; n < width; ++n) {
            const int x = leftToRight ? n : width - 1 - n;
            auto wanted = channels(line[x]);
            for (int k = 0; k < 3; ++k)
                wanted[k] = std::clamp(wanted[k] + current[x + 1][k], -32.0, 287.0);
            const int index = nearest(palette, wanted);
            out[x] = static_cast<uchar>(index);
            for (int k = 0; k < 3; ++k) {
                const double error = wanted[k] - palette[index][k];
                current[x + 1 + step][k] += error * 7 / 16;
                below[x + 1 - step][k] += error * 3 / 16;
                below[x + 1][k] += error * 5 / 16;
                below[x + 1 + step][k] += error * 1 / 16;
            }
        }
        std::swap(current, below);
        std::fill(below.begin(), below.end(), std::array<double, 3>{0, 0, 0});
    }
    return result;
}

QImage toIndexed256(const QImage& picture) {
    return ditherToPalette(picture, choosePalette(picture, 256));
}

} // namespace zyn::art
