// The input formats shared by the numeric entry fields.
#pragma once

#include "foundation/QOR_Types.h"

namespace qor {

/// How a numeric field reads and shows its number.
inline namespace informat_enums {
Q_NAMESPACE
enum TInFormat : Byte {
    itExp = 0,       ///< decimal number with optional exponent
    itFloat = 1,     ///< decimal number without exponent
    itFixPoint = 2,  ///< decimal number with a fixed count of decimal places
    itInt = 3,       ///< signed decimal integer
    itHex = 4,       ///< hexadecimal integer
    itOct = 5,       ///< octal integer
    itBin = 6,       ///< binary integer
    itDynamic = 7    ///< "$" hexadecimal, "%" binary, "&" octal, anything else as itExp
};
Q_ENUM_NS(TInFormat)
} // namespace informat_enums

} // namespace qor
