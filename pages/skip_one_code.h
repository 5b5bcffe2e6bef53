// Capital lock type and digits layout: two-bit fields behind three-item lists whose items store
// 0, 2 and 3. A stored 1 (from a file or a scanner) shows as the second item.
#pragma once

namespace tessmar {

// The list item a stored value selects: 0 and 1 select items 0 and 1, 2 and 3 items 1 and 2.
unsigned skip_one_index(unsigned stored);

// The value an item stores: 0, 2 or 3.
unsigned skip_one_value(unsigned index);

}  // namespace tessmar
