// The summary tree: every current setting as a read-only line of text, grouped by topic. The
// builder is portable; the tree view (summary_tree_view.h) and tessmar-cli both show its result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/program_state.h"
#include "model/value_texts.h"

namespace tessmar {

// A line longer than this is cut to its first kMaxSummaryLineChars characters (a long key
// string with modifiers can run past it).
inline constexpr std::size_t kMaxSummaryLineChars = 99;

// How a line's value is read from the record. A line keeps it, so that it can be read again from
// another record (line_text): the factory settings, or a scanner's record with one byte changed.
enum class ValueSource : std::uint8_t {
    none,            // a fixed text, or a value that is not the record's
    field_text,      // `field` looked up in `list`
    layout_text,     // the same, by display index (capital lock type, digits layout)
    field_number,    // `field` in decimal
    keyboard_type,   // the name of keyboard type `field`
    interface_name,  // the interface that keyboard type `field` selects
    length_mode,     // "Max / Min" or "Fixed", by the mode bit `field`
    key_string,      // the key string at `offset`, in the form of the interface
    number,          // the 16-bit number at `offset`
    count,           // the byte at `offset` plus one
    bit,             // bit `bit` of the byte at `offset`, Enable or Disable
    byte_text,       // the byte at `offset` looked up in `list`
    divider,         // "Field Length" while the 16-bit length at `offset` is not 0
    sequence,        // the transmission sequence at `offset`
};

struct LineSource {
    ValueSource kind = ValueSource::none;
    Field field = Field::count;
    std::uint16_t offset = 0;
    std::uint8_t bit = 0;
    TextList list = {};
};

struct SummaryNode {
    std::string text;
    // The line with its value left out ("Scan Mode : %s"): two trees' lines with the same key
    // under the same parent show the same setting.
    std::string key;
    std::vector<SummaryNode> children;
    LineSource source = {};
};

// The whole tree for `state`: a root without text whose children are the seven top-level items,
// "Information" to "Edit Format". The editing formats are read from the record's own blocks, so
// the tree shows what would be saved.
SummaryNode build_summary(const ProgramState& state);

// The bytes a line's value is read from: `count` bytes from `first` (none for a fixed line). A
// key string is also read in the form of the interface, which the keyboard type's byte selects.
struct LineReads {
    std::size_t first = 0;
    std::size_t count = 0;
    bool interface_form = false;
};
LineReads line_reads(const SummaryNode& line);

// The text `line` shows when its value is read from `record`, key strings in the form of
// `interface_class`. A line whose value is not the record's keeps its text.
std::string line_text(const SummaryNode& line, const SettingsRecord& record,
                      InterfaceClass interface_class);

// The root's descendants one per line, two spaces of indent per level below the top.
std::string summary_text(const SummaryNode& root);

}  // namespace tessmar
