#include "pages/skip_one_code.h"

namespace tessmar {

unsigned skip_one_index(unsigned stored) {
    return stored <= 1 ? stored : stored - 1;
}

unsigned skip_one_value(unsigned index) {
    return index == 0 ? 0 : index + 1;
}

}  // namespace tessmar
