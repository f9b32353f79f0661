#include "items/TimeChange.h"

namespace kelvo {

// The time half is built with the date rows; until then an enabled row changes nothing.
TimeChangeResult ChangeTimes(ItemContext&, const ItemStatus&, const std::string&, const std::string&,
                             const std::string&, const TimeEnables&, const DateTimeFields&, const DateTimeFields&,
                             const DateTimeFields&) {
    return kTimesWritten;
}

}  // namespace kelvo
