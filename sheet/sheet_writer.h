// The frame of the sheet: the preamble that enters setup mode and restores the defaults, written
// once before the first heading; each section's heading, written only just before the section's
// first token; and the sub-headings inside a section.
#pragma once

#include <string>
#include <string_view>

#include "model/program_state.h"
#include "sheet/setup_code_sheet.h"

namespace tessmar {

// What the sections read: the record, the baseline it is compared with, and the form of its
// key strings.
struct SheetSource {
    const SettingsRecord& record;
    const SettingsRecord& snapshot;
    InterfaceClass interface_class;
};

class SheetWriter {
  public:
    explicit SheetWriter(SheetSink& sink) : sink_(sink) {}

    // Text that always belongs to the sheet, whatever differs: the file heading, the closing token.
    void write_frame(std::string_view text) { sink_.write(text); }
    void write_preamble();
    bool preamble_written() const { return preamble_written_; }

    // Starts a section whose heading waits for the section's first token.
    void begin_section(std::string heading);
    // Whether the current section's heading has been written.
    bool section_written() const { return section_written_; }

    // Writes one entry (a token, or tokens that belong together) of the current section, after
    // whatever is still due before it: the preamble, the section heading, and `sub_heading` unless
    // it is the sub-heading written last in this section.
    void write(std::string_view entry, const char* sub_heading = nullptr);

  private:
    SheetSink& sink_;
    bool preamble_written_ = false;
    std::string heading_;
    bool section_written_ = false;
    const char* sub_heading_ = nullptr;
};

}  // namespace tessmar
