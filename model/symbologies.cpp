#include "model/symbologies.h"

#include <algorithm>

namespace tessmar {

bool symbology_enabled(const SettingsRecord& record, Symbology symbology) {
    if (symbology == Symbology::pdf417) {
        return std::any_of(std::begin(kPdf417Strings), std::end(kPdf417Strings), [&](KeySlot slot) {
            return !key_string_empty(record.key_string(slot));
        });
    }
    const std::span<const Field> enables = symbology_info(symbology).enables;
    return std::any_of(enables.begin(), enables.end(),
                       [&](Field field) { return record.get(field) == 1; });
}

}  // namespace tessmar
