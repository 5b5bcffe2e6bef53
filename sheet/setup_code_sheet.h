// The setup-code sheet: what a user scans to bring a scanner from its factory settings to the
// current record, as a stream of setup tokens ("0207<Scanner Timeout>") under section headings.
// Only settings that differ from the defaults snapshot are written.
#pragma once

#include <functional>
#include <string_view>

#include "model/program_state.h"

namespace tessmar {

// Where the sheet's text goes: the file Barcode.prn for the program, a string in tests.
class SheetSink {
  public:
    virtual ~SheetSink() = default;
    virtual void write(std::string_view text) = 0;
};

// Asked when no setting differs from the defaults: true to print a sheet that only restores
// the factory settings.
using ConfirmDefaultSheet = std::function<bool()>;

// Writes the whole sheet to `sink`. Returns true when a complete sheet was written, false when
// nothing differed and `confirm_default_sheet` declined (the sink then holds only the heading).
// Leaves the EF staging blocks of formats 1 to 6 (and `default_edit_formats`) refreshed from the
// record and the snapshot.
bool WriteSetupCodeSheet(ProgramState& state, SheetSink& sink,
                         const ConfirmDefaultSheet& confirm_default_sheet);

}  // namespace tessmar
