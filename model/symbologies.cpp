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

void write_symbology_enabled(SettingsRecord& record, Symbology symbology, bool checked) {
    if (!enable_is_derived(symbology)) {
        record.set(symbology_info(symbology).enables.front(), checked ? 1 : 0);
        return;
    }
    const std::span<const Field> variants = symbology_info(symbology).enables;
    if (checked) {
        // A ticked UPC or EAN family with no variant on would stay off, its box unticked the next
        // time and its Configure button greyed: it reads plain codes, as from the factory.
        if (!variants.empty() && !symbology_enabled(record, symbology)) {
            record.set(variants.front(), 1);
        }
        return;
    }
    for (const Field field : variants) {
        record.set(field, 0);
    }
    if (symbology == Symbology::pdf417) {
        for (const KeySlot slot : kPdf417Strings) {
            const MutableKeyString string = record.key_string(slot);
            std::fill_n(string.begin(), kKeyStringMaxBytes, std::uint8_t{0});
        }
    }
}

}  // namespace tessmar
