// Consistency across a language: a source translated in several ways and a translation of
// several sources, each finding naming every place.

#include "project/consistency.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

std::string described(const ConsistencyFinding& finding) {
    std::string out =
        (finding.kind == ConsistencyKind::SeveralTranslations ? "source " : "target ") +
        finding.text + ":";
    for (const ConsistencyVariant& variant : finding.variants) {
        out += " [" + variant.text;
        for (const EntryPlace& place : variant.places)
            out += " " + place.bank + "#" + std::to_string(place.entry);
        out += "]";
    }
    return out;
}

TEST(Consistency, NamesEveryPlaceOfEachTextThatReadsTwoWays) {
    const std::vector<ConsistencyEntry> entries{
        {"FR_001.DIA", 0, "The Captain", "le Capitaine"},
        {"FR_001.DIA", 4, "Yes", "Oui"},
        {"FR_002.DIA", 1, "The Captain", "le Commandant"},
        {"FR_003.DIA", 7, "The Captain", "le Capitaine"},
        {"FR_003.DIA", 8, "Yeah", "Oui"},
        {"FR_004.DIA", 2, "No", "Non"},
        {"FR_004.DIA", 3, "No", "Non"},
        // A blank more is another text; an empty one is no translation.
        {"FR_005.DIA", 0, "No", "Non "},
        {"FR_005.DIA", 1, "Go", ""},
        {"FR_005.DIA", 2, "Stop", ""},
    };
    std::vector<std::string> findings;
    for (const ConsistencyFinding& finding : FindInconsistencies(entries))
        findings.push_back(described(finding));
    EXPECT_EQ(findings,
              (std::vector<std::string>{
                  "source The Captain: [le Capitaine FR_001.DIA#0 FR_003.DIA#7] [le Commandant "
                  "FR_002.DIA#1]",
                  "source No: [Non FR_004.DIA#2 FR_004.DIA#3] [Non  FR_005.DIA#0]",
                  "target Oui: [Yes FR_001.DIA#4] [Yeah FR_003.DIA#8]",
              }));
    EXPECT_TRUE(FindInconsistencies({}).empty());
}

} // namespace
} // namespace zyn
