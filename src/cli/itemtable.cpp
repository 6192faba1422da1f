#include "cli/itemtable.h"

#include <algorithm>
#include <map>

namespace zyn::cli {

namespace {

using Row = std::vector<std::string>;

// Width on a terminal: the names are UTF-8, one column per character.
std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

std::string AlignedRows(const std::vector<Row>& rows, const std::vector<bool>& rightAligned) {
    std::vector<std::size_t> widths(rightAligned.size(), 0);
    for (const Row& row : rows)
        for (std::size_t k = 0; k < row.size(); ++k)
            widths[k] = std::max(widths[k], columns(row[k]));
    std::string text;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t k = 0; k < row.size(); ++k) {
            const std::string padding(widths[k] - columns(row[k]), ' ');
            if (k > 0)
                line += "  ";
            line +=
                rightAligned[k] ? padding + row[k] : row[k] + (k + 1 < row.size() ? padding : "");
        }
        text += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
    }
    return text;
}

std::string ItemTable(const std::vector<ItemRow>& items) {
    // The items that use the bytes at each offset, in item order.
    std::map<std::int32_t, std::vector<int>> users;
    for (const ItemRow& item : items)
        if (!item.blank)
            users[item.offset].push_back(item.number);

    std::vector<Row> rows{{"ITEM", "NAME", "MODE", "STORED", "EXPANDED", ""}};
    for (const ItemRow& item : items) {
        const std::string name = item.name.empty() ? "-" : item.name;
        if (item.blank) {
            rows.push_back({std::to_string(item.number), name, "-", "-", "-", "blank"});
            continue;
        }
        std::string note;
        const std::vector<int>& sharing = users[item.offset];
        if (sharing.size() > 1) {
            // The first other user: the earliest item, or for that item the next one.
            const int other = sharing[0] != item.number ? sharing[0] : sharing[1];
            note = "shared with " + std::to_string(other);
            if (sharing.size() > 2)
                note += " and " + std::to_string(sharing.size() - 2) + " more";
        }
        rows.push_back({std::to_string(item.number), name, std::to_string(item.mode),
                        std::to_string(item.stored), std::to_string(item.expanded), note});
    }
    return AlignedRows(rows, {true, false, true, true, true, false});
}

std::string NumberedNames(const std::vector<std::string>& names) {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < names.size(); ++i)
        rows.push_back({std::to_string(i), names[i]});
    return AlignedRows(rows, {true, false});
}

} // namespace zyn::cli
