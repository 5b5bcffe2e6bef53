#include "sheet/sheet_writer.h"

#include <utility>

namespace tessmar {
namespace {

constexpr std::string_view kPreamble =
    "\r\n51277335127700<Enter Setup>"
    "\r\n9993<Restore Default Settings>";

}  // namespace

void SheetWriter::write_preamble() {
    sink_.write(kPreamble);
    preamble_written_ = true;
}

void SheetWriter::begin_section(std::string heading) {
    heading_ = std::move(heading);
    section_written_ = false;
    sub_heading_ = nullptr;
}

void SheetWriter::write(std::string_view entry, const char* sub_heading) {
    if (!preamble_written_) {
        write_preamble();
    }
    if (!section_written_) {
        sink_.write(heading_);
        section_written_ = true;
    }
    // Sub-headings are compared by identity: each is one literal of the section's code.
    if (sub_heading != nullptr && sub_heading != sub_heading_) {
        sink_.write(sub_heading);
        sub_heading_ = sub_heading;
    }
    sink_.write(entry);
}

}  // namespace tessmar
