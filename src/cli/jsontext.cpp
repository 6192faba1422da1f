#include "cli/jsontext.h"

#include "characters/remapping.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace zyn::cli {

namespace {

Status bad(const std::string& name, const std::string& what) {
    return Status::failure(ErrorKind::Damaged, name + ": " + what + ".");
}

std::string hexCode(std::uint32_t code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(code));
    return buffer;
}

} // namespace

std::string BytesToUtf8(std::string_view bytes) {
    return CodesToUtf8(bytes, nullptr);
}

namespace {

std::string entryText(const std::string& codes, const CharacterTables& tables) {
    return CodesToUtf8(tables.RemapLoaded ? RemapText(tables, codes) : codes,
                       tables.ShownCharacterSet);
}

// Where a parse stopped, as a person finds it in an editor: "line L, column C", both counted
// from 1, columns in characters. byte counts the bytes the parser read; the last of them is
// where it stopped (one past the end when the input ended early).
std::string position(std::string_view json, std::size_t byte) {
    const std::size_t at = std::min(byte, json.size() + 1) - (byte > 0 ? 1 : 0);
    const std::string_view before = json.substr(0, at);
    const std::size_t newline = before.rfind('\n');
    const std::size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    // UTF-8 continuation bytes belong to the character before them.
    const auto column =
        std::count_if(before.begin() + static_cast<std::ptrdiff_t>(lineStart), before.end(),
                      [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }) +
        1;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's reason without its prefix and without the text it last read, which may hold any
// bytes: "unexpected end of input; expected ']'".
std::string reason(const std::string& what) {
    const std::size_t dash = what.find(" - ");
    if (dash == std::string::npos)
        return {};
    std::string text = what.substr(dash + 3);
    const std::size_t lastRead = text.find("; last read: ");
    if (lastRead != std::string::npos) {
        const std::size_t expected = text.rfind("; expected ");
        text = text.substr(0, lastRead) +
               (expected != std::string::npos && expected > lastRead ? text.substr(expected) : "");
    }
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';
    return text;
}

// "the number 1e400 is out of range" from the parser's "number overflow parsing '1e400'".
std::string outOfRange(const std::string& what) {
    const std::size_t open = what.find('\'');
    const std::size_t close = what.rfind('\'');
    std::string number = open < close ? what.substr(open + 1, close - open - 1) : "";
    if (number.size() > 40 || number.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return "a number is out of range";
    return "the number " + number + " is out of range";
}

} // namespace

std::string EntryText(const std::string& codes, const CharacterTables& tables) {
    return entryText(codes, tables);
}

nlohmann::ordered_json FindingJson(int item, int entry, const std::string& kind,
                                   const std::string& message) {
    nlohmann::ordered_json finding;
    finding["item"] = item >= 0 ? nlohmann::ordered_json(item) : nullptr;
    finding["entry"] = entry >= 0 ? nlohmann::ordered_json(entry + 1) : nullptr;
    finding["kind"] = kind;
    finding["message"] = message;
    return finding;
}

std::string FindingsJson(nlohmann::ordered_json findings, nlohmann::ordered_json counts) {
    nlohmann::ordered_json document;
    document["findings"] =
        findings.is_null() ? nlohmann::ordered_json::array() : std::move(findings);
    document["counts"] = std::move(counts);
    return document.dump(2) + '\n';
}

std::string EntryTextJson(const std::string& codes, const CharacterTables& tables) {
    return nlohmann::json(entryText(codes, tables)).dump(-1, ' ', !tables.ShownCharacterSet);
}

nlohmann::ordered_json DocumentToJson(const TextDocument& doc, const CharacterTables& tables) {
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    for (int i = 0; i < doc.entryCount(); ++i) {
        const std::string& text = doc.EntryText[i];
        entries.push_back({
            {"type", doc.EntryType[i]},
            {"text", entryText(text, tables)},
        });
    }
    return {
        {"game", doc.IsVersion2 ? 2 : 1},
        {"header", doc.Origin.HeaderFound},
        {"mode", doc.Origin.HeaderFound ? doc.Origin.HeaderMode : 0},
        {"slots", doc.SlotCount},
        {"entries", std::move(entries)},
    };
}

Status JsonToDocument(std::string_view json, const std::string& name, TextDocument& doc,
                      const CharacterSet* set, const Substitutions* substitutions,
                      std::vector<std::string>* substituted) {
    // The parsed tree takes tens of bytes per value, and closing an array costs the parser a
    // pass over it; a description of a text file is three levels deep with a few values per
    // entry, so anything far beyond that is refused while it is parsed.
    constexpr int MaxDepth = 32;
    constexpr std::size_t MaxValues = 16384;
    struct TooLarge {
        std::string what;
    };
    std::size_t values = 0;
    const auto guard = [&](int depth, nlohmann::json::parse_event_t event, nlohmann::json&) {
        if (depth > MaxDepth)
            throw TooLarge{"its values nest deeper than " + std::to_string(MaxDepth) + " levels"};
        if (event != nlohmann::json::parse_event_t::key &&
            event != nlohmann::json::parse_event_t::object_end &&
            event != nlohmann::json::parse_event_t::array_end && ++values > MaxValues)
            throw TooLarge{"it holds more than " + std::to_string(MaxValues) +
                           " values, far more than a text file of at most 1022 entries needs"};
        return true;
    };
    nlohmann::json root;
    try {
        root = nlohmann::json::parse(json, guard);
    } catch (const TooLarge& refusal) {
        return bad(name, refusal.what);
    } catch (const nlohmann::json::parse_error& error) {
        const std::string why = reason(error.what());
        return bad(name, "this is not valid JSON: " + position(json, error.byte) +
                             (why.empty() ? "" : ": " + why));
    } catch (const nlohmann::json::exception& error) {
        // A number beyond what a double holds ("1e400") is refused after it was read.
        return bad(name, "this is not valid JSON: " + outOfRange(error.what()));
    }
    if (!root.is_object())
        return bad(name, "a JSON object is expected");

    const auto game = root.find("game");
    if (game == root.end() || !game->is_number_integer() || (*game != 1 && *game != 2))
        return bad(name, "\"game\" must be 1 or 2");
    const bool version2 = *game == 2;

    const auto entries = root.find("entries");
    if (entries == root.end() || !entries->is_array())
        return bad(name, "an \"entries\" array is missing");
    const std::size_t count = entries->size();
    if (count > TextDocument::MaxSlots - 1)
        return bad(name, "there are " + std::to_string(count) +
                             " entries, but a text file holds at most 1022");

    std::vector<std::string> texts(count);
    std::vector<std::string> lines;
    std::vector<std::uint8_t> types(count, version2 ? 1 : 0);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& entry = (*entries)[i];
        const std::string where = "entries[" + std::to_string(i) + "]";
        const auto text = entry.is_object() ? entry.find("text") : entry.end();
        if (!entry.is_object() || text == entry.end() || !text->is_string())
            return bad(name, where + " must be an object with a \"text\" string");
        LetterCodes codes =
            Utf8ToCodes(text->get_ref<const std::string&>(), set, set ? substitutions : nullptr);
        if (codes.missing && !set)
            return bad(name, where + " holds the character " + hexCode(*codes.missing) +
                                 "; a text holds only U+0000 to U+00FF");
        if (codes.missing)
            return bad(name, "entry " + std::to_string(i + 1) + " (" + where +
                                 ") holds the character " + DescribeLetter(*codes.missing) +
                                 ", which the character set " + set->name + " has no code for");
        texts[i] = std::move(codes.codes);
        if (!codes.replaced.empty())
            lines.push_back("entry " + std::to_string(i + 1) + ": " +
                            DescribeReplacements(codes.replaced));
        const auto type = entry.find("type");
        if (!version2 || type == entry.end())
            continue;
        if (!type->is_number_integer() || *type < 0 || *type > 255)
            return bad(name, where + ": \"type\" must be a whole number from 0 to 255");
        types[i] = type->get<std::uint8_t>();
    }

    doc.EntryText.fill(std::string());
    doc.EntryType.fill(0);
    // The texts of a JSON file are what the user sees: with a remapping table they are display
    // codes, which the writer maps back.
    doc.DisplayForm.fill(true);
    for (std::size_t i = 0; i < count; ++i) {
        doc.EntryText[i] = std::move(texts[i]);
        doc.EntryType[i] = types[i];
    }
    doc.SlotCount = static_cast<std::int16_t>(count + 1);
    doc.IsVersion2 = version2;
    if (substituted)
        *substituted = std::move(lines);
    return {};
}

} // namespace zyn::cli
